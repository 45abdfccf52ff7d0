// The window's side of the weights leaving the PC: the export driven from the event loop, and the page
// "Verlauf" reading its day anew at each switch.
#include "fakes/fakeuhr.h"
#include "fakes/recordingmeldungen.h"
#include "recording/csvexport.h"
#include "recording/csvformat.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/pankenn.h"
#include "shell/panverlauf.h"
#include "shell/statusband.h"
#include "shell/verlaufsdiagramm.h"
#include "testdatenbank.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <limits>

namespace {

using namespace recording;

// n rows one second apart from 8:00 on the day, in one statement past the code under test.
void fuellen(const QString& mdb, const QDate& tag, int n, const QString& gewicht = QStringLiteral("i / 4.0")) {
    const qint64 anfang = QDateTime(tag, QTime(8, 0), Qt::UTC).toSecsSinceEpoch();
    TestDatenbank::abfrage(mdb, QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n "
                                               "where i + 1 < %1) insert into Gewichte (Datum, Gewicht) "
                                               "select strftime('%Y-%m-%d %H:%M:%S', %2 + i, 'unixepoch'), %3 from n")
                                    .arg(n)
                                    .arg(anfang)
                                    .arg(gewicht));
}

struct Aufzeichnungsseite {
    explicit Aufzeichnungsseite(const TestDatenbank& t)
        : pflege(DatenOrt{t.ordner(), t.vorlage()}, store, liste), pankenn(&pflege, meldungen) {
        pankenn.datenbankEinrichten();
        seite.resize(565, 258);
        band.ueber(&seite);
        pankenn.setStatusband(&band);
    }
    // The status band's line about the export, its full text in the tooltip; empty while it is not shown.
    QString bericht() const {
        const auto* zeile = band.findChild<QLabel*>(shell::PanKenn::kExportZeile);
        return zeile && zeile->isVisibleTo(&fenster) ? zeile->toolTip() : QString();
    }
    WeightStore store;
    GewichteListe liste{QLocale(QLocale::German, QLocale::Germany)};
    Datenbankpflege pflege;
    RecordingMeldungen meldungen;
    QWidget fenster;
    QWidget seite{&fenster}; // where the band lies, as over the window's pages
    shell::Statusband band{&fenster};
    shell::PanKenn pankenn;
};

// The numbers of the report in German form, as the program sets them.
struct DeutscheZahlen {
    DeutscheZahlen() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~DeutscheZahlen() { QLocale::setDefault(vorher); }
    const QLocale vorher;
};

TEST(Export, RunsBlockByBlockBetweenOtherEventsAndLeavesNothingWhenCancelled) {
    TestDatenbank t;
    Aufzeichnungsseite s(t);
    const int zeilen = 3 * CsvExport::kBlockZeilen + 10;
    fuellen(t.mdb(), QDate(2026, 12, 6), zeilen);
    QTemporaryDir ziel;
    const QString datei = ziel.filePath(QStringLiteral("gewichte.csv"));
    s.pankenn.setExportFrage([&] { return shell::ExportWahl{{}, datei}; });

    // The other timers of the window, standing in for the weight display and the recording tick.
    int ticks = 0;
    QTimer takt;
    takt.setInterval(0);
    QObject::connect(&takt, &QTimer::timeout, [&] { ++ticks; });
    takt.start();

    for (const bool abbrechen : {true, false}) {
        SCOPED_TRACE(abbrechen ? "abgebrochen" : "zu Ende");
        ticks = 0;
        s.pankenn.cmdexportieren()->click();
        QPointer<shell::ExportLauf> lauf = s.pankenn.exportLauf();
        ASSERT_NE(lauf, nullptr);
        // Not in one go: the click returns with the export under way and the button held.
        EXPECT_FALSE(QFileInfo::exists(datei));
        EXPECT_FALSE(s.pankenn.cmdexportieren()->isEnabled());
        if (abbrechen) {
            // Its temporary file is open by now; the reading in blocks is left to the unit tests.
            ASSERT_NE(lauf->fortschritt(), nullptr);
            auto* knopf = lauf->fortschritt()->findChild<QPushButton*>();
            ASSERT_NE(knopf, nullptr);
            knopf->click(); // the dialog's own "Abbrechen"
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return lauf.isNull(); }, 30000));
        EXPECT_TRUE(s.pankenn.cmdexportieren()->isEnabled());
        if (abbrechen) {
            EXPECT_EQ(QDir(ziel.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
            // Nothing was exported, and nothing is said to be.
            EXPECT_EQ(s.bericht(), QString());
        } else {
            // Four blocks, with the other timer's turns in between.
            EXPECT_GE(ticks, 3);
            QFile f(datei);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray inhalt = f.readAll();
            EXPECT_TRUE(inhalt.startsWith("\xEF\xBB\xBF"
                                          "Datum;Uhrzeit;Gewicht\r\n"));
            EXPECT_EQ(inhalt.count('\n'), zeilen + 1);
            EXPECT_TRUE(inhalt.endsWith("06.12.2026;" +
                                        QTime(8, 0).addSecs(zeilen - 1).toString("HH:mm:ss").toLatin1() + ';' +
                                        CsvFormat::gewichtText((zeilen - 1) / 4.0) + "\r\n"));
        }
    }
    EXPECT_TRUE(s.meldungen.shown.isEmpty()) << s.meldungen.shown.join('\n').toStdString();
}

