// The chart's reduction against a count of its own over every row, and the export's file handling when it
// does not run to its end.
#include "recording/csvexport.h"
#include "recording/tagesverlauf.h"
#include "recording/zeitraum.h"
#include "testdatenbank.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <map>

namespace {

struct Roh {
    QString datum;
    double gewicht;
};

// Rows over three days and the edges of their neighbours, in random order of storing, in one transaction.
std::vector<Roh> fuellen(const QString& pfad, int anzahl) {
    std::vector<Roh> zeilen;
    QRandomGenerator zufall(20261206);
    const QDateTime anfang(QDate(2026, 12, 5), QTime(0, 0));
    for (int i = 0; i < anzahl; ++i) {
        const QDateTime moment = anfang.addSecs(zufall.bounded(3 * 86400));
        zeilen.push_back({moment.toString("yyyy-MM-dd HH:mm:ss"), (zufall.bounded(2000000) - 1000000) / 1000.0});
    }
    // A spike and a dip alone in their second: the reduction must keep them.
    zeilen.push_back({"2026-12-06 13:37:01", 99999.5});
    zeilen.push_back({"2026-12-06 13:37:02", -99999.5});
    zeilen.push_back({"2026-12-06 23:59:59", 7.25});
    zeilen.push_back({"2026-12-07 00:00:00", 8.5});
    zeilen.push_back({"2026-12-04 23:59:59", 123456.0}); // the day before: must count nowhere
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuellen"));
        db.setDatabaseName(pfad);
        EXPECT_TRUE(db.open());
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into Gewichte (Datum, Gewicht) values (?, ?)"));
        for (const Roh& r : zeilen) {
            insert.addBindValue(r.datum);
            insert.addBindValue(r.gewicht);
            EXPECT_TRUE(insert.exec());
        }
        db.commit();
        insert = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fuellen"));
    return zeilen;
}

TEST(Zeitraum, ChoicesGiveWholeDaysAsRangesOnTheStoredText) {
    using Art = recording::Zeitraum::Art;
    struct Fall {
        Art art;
        QDate heute;
        const char* untergrenze;
        const char* obergrenze;
    };
    const QDate sonntag(2026, 12, 6);
    const QDate montag(2026, 12, 7);
    const QDate silvester(2026, 12, 31); // a Thursday: the week runs into the next year
    const Fall faelle[] = {
        {Art::Heute, sonntag, "2026-12-06", "2026-12-07"},        {Art::Gestern, montag, "2026-12-06", "2026-12-07"},
        {Art::DieseWoche, sonntag, "2026-11-30", "2026-12-07"},   {Art::DieseWoche, montag, "2026-12-07", "2026-12-14"},
        {Art::DieseWoche, silvester, "2026-12-28", "2027-01-04"}, {Art::Alles, sonntag, "", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(static_cast<int>(f.art)) + " " + f.heute.toString(Qt::ISODate).toStdString());
        const auto z = recording::Zeitraum::fuer(f.art, f.heute);
        EXPECT_TRUE(z.gueltig());
        EXPECT_EQ(z.untergrenze(), QLatin1String(f.untergrenze));
        EXPECT_EQ(z.obergrenze(), QLatin1String(f.obergrenze));
    }
    // From–to, both days whole: the last second of the last day lies below the upper bound.
    const auto vonBis = recording::Zeitraum::fuer(Art::VonBis, sonntag, QDate(2026, 12, 1), QDate(2026, 12, 3));
    EXPECT_LT(QStringLiteral("2026-12-03 23:59:59"), vonBis.obergrenze());
    EXPECT_GE(QStringLiteral("2026-12-01 00:00:00"), vonBis.untergrenze());
    EXPECT_FALSE(recording::Zeitraum::fuer(Art::VonBis, sonntag, QDate(2026, 12, 3), QDate(2026, 12, 1)).gueltig());
    // The command line's dates: exactly yyyy-MM-dd of a real day.
    EXPECT_EQ(recording::Zeitraum::ausOption(QStringLiteral("2028-02-29")), QDate(2028, 2, 29));
    for (const char* falsch : {"2026-02-29", "2026-1-5", "06.12.2026", "2026-12-06 ", "", "20261206"})
        EXPECT_FALSE(recording::Zeitraum::ausOption(QLatin1String(falsch)).isValid()) << falsch;
}

TEST(TagesVerlauf, ReductionKeepsEveryDaysAndEveryColumnsTrueMinimumAndMaximum) {
    TestDatenbank daten;
    daten.mdbAusVorlage();
    const std::vector<Roh> zeilen = fuellen(daten.mdb(), 30000);
    recording::TagesVerlauf verlauf;
    for (const QDate tag : {QDate(2026, 12, 5), QDate(2026, 12, 6), QDate(2026, 12, 7), QDate(2026, 12, 8)}) {
        // One column, a width far below the rows, about the page's width, and more columns than seconds.
        for (const int spalten : {1, 7, 600, 200000}) {
            SCOPED_TRACE(tag.toString(Qt::ISODate).toStdString() + " / " + std::to_string(spalten));
            struct Spalte {
                double min, max;
            };
            std::map<int, Spalte> soll;
            qint64 anzahl = 0;
            double summe = 0;
            const QString praefix = tag.toString("yyyy-MM-dd ");
            for (const Roh& r : zeilen) {
                if (!r.datum.startsWith(praefix))
                    continue;
                const QTime zeit = QTime::fromString(r.datum.mid(11), "HH:mm:ss");
                const int s =
                    static_cast<int>(static_cast<qint64>(zeit.msecsSinceStartOfDay() / 1000) * spalten / 86400);
                auto [it, neu] = soll.try_emplace(s, Spalte{r.gewicht, r.gewicht});
                it->second.min = std::min(it->second.min, r.gewicht);
                it->second.max = std::max(it->second.max, r.gewicht);
                ++anzahl;
                summe += r.gewicht;
            }
            recording::TagesWerte werte;
            ASSERT_TRUE(verlauf.lesen(daten.mdb(), tag, spalten, &werte)) << verlauf.fehler().toStdString();
            EXPECT_EQ(werte.anzahl, anzahl);
            EXPECT_NEAR(werte.summe, summe, 1e-6 * std::max(1.0, std::abs(summe)));
            ASSERT_EQ(werte.verlauf.size(), static_cast<qsizetype>(soll.size()));
            double tagMin = 0, tagMax = 0;
            auto it = soll.begin();
            for (qsizetype i = 0; i < werte.verlauf.size(); ++i, ++it) {
                EXPECT_EQ(werte.verlauf[i].spalte, it->first);
                EXPECT_EQ(werte.verlauf[i].min, it->second.min) << it->first;
                EXPECT_EQ(werte.verlauf[i].max, it->second.max) << it->first;
                tagMin = i == 0 ? it->second.min : std::min(tagMin, it->second.min);
                tagMax = i == 0 ? it->second.max : std::max(tagMax, it->second.max);
                EXPECT_LT(werte.verlauf[i].spalte, spalten);
            }
            if (anzahl > 0) {
                EXPECT_EQ(werte.min, tagMin);
                EXPECT_EQ(werte.max, tagMax);
            }
            if (tag == QDate(2026, 12, 6)) {
                EXPECT_EQ(werte.max, 99999.5);
                EXPECT_EQ(werte.min, -99999.5);
            }
        }
    }
    // Read and let go: nothing of the chart holds the file afterwards.
    EXPECT_FALSE(recording::Datenquelle::inBenutzung(daten.mdb()));
}

TEST(CsvExport, AnExportNotRunToItsEndLeavesNoFileAndTheOldOneAsItWas) {
    TestDatenbank daten;
    daten.mdbAusVorlage();
    fuellen(daten.mdb(), 3 * recording::CsvExport::kBlockZeilen);
    QTemporaryDir ziel;
    const QString datei = ziel.filePath(QStringLiteral("gewichte.csv"));
    const QString alteDatei = ziel.filePath(QStringLiteral("alt.csv"));
    {
        QFile alt(alteDatei);
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write("alt\r\n");
    }
    enum class Ende { Abgebrochen, Verworfen };
    for (const QString& pfad : {datei, alteDatei}) {
        for (const Ende ende : {Ende::Abgebrochen, Ende::Verworfen}) {
            SCOPED_TRACE(pfad.toStdString() + (ende == Ende::Abgebrochen ? " abgebrochen" : " verworfen"));
            {
                recording::CsvExport ausgabe(daten.mdb(), {}, pfad);
                ASSERT_TRUE(ausgabe.beginnen()) << ausgabe.fehler().toStdString();
                EXPECT_GE(ausgabe.geschaetzt(), 3 * recording::CsvExport::kBlockZeilen);
                ASSERT_TRUE(ausgabe.weiter());
                ASSERT_TRUE(ausgabe.weiter());
                EXPECT_EQ(ausgabe.geschrieben(), 2 * recording::CsvExport::kBlockZeilen);
                EXPECT_FALSE(ausgabe.gelesen());
                EXPECT_FALSE(ausgabe.abschliessen()); // not before every row is written
                if (ende == Ende::Abgebrochen)
                    ausgabe.abbrechen();
            }
            EXPECT_EQ(QDir(ziel.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"alt.csv"});
            QFile alt(alteDatei);
            ASSERT_TRUE(alt.open(QIODevice::ReadOnly));
            EXPECT_EQ(alt.readAll(), QByteArray("alt\r\n"));
            EXPECT_FALSE(recording::Datenquelle::inBenutzung(daten.mdb()));
        }
    }
    // Run to its end, the same export puts its file in place.
    recording::CsvExport ausgabe(daten.mdb(), {}, datei);
    ASSERT_TRUE(ausgabe.ausfuehren()) << ausgabe.fehler().toStdString();
    EXPECT_EQ(ausgabe.geschrieben(), 3 * recording::CsvExport::kBlockZeilen + 5);
    EXPECT_TRUE(QFile::exists(datei));
}

TEST(CsvExport, APeriodIsEmptyExactlyWhenItsExportWritesTheHeaderAlone) {
    TestDatenbank daten;
    daten.mdbAusVorlage();
    // Beside a day's row, one without Datum (first in an open start) and a BLOB (after every day).
    TestDatenbank::abfrage(daten.mdb(), QStringLiteral("insert into Gewichte (Datum, Gewicht) values "
                                                       "('2026-12-05 12:00:00', 1), (null, 2), (x'00', 3)"));
    struct Fall {
        QDate von;
        QDate bis;
        bool leer;
    };
    const QDate vorgestern(2026, 12, 4), gestern(2026, 12, 5), heute(2026, 12, 6);
    const Fall faelle[] = {
        {{}, {}, false},         {heute, heute, true}, {gestern, gestern, false},  {vorgestern, vorgestern, true},
        {{}, vorgestern, false}, {heute, {}, false},   {vorgestern, heute, false}, {heute.addDays(1), {}, false},
    };
    QTemporaryDir ziel;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.von.toString(Qt::ISODate).toStdString() + ".." + f.bis.toString(Qt::ISODate).toStdString());
        const recording::Zeitraum zeitraum{f.von, f.bis};
        EXPECT_EQ(recording::CsvExport::zeitraumLeer(daten.mdb(), zeitraum), std::optional(f.leer));
        // The question agrees with what the export then finds.
        recording::CsvExport ausgabe(daten.mdb(), zeitraum, ziel.filePath(QStringLiteral("g.csv")));
        ASSERT_TRUE(ausgabe.ausfuehren()) << ausgabe.fehler().toStdString();
        EXPECT_EQ(ausgabe.geschrieben() == 0, f.leer);
        EXPECT_EQ(ausgabe.bericht().startsWith(recording::CsvExport::kKeineGewichte), f.leer)
            << ausgabe.bericht().toStdString();
    }
    EXPECT_FALSE(recording::Datenquelle::inBenutzung(daten.mdb()));
    // No database to ask: no answer, and none is made.
    EXPECT_EQ(recording::CsvExport::zeitraumLeer(daten.pfad(QStringLiteral("fehlt.mdb")), {}), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(daten.pfad(QStringLiteral("fehlt.mdb"))));
}

} // namespace
