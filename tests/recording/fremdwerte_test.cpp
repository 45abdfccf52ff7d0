// The export and the chart on values that another program (a database browser, a script) stored: a Datum of
// any storage type, a Gewicht as text or beyond what a scale can weigh.
#include "recording/csvexport.h"
#include "recording/csvformat.h"
#include "recording/tagesverlauf.h"
#include "testdatenbank.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Runs the statements on a connection of their own.
void ausfuehren(const QString& pfad, const QStringList& anweisungen) {
    const QString name = QStringLiteral("fremdwerte");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(pfad);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& sql : anweisungen)
            EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// n rows with Datum from the expression of i and the row's number i as Gewicht, so each line of the file
// tells which row it is.
QString zeilenSql(const QString& datum, int n) {
    return QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i + 1 < %1) "
                          "insert into Gewichte (Datum, Gewicht) select %2, i from n")
        .arg(n)
        .arg(datum);
}

// The Gewicht of every data line, which here is the row's number, in the order of the file.
QList<qint64> zeilennummern(const QByteArray& inhalt) {
    QList<qint64> nummern;
    const QList<QByteArray> zeilen = inhalt.split('\n');
    for (qsizetype i = 1; i + 1 < zeilen.size(); ++i) {
        const QByteArray& zeile = zeilen[i];
        nummern << zeile.mid(zeile.lastIndexOf(';') + 1).trimmed().toLongLong();
    }
    return nummern;
}

TEST(CsvExport, EveryStorageTypeOfDatumEndsTheExportWithEachRowOnce) {
    struct Fall {
        const char* name;
        bool ohneTyp; // the table as a browser makes it: no declared type, so numbers stay numbers
        const char* datum;
        int anzahl;
    };
    const Fall faelle[] = {
        {"one text, BLOBs", false,
         "case when i = 0 then '2026-12-06 09:00:00' "
         "else cast(printf('2026-12-06 10:%02d:%02d', i / 60 % 60, i % 60) as blob) end",
         5001},
        {"NULL", false, "case when i % 3 = 0 then null else printf('2026-12-06 %02d:%02d:00', i / 60 % 24, i % 60) end",
         9000},
        {"one Datum for all", false, "'2026-12-06'", 10000},
        {"text not UTF-8", false, "x'c3ff' || printf('%05d', i % 50)", 6000},
        {"integer", true, "i % 97", 6000},
        {"real and infinite", true,
         "case when i % 500 = 0 then 9e999 when i % 501 = 0 then -9e999 else (i % 89) / 8.0 end", 6000},
        {"every type", true,
         "case i % 5 when 0 then null when 1 then i % 300 when 2 then i / 3.0 "
         "when 3 then printf('2026-12-%02d 10:00:00', i % 9 + 1) else cast(printf('b%03d', i % 700) as blob) end",
         12000},
    };
    using recording::Zeitraum;
    const Zeitraum zeitraeume[] = {{}, {QDate(2026, 12, 6), {}}, {{}, QDate(2026, 12, 6)}};
    for (const Fall& f : faelle) {
        TestDatenbank daten;
        daten.mdbAusVorlage();
        QStringList anweisungen;
        if (f.ohneTyp)
            anweisungen << "drop table Gewichte"
                        << "create table Gewichte (Datum, Gewicht REAL)"
                        << "create index Gewichte_Datum on Gewichte (Datum)";
        ausfuehren(daten.mdb(), anweisungen << zeilenSql(QString::fromLatin1(f.datum), f.anzahl));
        for (const Zeitraum& zeitraum : zeitraeume) {
            SCOPED_TRACE(std::string(f.name) + " from " + zeitraum.untergrenze().toStdString() + " to " +
                         zeitraum.obergrenze().toStdString());
            // The rows of the period as SQLite orders Datum, a NULL only in a period open at its start.
            QString bereich = zeitraum.von.isValid() ? QStringLiteral("datum >= '%1'").arg(zeitraum.untergrenze())
                                                     : QStringLiteral("1");
            if (zeitraum.bis.isValid())
                bereich += QStringLiteral(" and (datum is null or datum < '%1')").arg(zeitraum.obergrenze());
            QList<qint64> soll;
            for (const QVariant& nummer : TestDatenbank::abfrage(
                     daten.mdb(),
                     QStringLiteral("select gewicht from gewichte where %1 order by datum, rowid").arg(bereich)))
                soll << nummer.toLongLong();

            QTemporaryDir ziel;
            const QString datei = ziel.filePath(QStringLiteral("gewichte.csv"));
            recording::CsvExport ausgabe(daten.mdb(), zeitraum, datei);
            ASSERT_TRUE(ausgabe.beginnen()) << ausgabe.fehler().toStdString();
            // Each block reads on where the last one ended: never more blocks than the rows fill.
            const int hoechstens = f.anzahl / recording::CsvExport::kBlockZeilen + 2;
            int bloecke = 0;
            while (!ausgabe.gelesen() && bloecke < hoechstens) {
                ASSERT_TRUE(ausgabe.weiter()) << ausgabe.fehler().toStdString();
                ++bloecke;
            }
            ASSERT_TRUE(ausgabe.gelesen()) << "still reading after " << bloecke << " blocks";
            ASSERT_TRUE(ausgabe.abschliessen()) << ausgabe.fehler().toStdString();
            QFile file(datei);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(zeilennummern(file.readAll()), soll);
            EXPECT_EQ(ausgabe.geschrieben(), soll.size());
        }
    }
}