TEST(Export, TheStatusBandSaysHowManyWeightsWentWhereUntilThePageIsLeft) {
    const DeutscheZahlen deutsch;
    struct Fall {
        int zeilen;
        const char* gesagt;
    };
    const Fall faelle[] = {
        {1, "1 Gewicht exportiert nach "},
        {2, "2 Gewichte exportiert nach "},
        {1234, "1.234 Gewichte exportiert nach "},
        {0, "Im gewählten Zeitraum sind keine Gewichte aufgezeichnet: nur die Kopfzeile in "},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gesagt);
        TestDatenbank t;
        Aufzeichnungsseite s(t);
        if (f.zeilen > 0)
            fuellen(t.mdb(), QDate(2026, 12, 6), f.zeilen);
        // Rows of another day stay out of the period and of the count.
        fuellen(t.mdb(), QDate(2026, 12, 7), 3);
        QTemporaryDir ziel;
        const QString datei = ziel.filePath(QStringLiteral("gewichte.csv"));
        s.pankenn.setExportFrage([&] { return shell::ExportWahl{{QDate(2026, 12, 6), QDate(2026, 12, 6)}, datei}; });
        s.pankenn.tabkenn_Switch(shell::PanKenn::kIndex);
        s.pankenn.cmdexportieren()->click();
        QPointer<shell::ExportLauf> lauf = s.pankenn.exportLauf();
        ASSERT_NE(lauf, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return lauf.isNull(); }, 30000));
        EXPECT_TRUE(s.meldungen.shown.isEmpty()) << s.meldungen.shown.join('\n').toStdString();
        EXPECT_TRUE(s.bericht().startsWith(QString::fromUtf8(f.gesagt))) << s.bericht().toStdString();
        EXPECT_TRUE(s.bericht().contains(QDir::toNativeSeparators(datei))) << s.bericht().toStdString();

        // Said while the page stays, gone once the operator turns to another page.
        s.pankenn.tabkenn_Switch(shell::PanKenn::kIndex);
        EXPECT_FALSE(s.bericht().isEmpty());
        s.pankenn.tabkenn_Switch(0);
        EXPECT_EQ(s.bericht(), QString());
    }
}

TEST(Export, AFileThatCannotBeWrittenIsToldAndNothingRuns) {
    TestDatenbank t;
    Aufzeichnungsseite s(t);
    QTemporaryDir ziel;
    s.pankenn.setExportFrage([&] { return shell::ExportWahl{{}, ziel.filePath(QStringLiteral("fehlt/g.csv"))}; });
    s.pankenn.cmdexportieren()->click();
    EXPECT_EQ(s.pankenn.exportLauf(), nullptr);
    EXPECT_EQ(s.meldungen.shown.size(), 1);
    EXPECT_TRUE(s.pankenn.cmdexportieren()->isEnabled());
}

struct Verlaufsseite {
    explicit Verlaufsseite(const TestDatenbank& t) : seite([&t] { return t.mdb(); }, uhr) {
        seite.resize(565, 258); // the page at the window's design size
        seite.show();
    }
    QString figuren() const {
        return QStringList{seite.lblanzahl()->text(), seite.lblminimum()->text(), seite.lblmaximum()->text(),
                           seite.lblsumme()->text()}
            .join('|');
    }
    // Pixels of the line's colour in the chart: none without rows.
    int linienpunkte() {
        const QImage bild = seite.picverlauf()->grab().toImage();
        const QRgb farbe = seite.picverlauf()->palette().color(QPalette::Highlight).rgb();
        int n = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                n += bild.pixel(x, y) == farbe;
        return n;
    }
    FakeUhr uhr{QDateTime(QDate(2026, 12, 6), QTime(15, 0))};
    shell::PanVerlauf seite;
};

