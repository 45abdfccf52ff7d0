// `gramura --export` as a scheduled job runs it: a child process without a display, in the C locale and
// in a German one, while the recording program has the database open; the file it leaves is read back by
// Python's csv module, not by the code that wrote it.
#include "recording/weightstore.h"
#include "testdatenbank.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <utility>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct Zeile {
    const char* gespeichert; // Datum as recording stores it
    const char* gewichtText; // as the weight field shows it
    const char* datum;       // expected in the file
    const char* uhrzeit;
    const char* gewicht;
};

// Stored in this order, which is not the time order: the file must be oldest first whatever the rowids.
const Zeile kZeilen[] = {
    {"2026-12-07 08:00:00", "0", "07.12.2026", "08:00:00", "0"},
    {"2026-12-05 23:59:59", "1234.5678", "05.12.2026", "23:59:59", "1234,5678"},
    {"2026-12-06 14:03:07", "-0,8", "06.12.2026", "14:03:07", "-0,8"},
    {"2026-12-06 00:00:00", "12,5", "06.12.2026", "00:00:00", "12,5"},
    {"2026-12-06 23:59:59", "100000000.25", "06.12.2026", "23:59:59", "100000000,25"},
    {"2026-12-06 14:03:07", "0.30000000000000004", "06.12.2026", "14:03:07", "0,30000000000000004"},
    {"2026-12-07 00:00:00", "0.0000001", "07.12.2026", "00:00:00", "0,0000001"},
};

struct Lauf {
    int code = -1;
    QString fehler;
    QByteArray ausgabe; // what it wrote to its standard output
};

struct Gelesen {
    bool bom = false;
    int crlf = -1;
    int lf = -1;
    QList<QStringList> saetze;
};