TEST(CsvFormat, ALineKeepsItsThreeFieldsAndNoFieldReadsAsAFormula) {
    struct Fall {
        const char* name;
        QVariant datum;
        QVariant gewicht;
        QByteArray zeile;
    };
    const double unendlich = std::numeric_limits<double>::infinity();
    const Fall faelle[] = {
        {"stored form", QStringLiteral("2026-12-06 14:03:07"), 12.5, "06.12.2026;14:03:07;12,5\r\n"},
        {"stored form as BLOB", QByteArray("2026-12-06 14:03:07"), -0.8, "06.12.2026;14:03:07;-0,8\r\n"},
        {"NULL", QVariant(), 7.0, ";;7\r\n"},
        {"formula", QStringLiteral("=HYPERLINK(\"http://x\";\"y\")"), 1.0,
         "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\";;1\r\n"},
        {"minus", QStringLiteral("-1+2"), 1.0, "'-1+2;;1\r\n"},
        {"plus", QStringLiteral("+1"), 1.0, "'+1;;1\r\n"},
        {"at", QStringLiteral("@SUM(A1)"), 1.0, "'@SUM(A1);;1\r\n"},
        {"tab", QStringLiteral("\t1"), 1.0, "'\t1;;1\r\n"},
        {"carriage return", QStringLiteral("\r=1"), 1.0, "\"'\r=1\";;1\r\n"},
        {"equals inside", QStringLiteral("x=1"), 1.0, "x=1;;1\r\n"},
        {"number as Datum", -5LL, 1.0, "'-5;;1\r\n"},
        {"weight as text", QStringLiteral("2026-12-06 14:03:07"), QStringLiteral("12,5"),
         "06.12.2026;14:03:07;12,5\r\n"},
        {"weight as BLOB", QStringLiteral("2026-12-06 14:03:07"), QByteArray("-3.25"), "06.12.2026;14:03:07;-3,25\r\n"},
        {"weight no number", QStringLiteral("2026-12-06 14:03:07"), QStringLiteral("=1"), "06.12.2026;14:03:07;\r\n"},
        {"weight infinite", QStringLiteral("2026-12-06 14:03:07"), -unendlich, "06.12.2026;14:03:07;\r\n"},
        {"weight NaN", QStringLiteral("2026-12-06 14:03:07"), std::nan(""), "06.12.2026;14:03:07;\r\n"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        QByteArray zeile;
        recording::CsvFormat::zeileAnhaengen(zeile, f.datum, f.gewicht);
        EXPECT_EQ(zeile, f.zeile);
    }
}

TEST(TagesVerlauf, WeightsBeyondTheNumbersLeaveFiniteColumnsAndAreCounted) {
    TestDatenbank daten;
    daten.mdbAusVorlage();
    const char* const gewichte[] = {"5e15", "9e999", "-9e999", "null", "1e308", "-1e308", "12.5", "'12,5'"};
    QStringList anweisungen;
    int sekunde = 0;
    for (const char* gewicht : gewichte)
        anweisungen << QStringLiteral("insert into Gewichte values ('2026-12-06 10:00:%1', %2)")
                           .arg(sekunde++ * 5, 2, 10, QLatin1Char('0'))
                           .arg(QLatin1String(gewicht));
    ausfuehren(daten.mdb(), anweisungen);
    for (const int spalten : {1, 600, 86400}) {
        SCOPED_TRACE(spalten);
        recording::TagesVerlauf verlauf;
        recording::TagesWerte werte;
        ASSERT_TRUE(verlauf.lesen(daten.mdb(), QDate(2026, 12, 6), spalten, &werte)) << verlauf.fehler().toStdString();
        EXPECT_EQ(werte.anzahl, 8);
        // Each weight that is a number draws; the infinities and the text are left out and counted.
        EXPECT_EQ(werte.ausgelassen, 3);
        ASSERT_FALSE(werte.verlauf.isEmpty());
        for (const recording::VerlaufsSpalte& s : werte.verlauf)
            EXPECT_TRUE(std::isfinite(s.min) && std::isfinite(s.max)) << s.spalte;
        EXPECT_EQ(werte.min, -1e308);
        EXPECT_EQ(werte.max, 1e308);
        EXPECT_TRUE(std::isfinite(werte.summe)) << werte.summe;
    }
}

} // namespace