TEST(Verlauf, ShowsTodayReadsAnewAtEachSwitchAndKeepsNothingOpen) {
    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TestDatenbank t;
    t.mdbAusVorlage();
    fuellen(t.mdb(), QDate(2026, 12, 5), 10, QStringLiteral("1000"));
    fuellen(t.mdb(), QDate(2026, 12, 6), 3, QStringLiteral("1234.5 * (i + 1)"));
    Verlaufsseite v(t);
    EXPECT_EQ(v.seite.dtptag()->date(), QDate(2026, 12, 6));
    v.seite.tabkenn_Switch(2); // another page: nothing is read
    EXPECT_EQ(v.figuren(), QStringLiteral(" Anzahl: 0| Minimum: | Maximum: | Summe: "));
    EXPECT_EQ(v.linienpunkte(), 0);

    v.seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
    EXPECT_EQ(v.figuren(), QStringLiteral(" Anzahl: 3| Minimum: 1.234,5| Maximum: 3.703,5| Summe: 7.407,0"));
    EXPECT_GT(v.linienpunkte(), 0);
    EXPECT_EQ(v.seite.picverlauf()->werte().spalten, v.seite.picverlauf()->spalten());
    EXPECT_FALSE(Datenquelle::inBenutzung(t.mdb()));

    // Rows stored meanwhile show at the next switch to the page, not before.
    fuellen(t.mdb(), QDate(2026, 12, 6), 1, QStringLiteral("-5"));
    v.seite.tabkenn_Switch(0);
    EXPECT_TRUE(v.figuren().startsWith(QStringLiteral(" Anzahl: 3|")));
    v.seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
    EXPECT_EQ(v.figuren(), QStringLiteral(" Anzahl: 4| Minimum: -5,0| Maximum: 3.703,5| Summe: 7.402,0"));

    // A day picked stays picked; until then a switch after midnight shows the new day.
    v.uhr.zeit = QDateTime(QDate(2026, 12, 7), QTime(0, 0, 5));
    v.seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
    EXPECT_EQ(v.seite.dtptag()->date(), QDate(2026, 12, 7));
    EXPECT_EQ(v.linienpunkte(), 0);
    v.seite.dtptag()->setDate(QDate(2026, 12, 5));
    EXPECT_TRUE(v.figuren().startsWith(QStringLiteral(" Anzahl: 10|")));
    v.seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
    EXPECT_EQ(v.seite.dtptag()->date(), QDate(2026, 12, 5));
    EXPECT_FALSE(Datenquelle::inBenutzung(t.mdb()));
    QLocale::setDefault(vorher);
}

TEST(Verlauf, AnyStoredDoubleDrawsOrIsLeftOutWithANoteOnAScaleOfAFewMarks) {
    const double unendlich = std::numeric_limits<double>::infinity();
    const double groesst = std::numeric_limits<double>::max();
    const std::vector<double> faelle[] = {
        {5e15},           {unendlich},       {-unendlich},         {std::nan("")},   {1e308},
        {-1e308},         {1e308, -1e308},   {groesst, -groesst},  {groesst},        {-groesst},
        {5e15, 5e15 + 2}, {5e-324, -5e-324}, {12.5, unendlich, 3}, {999999999999.5},
    };
    TestDatenbank t;
    t.mdbAusVorlage();
    Verlaufsseite v(t);
    shell::VerlaufsDiagramm& diagramm = *v.seite.picverlauf();
    for (const std::vector<double>& gewichte : faelle) {
        std::string name;
        for (const double g : gewichte)
            name += QString::number(g).toStdString() + ' ';
        SCOPED_TRACE(name);
        recording::TagesWerte werte;
        werte.spalten = diagramm.spalten();
        bool zahl = false;
        bool ohneZahl = false;
        for (std::size_t i = 0; i < gewichte.size(); ++i) {
            const double g = gewichte[i];
            werte.verlauf.append({static_cast<int>(i) * 50, g, g});
            ++werte.anzahl;
            if (!std::isfinite(g)) {
                ohneZahl = true;
                continue;
            }
            werte.min = zahl ? std::min(werte.min, g) : g;
            werte.max = zahl ? std::max(werte.max, g) : g;
            zahl = true;
        }
        diagramm.setWerte(werte);
        const QVector<double> marken = diagramm.teilung();
        EXPECT_GE(marken.size(), 2);
        EXPECT_LE(marken.size(), 8);
        for (qsizetype i = 0; i < marken.size(); ++i) {
            EXPECT_TRUE(std::isfinite(marken[i]));
            if (i > 0) {
                EXPECT_LT(marken[i - 1], marken[i]);
            }
        }
        // The scale's labels leave the plot area most of the width.
        EXPECT_GT(diagramm.spalten(), diagramm.width() / 2);
        EXPECT_EQ(v.linienpunkte() > 0, zahl);
        EXPECT_EQ(diagramm.hinweis().isEmpty(), !ohneZahl && zahl) << diagramm.hinweis().toStdString();
    }

    // The same from the database: a weight no scale can weigh, read and drawn by the page.
    fuellen(t.mdb(), QDate(2026, 12, 6), 1, QStringLiteral("5e15"));
    v.seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
    EXPECT_LE(diagramm.teilung().size(), 8);
    EXPECT_GT(v.linienpunkte(), 0);
    EXPECT_TRUE(v.figuren().startsWith(QStringLiteral(" Anzahl: 1|"))) << v.figuren().toStdString();
}

} // namespace