class ExportBefehl : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        daten.mdbAusVorlage();
        // The recording program's own store stays open through every run: its rows partly still in the -wal.
        ASSERT_TRUE(store.oeffnen(daten.mdb())) << store.fehler().toStdString();
        for (const Zeile& z : kZeilen) {
            const QDateTime moment = QDateTime::fromString(QString::fromLatin1(z.gespeichert), "yyyy-MM-dd HH:mm:ss");
            ASSERT_TRUE(store.speichern(QString::fromLatin1(z.gewichtText), moment)) << store.fehler().toStdString();
        }
    }

    Lauf gramura(const QStringList& argumente) {
        QProcess prozess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // No display of any kind: a scheduled job has none.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(GetParam()));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(GetParam()));
        prozess.setProcessEnvironment(env);
        prozess.start(QStringLiteral(GRAMURA_PROGRAMM), argumente);
        EXPECT_TRUE(prozess.waitForFinished(60000));
        return {prozess.exitStatus() == QProcess::NormalExit ? prozess.exitCode() : -1,
                QString::fromLocal8Bit(prozess.readAllStandardError()), prozess.readAllStandardOutput()};
    }

    QStringList mitDaten(QStringList argumente) const {
        return argumente << QStringLiteral("--data-dir") << daten.ordner();
    }

    static Gelesen lesen(const QString& datei) {
        QProcess python;
        python.start(QStringLiteral(GRAMURA_PYTHON3), {QStringLiteral(GRAMURA_CSV_LESEN), datei});
        EXPECT_TRUE(python.waitForFinished(60000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        const QJsonObject json = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
        Gelesen g{json.value("bom").toBool(), json.value("crlf").toInt(-1), json.value("lf").toInt(-1), {}};
        for (const QJsonValue& satz : json.value("saetze").toArray()) {
            QStringList felder;
            for (const QJsonValue& feld : satz.toArray())
                felder << feld.toString();
            g.saetze << felder;
        }
        return g;
    }

    // The records expected for the stored rows whose Datum lies in [von, bis), oldest first; rows of one
    // second in the order they were stored.
    static QList<QStringList> erwartet(const char* von, const char* bis) {
        QList<std::pair<QString, const Zeile*>> auswahl;
        for (const Zeile& z : kZeilen) {
            const QString d = QString::fromLatin1(z.gespeichert);
            if (d >= QLatin1String(von) && d < QLatin1String(bis))
                auswahl.append({d, &z});
        }
        std::stable_sort(auswahl.begin(), auswahl.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        QList<QStringList> saetze{{"Datum", "Uhrzeit", "Gewicht"}};
        for (const auto& [d, z] : auswahl)
            saetze << QStringList{QString::fromLatin1(z->datum), QString::fromLatin1(z->uhrzeit),
                                  QString::fromLatin1(z->gewicht)};
        return saetze;
    }

    // The line on stdout after a run into a file; too few rows here for a thousands separator, so the same in
    // either locale.
    static QString bericht(qsizetype zeilen, const QString& datei) {
        if (zeilen == 0)
            return QStringLiteral("Im gewählten Zeitraum sind keine Gewichte aufgezeichnet: nur die Kopfzeile in %1 "
                                  "geschrieben\n")
                .arg(datei);
        return QStringLiteral("%1 Gewichte exportiert nach %2\n").arg(zeilen).arg(datei);
    }

    // What lies in the folder besides the given names: no temporary file may be left.
    static QStringList uebrig(const QString& ordner) {
        return QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    TestDatenbank daten;
    QTemporaryDir ausgabe;
    recording::WeightStore store;
};

TEST_P(ExportBefehl, PeriodsGiveTheirRowsOldestFirstWithEveryDecimal) {
    struct Fall {
        QStringList optionen;
        const char* von;
        const char* bis;
    };
    const Fall faelle[] = {
        {{}, "", "9999"},
        {{"--from", "2026-12-06", "--to", "2026-12-06"}, "2026-12-06", "2026-12-07"},
        {{"--from", "2026-12-06"}, "2026-12-06", "9999"},
        {{"--to", "2026-12-06"}, "", "2026-12-07"},
        {{"--from", "2027-01-01"}, "2027-01-01", "9999"}, // empty: the header alone
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.optionen.join(' ').toStdString());
        const QString datei = ausgabe.filePath(QStringLiteral("gewichte.csv"));
        const Lauf lauf = gramura(mitDaten(QStringList{"--export", datei} + f.optionen));
        ASSERT_EQ(lauf.code, 0) << lauf.fehler.toStdString();
        EXPECT_TRUE(lauf.fehler.isEmpty()) << lauf.fehler.toStdString();
        const Gelesen g = lesen(datei);
        EXPECT_TRUE(g.bom);
        const QList<QStringList> soll = erwartet(f.von, f.bis);
        EXPECT_EQ(g.saetze, soll);
        // One line on stdout says how many rows went where.
        EXPECT_EQ(QString::fromUtf8(lauf.ausgabe), bericht(soll.size() - 1, datei));
        // Every line, the header's too, ends in CR LF and nothing else.
        EXPECT_EQ(g.crlf, soll.size());
        EXPECT_EQ(g.lf, soll.size());
        // Each weight reads back as exactly the double that was stored.
        for (qsizetype i = 1; i < g.saetze.size(); ++i) {
            const double gelesen = QString(g.saetze[i].value(2)).replace(',', '.').toDouble();
            const auto gespeichert = TestDatenbank::abfrage(
                daten.mdb(),
                QStringLiteral("select gewicht from gewichte where datum = '%1' and gewicht = %2")
                    .arg(QDateTime::fromString(g.saetze[i][0] + ' ' + g.saetze[i][1], "dd.MM.yyyy HH:mm:ss")
                             .toString("yyyy-MM-dd HH:mm:ss"))
                    .arg(gelesen, 0, 'g', 17));
            EXPECT_EQ(gespeichert.size(), 1) << g.saetze[i].join(';').toStdString();
        }
        EXPECT_EQ(uebrig(ausgabe.path()), QStringList{"gewichte.csv"});
    }
}

TEST_P(ExportBefehl, TheCountOnStdoutIsInGermanFormInAnyLocale) {
    // A day of its own with more than a thousand rows, beside the others.
    TestDatenbank::abfrage(daten.mdb(), QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n "
                                                       "where i + 1 < 1234) insert into Gewichte (Datum, Gewicht) "
                                                       "select strftime('%Y-%m-%d %H:%M:%S', 1797638400 + i, "
                                                       "'unixepoch'), i from n"));
    const QString datei = ausgabe.filePath(QStringLiteral("gewichte.csv"));
    const Lauf lauf = gramura(mitDaten({"--export", datei, "--from", "2026-12-19", "--to", "2026-12-19"}));
    ASSERT_EQ(lauf.code, 0) << lauf.fehler.toStdString();
    EXPECT_EQ(lesen(datei).saetze.size(), 1235);
    EXPECT_EQ(QString::fromUtf8(lauf.ausgabe), QStringLiteral("1.234 Gewichte exportiert nach %1\n").arg(datei));
}

TEST_P(ExportBefehl, FailuresSayOneLineAndLeaveNoFile) {
    QTemporaryDir leer;
    struct Fall {
        const char* name;
        QStringList argumente;
        int code;
    };
    const QString datei = ausgabe.filePath(QStringLiteral("gewichte.csv"));
    const Fall faelle[] = {
        {"no database", {"--export", datei, "--data-dir", leer.path()}, 1},
        {"bad date", mitDaten({"--export", datei, "--from", "2026-13-01"}), 2},
        {"date not in full", mitDaten({"--export", datei, "--to", "2026-1-5"}), 2},
        {"from after to", mitDaten({"--export", datei, "--from", "2026-12-07", "--to", "2026-12-06"}), 2},
        {"folder missing", mitDaten({"--export", ausgabe.filePath("fehlt/gewichte.csv")}), 3},
        {"the database itself", mitDaten({"--export", daten.mdb()}), 3},
        {"empty file name", mitDaten({"--export", ""}), 2},
        {"empty start", mitDaten({"--export", datei, "--from", ""}), 2},
        {"empty end", mitDaten({"--export", datei, "--to", ""}), 2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Lauf lauf = gramura(f.argumente);
        EXPECT_EQ(lauf.code, f.code) << lauf.fehler.toStdString();
        EXPECT_EQ(lauf.fehler.count('\n'), 1) << lauf.fehler.toStdString();
        EXPECT_TRUE(lauf.fehler.startsWith(QStringLiteral("gramura: "))) << lauf.fehler.toStdString();
        EXPECT_EQ(uebrig(ausgabe.path()), QStringList());
    }
    // Never made, never touched.
    EXPECT_EQ(uebrig(leer.path()), QStringList());
    EXPECT_EQ(TestDatenbank::zeilen(daten.mdb()), static_cast<int>(std::size(kZeilen)));
}

TEST_P(ExportBefehl, AnExistingFileIsReplacedWhole) {
    const QString datei = ausgabe.filePath(QStringLiteral("gewichte.csv"));
    {
        QFile alt(datei);
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.write(QByteArray(100000, 'x'));
    }
    const Lauf lauf = gramura(mitDaten({"--export", datei, "--from", "2026-12-07"}));
    ASSERT_EQ(lauf.code, 0) << lauf.fehler.toStdString();
    EXPECT_EQ(lesen(datei).saetze, erwartet("2026-12-07", "9999"));
    EXPECT_EQ(uebrig(ausgabe.path()), QStringList{"gewichte.csv"});
}

TEST_P(ExportBefehl, StandardOutputAndAFifoAreWrittenAsTheyAre) {
    const QString kopie = ausgabe.filePath(QStringLiteral("kopie.csv"));
    const auto alsDatei = [&](const QByteArray& inhalt) {
        QFile datei(kopie);
        EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    };
    // "-" as command-line programs take it, and the device that names the same.
    for (const char* ziel : {"-", "/dev/stdout"}) {
        SCOPED_TRACE(ziel);
        const Lauf lauf = gramura(mitDaten({"--export", QString::fromLatin1(ziel)}));
        ASSERT_EQ(lauf.code, 0) << lauf.fehler.toStdString();
        EXPECT_TRUE(lauf.fehler.isEmpty()) << lauf.fehler.toStdString();
        alsDatei(lauf.ausgabe);
        EXPECT_EQ(lesen(kopie).saetze, erwartet("", "9999"));
    }
#ifdef Q_OS_UNIX
    // A FIFO stays one, and its reader gets the whole file and its end.
    const QString fifo = ausgabe.filePath(QStringLiteral("gewichte.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess leser;
    leser.setStandardOutputFile(kopie);
    leser.start(QStringLiteral("cat"), {fifo});
    ASSERT_TRUE(leser.waitForStarted());
    const Lauf lauf = gramura(mitDaten({"--export", fifo}));
    EXPECT_EQ(lauf.code, 0) << lauf.fehler.toStdString();
    const bool gelesen = leser.waitForFinished(15000);
    if (!gelesen) {
        leser.kill();
        leser.waitForFinished();
    }
    ASSERT_TRUE(gelesen) << "the reader of the FIFO got no end";
    EXPECT_EQ(lesen(kopie).saetze, erwartet("", "9999"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
#endif
}

TEST_P(ExportBefehl, RowsOfOtherProgramsComeOutOnceAndNeverAsAFormula) {
    struct Fremd {
        const char* datum;   // SQL, as a browser or a script stored it
        const char* gewicht; // SQL
        QStringList satz;    // expected in the file
    };
    const Fremd fremde[] = {
        {"'=HYPERLINK(\"http://x\";\"y\")'", "1", {"'=HYPERLINK(\"http://x\";\"y\")", "", "1"}},
        {"'-1+2'", "2", {"'-1+2", "", "2"}},
        {"'@SUM(A1)'", "3", {"'@SUM(A1)", "", "3"}},
        {"'+49 30 1234'", "4", {"'+49 30 1234", "", "4"}},
        {"char(9) || 'x'", "5", {"'\tx", "", "5"}},
        {"char(13) || '=1'", "6", {"'\r=1", "", "6"}},
        {"null", "7", {"", "", "7"}},
        {"null", "'12,5'", {"", "", "12,5"}},
        {"'2026-12-06 12:00:00'", "'12,5'", {"06.12.2026", "12:00:00", "12,5"}},
        {"'2026-12-06 12:00:01'", "9e999", {"06.12.2026", "12:00:01", ""}},
    };
    // Every row as SQLite orders Datum: NULL first, then the texts byte by byte, rows of one Datum as stored.
    // Datum as a pair whose first says whether there is one: NULL sorts first. (Not std::optional<QString>,
    // whose moves in the sort GCC 12 takes for reads of uninitialised memory.)
    struct Soll {
        std::pair<bool, QString> datum;
        QStringList satz;
    };
    QList<Soll> alle;
    for (const Zeile& z : kZeilen)
        alle.append({{true, QString::fromLatin1(z.gespeichert)},
                     {QString::fromLatin1(z.datum), QString::fromLatin1(z.uhrzeit), QString::fromLatin1(z.gewicht)}});
    for (const Fremd& f : fremde) {
        const QVariantList datum = TestDatenbank::abfrage(
            daten.mdb(), QStringLiteral("insert into Gewichte (Datum, Gewicht) values (%1, %2) returning Datum")
                             .arg(QLatin1String(f.datum), QLatin1String(f.gewicht)));
        ASSERT_EQ(datum.size(), 1);
        alle.append({{!datum.first().isNull(), datum.first().toString()}, f.satz});
    }
    std::stable_sort(alle.begin(), alle.end(), [](const Soll& a, const Soll& b) { return a.datum < b.datum; });

    struct Fall {
        QStringList optionen;
        const char* von; // the rows without Datum belong to a period open at its start
        const char* bis;
    };
    const Fall faelle[] = {
        {{}, nullptr, nullptr},
        {{"--to", "2026-12-06"}, nullptr, "2026-12-07"},
        {{"--from", "2026-12-06"}, "2026-12-06", nullptr},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.optionen.join(' ').toStdString());
        QList<QStringList> soll{{"Datum", "Uhrzeit", "Gewicht"}};
        for (const Soll& z : alle) {
            const auto& [mitDatum, datum] = z.datum;
            if (mitDatum ? (!f.von || datum >= QLatin1String(f.von)) && (!f.bis || datum < QLatin1String(f.bis))
                         : !f.von)
                soll << z.satz;
        }
        const QString datei = ausgabe.filePath(QStringLiteral("gewichte.csv"));
        const Lauf lauf = gramura(mitDaten(QStringList{"--export", datei} + f.optionen));
        ASSERT_EQ(lauf.code, 0) << lauf.fehler.toStdString();
        const Gelesen g = lesen(datei);
        EXPECT_EQ(g.saetze, soll);
        // A line break inside a quoted field is a CR alone, never a line's end.
        EXPECT_EQ(g.crlf, soll.size());
        EXPECT_EQ(g.lf, soll.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Umgebungen, ExportBefehl, testing::Values("C", "de_DE.UTF-8"),
                         [](const testing::TestParamInfo<const char*>& p) {
                             return p.index == 0 ? std::string("C") : std::string("Deutsch");
                         });

} // namespace
