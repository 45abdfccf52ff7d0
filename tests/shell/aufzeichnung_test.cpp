#include "recording_controls_fixture.h"
#include "shell/aufzeichnung.h"
#include "shell/frmzusatzsalden.h"
#include "shell/intervallkasten.h"
#include "shell/paneigen.h"
#include "shell/pankenn.h"
#include "shell/panverlauf.h"
#include "shell/schwellenfeld.h"
#include "shell/statusband.h"
#include "shell/tabkenn.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using recording::Intervall;

namespace {

class RecordingTick : public FrmMainMitAufzeichnung {
protected:
    shell::Aufzeichnung& aufzeichnung() { return *frm->aufzeichnung(); }
    shell::FrmZusatzSalden& rahmen() { return *frm->paneigen()->frmzusatzsalden(); }
    void um(int h, int m, int s, int ms = 5) { uhr.zeit = QDateTime(QDate(2026, 12, 6), QTime(h, m, s, ms)); }
    // Only the one-second interval, threshold 0: every examined second stores.
    void jedeSekunde() {
        setting("chk10s", "0");
        setting("chk1s", "1");
        setting("txt1s", "0");
    }
};

struct Arming {
    int ms;
    int verzoegerung;
};

void PrintTo(const Arming& a, std::ostream* os) {
    *os << a.ms << "ms";
}

class SecondBoundary : public RecordingTick, public testing::WithParamInterface<Arming> {};

TEST_P(SecondBoundary, EachTickIsArmedForJustAfterTheNextSecond) {
    laden();
    um(10, 0, 0, GetParam().ms);
    frm->startTimers();
    QTimer& timer2 = frm->timer2();
    EXPECT_TRUE(timer2.isActive());
    EXPECT_TRUE(timer2.isSingleShot());
    EXPECT_EQ(timer2.timerType(), Qt::PreciseTimer);
    EXPECT_EQ(timer2.interval(), GetParam().verzoegerung);
    // The tick itself arms the next one from the clock as it reads after its work.
    um(10, 0, 1, GetParam().ms);
    aufzeichnung().Timer2_Timer();
    EXPECT_TRUE(timer2.isActive());
    EXPECT_EQ(timer2.interval(), GetParam().verzoegerung);
}

INSTANTIATE_TEST_SUITE_P(Uhrzeiten, SecondBoundary,
                         testing::Values(Arming{0, 1005}, Arming{5, 1000}, Arming{6, 999}, Arming{250, 755},
                                         Arming{999, 6}));

TEST_F(RecordingTick, EverySecondIsExaminedOnceWhateverTheTimerDoes) {
    jedeSekunde();
    laden();
    frm->txtgewicht()->setText(QStringLiteral("12,50"));
    frm->startTimers();
    um(10, 0, 0, 5);
    aufzeichnung().Timer2_Timer();
    um(10, 0, 0, 990); // early or repeated tick in the same second
    aufzeichnung().Timer2_Timer();
    um(10, 0, 1, 3);
    aufzeichnung().Timer2_Timer();
    um(10, 0, 3, 40); // a late tick: second 2 is gone, 3 is examined
    aufzeichnung().Timer2_Timer();
    ASSERT_EQ(speicher.versuche.size(), 3);
    EXPECT_EQ(speicher.zeilen[0].gewichtText, QStringLiteral("12,50"));
    EXPECT_EQ(speicher.zeilen[0].jetzt, QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0, 5)));
    EXPECT_EQ(speicher.zeilen[1].jetzt.time(), QTime(10, 0, 1, 3));
    EXPECT_EQ(speicher.zeilen[2].jetzt.time(), QTime(10, 0, 3, 40));
    EXPECT_EQ(frm->timer2().interval(), 1000 - 40 + shell::Aufzeichnung::kNachlaufMs);
}

TEST_F(RecordingTick, ReadsTheControlsAsTheyAreNow) {
    laden();
    frm->txtgewicht()->setText(QStringLiteral("5,3"));
    um(10, 0, 9);
    aufzeichnung().Timer2_Timer();
    um(10, 0, 10);
    aufzeichnung().Timer2_Timer();
    ASSERT_EQ(speicher.zeilen.size(), 1); // the default: 10 s with threshold 1
    // Switched off on the window, not yet written anywhere else: no row at the next due tick.
    rahmen().chk(Intervall::i10s)->click();
    frm->txtgewicht()->setText(QStringLiteral("9"));
    um(10, 0, 20);
    aufzeichnung().Timer2_Timer();
    EXPECT_EQ(speicher.versuche.size(), 1);
}

TEST_F(RecordingTick, ThresholdCountsAsTypedBeforeTheFieldIsLeft) {
    setting("chk10s", "0");
    setting("chk1s", "1");
    setting("txt1s", "5");
    laden();
    shell::Schwellenfeld* feld = rahmen().txt(Intervall::i1s);
    auto tippen = [feld](const char* text) {
        feld->selectAll();
        feld->del();
        feld->insert(QString::fromLatin1(text));
    };
    frm->txtgewicht()->setText(QStringLiteral("3"));
    um(10, 0, 1);
    aufzeichnung().Timer2_Timer();
    ASSERT_TRUE(speicher.versuche.isEmpty()); // 3 is below 5

    tippen("2");
    um(10, 0, 2);
    aufzeichnung().Timer2_Timer();
    EXPECT_EQ(speicher.versuche.size(), 1);

    // Emptied while still in the field: no number, no record.
    tippen("");
    frm->txtgewicht()->setText(QStringLiteral("30"));
    um(10, 0, 3);
    aufzeichnung().Timer2_Timer();
    EXPECT_EQ(speicher.versuche.size(), 1);
    // The setting is still written only when the field is left.
    EXPECT_TRUE(store.inhalt.writes.filter(QStringLiteral("txt1s")).isEmpty())
        << store.inhalt.writes.join(' ').toStdString();
}

TEST_F(RecordingTick, GrayedBoxNeverRecords) {
    setting("chk10s", "2");
    setting("chk1s", "2");
    setting("txt1s", "0");
    laden();
    frm->txtgewicht()->setText(QStringLiteral("5"));
    for (int s = 0; s < 12; ++s) {
        um(10, 0, s);
        aufzeichnung().Timer2_Timer();
    }
    EXPECT_TRUE(speicher.versuche.isEmpty());
}

TEST_F(RecordingTick, EmptiedThresholdFieldNeverRecords) {
    setting("chk1s", "1");
    setting("txt1s", "");
    laden();
    frm->txtgewicht()->setText(QStringLiteral("5"));
    um(10, 0, 1);
    aufzeichnung().Timer2_Timer();
    EXPECT_TRUE(speicher.versuche.isEmpty());
    EXPECT_FALSE(rahmen().txt(Intervall::i1s)->wert().has_value());
}

TEST_F(RecordingTick, EmptyOrFehlerWeightStoresNothing) {
    jedeSekunde();
    laden();
    int s = 0;
    for (const char* text : {"", "Fehler", "  "}) {
        frm->txtgewicht()->setText(QString::fromUtf8(text));
        um(10, 0, s++);
        aufzeichnung().Timer2_Timer();
    }
    EXPECT_TRUE(speicher.versuche.isEmpty());
}

TEST_F(RecordingTick, FailureShowsOnceOnTheWindowAndClearsOnSuccess) {
    jedeSekunde();
    laden();
    int gemeldet = 0;
    int behoben = 0;
    QObject::connect(&aufzeichnung(), &shell::Aufzeichnung::stoerungGemeldet, [&] { ++gemeldet; });
    QObject::connect(&aufzeichnung(), &shell::Aufzeichnung::stoerungBehoben, [&] { ++behoben; });
    QLabel* anzeige = aufzeichnung().fehleranzeige();
    ASSERT_NE(anzeige, nullptr);
    EXPECT_FALSE(anzeige->isVisibleTo(frm.get()));

    frm->txtgewicht()->setText(QStringLiteral("7"));
    speicher.gelingt = false;
    for (int s = 0; s < 5; ++s) {
        um(10, 0, s);
        aufzeichnung().Timer2_Timer();
    }
    EXPECT_EQ(speicher.versuche.size(), 5); // tried again at every due tick
    EXPECT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i1s), 0);
    EXPECT_EQ(gemeldet, 1);
    EXPECT_TRUE(anzeige->isVisibleTo(frm.get()));
    EXPECT_EQ(anzeige->text(), QStringLiteral("Aufzeichnung gestört seit 10:00:00: zel.mdb ist gesperrt"));
    EXPECT_EQ(anzeige->parentWidget(), frm->statusband());
    EXPECT_NE(static_cast<QWidget*>(anzeige), static_cast<QWidget*>(frm->txtgewicht()));
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("VELKOR ZEL Desktop"));
    EXPECT_TRUE(meldungen.gezeigt.isEmpty()); // no message box

    speicher.gelingt = true;
    um(10, 0, 5);
    aufzeichnung().Timer2_Timer();
    EXPECT_EQ(speicher.zeilen.size(), 1);
    EXPECT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i1s), 70000);
    EXPECT_EQ(behoben, 1);
    EXPECT_FALSE(anzeige->isVisibleTo(frm.get()));

    // A new streak is shown again.
    speicher.gelingt = false;
    frm->txtgewicht()->setText(QStringLiteral("8"));
    um(10, 0, 6);
    aufzeichnung().Timer2_Timer();
    EXPECT_EQ(gemeldet, 2);
    EXPECT_TRUE(anzeige->isVisibleTo(frm.get()));
}

TEST_F(RecordingTick, FailureLineLiesBelowTheButtonsAcrossTheWindow) {
    laden();
    frm->resize(900, 600);
    speicher.gelingt = false;
    setting("chk1s", "1");
    rahmen().chk(Intervall::i1s)->click();
    frm->txtgewicht()->setText(QStringLiteral("1"));
    um(10, 0, 1);
    aufzeichnung().Timer2_Timer();
    const QRect tab = frm->tabkenn()->geometry();
    const QLabel* anzeige = aufzeichnung().fehleranzeige();
    const QRect linie(anzeige->mapTo(frm.get(), QPoint(0, 0)), anzeige->size());
    EXPECT_TRUE(frm->rect().contains(linie)) << linie.x() << ',' << linie.y();
    EXPECT_GT(linie.top(), frm->cmdBeenden()->geometry().bottom());
    EXPECT_GT(linie.width(), tab.width() / 2);
}

TEST_F(RecordingTick, FailureAndDemoShareOneBandMostSevereFirstEachReadableAtTheMinimumSize) {
    laden();
    frm->show(); // at its designed size, which is the minimum
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    ASSERT_EQ(frm->size(), frm->minimumSize());
    const QString demo = QStringLiteral("Simulierte Wiegeanzeige – die Gewichte sind nicht echt");
    frm->setDemoBanner(demo);
    speicher.gelingt = false;
    speicher.fehlerText = QStringLiteral("database is locked by another program that keeps a write transaction "
                                         "open on the file in the data folder");
    setting("chk1s", "1");
    rahmen().chk(Intervall::i1s)->click();
    frm->txtgewicht()->setText(QStringLiteral("1"));
    um(10, 0, 1);
    aufzeichnung().Timer2_Timer();

    const shell::Statusband* band = frm->statusband();
    auto* fehler = band->findChild<QLabel*>(QStringLiteral("lblaufzeichnungsfehler"));
    auto* hinweis = band->findChild<QLabel*>(QStringLiteral("demoBanner"));
    ASSERT_NE(fehler, nullptr);
    ASSERT_NE(hinweis, nullptr);
    ASSERT_TRUE(fehler->isVisibleTo(frm.get()));
    ASSERT_TRUE(hinweis->isVisibleTo(frm.get()));
    EXPECT_LT(fehler->y(), hinweis->y()) << "the failure above the notice";
    EXPECT_LE(fehler->geometry().bottom(), hinweis->geometry().top());
    const QString voll = QStringLiteral("Aufzeichnung gestört seit 10:00:01: ") + speicher.fehlerText;
    EXPECT_EQ(fehler->toolTip(), voll);
    EXPECT_EQ(hinweis->toolTip(), demo);
    EXPECT_TRUE(fehler->text().endsWith(QStringLiteral("…"))) << fehler->text().toStdString();
    EXPECT_TRUE(voll.startsWith(fehler->text().chopped(1)));
    EXPECT_EQ(hinweis->text(), demo);
    for (const QLabel* zeile : {fehler, hinweis})
        EXPECT_LE(zeile->fontMetrics().horizontalAdvance(zeile->text()), zeile->contentsRect().width())
            << zeile->objectName().toStdString();

    // The band has room of its own below the buttons, whole in the window: over no page and no button, the
    // window's or a page's own.
    const QRect tab = frm->tabkenn()->geometry();
    for (const int seite : {shell::PanKenn::kIndex, 0}) {
        frm->tabkenn()->setCurrentIndex(seite);
        const QRect flaeche(band->pos(), band->size());
        EXPECT_TRUE(frm->rect().contains(flaeche)) << seite;
        EXPECT_FALSE(tab.intersects(flaeche)) << seite;
        EXPECT_GT(flaeche.top(), frm->cmdBeenden()->geometry().bottom()) << seite;
        for (const QPushButton* knopf : frm->findChildren<QPushButton*>()) {
            if (knopf->isVisibleTo(frm.get())) {
                const QRect imFenster(knopf->mapTo(frm.get(), QPoint(0, 0)), knopf->size());
                EXPECT_FALSE(flaeche.intersects(imFenster)) << seite << ' ' << knopf->objectName().toStdString();
            }
        }
    }

    // The failure over, the notice closes up to the band's only line.
    speicher.gelingt = true;
    um(10, 0, 2);
    aufzeichnung().Timer2_Timer();
    EXPECT_FALSE(fehler->isVisibleTo(frm.get()));
    EXPECT_TRUE(hinweis->isVisibleTo(frm.get()));
    EXPECT_EQ(band->height(), hinweis->height());
    EXPECT_EQ(hinweis->y(), 0);
}

TEST_F(RecordingTick, UnloadStopsTheTickForGood) {
    jedeSekunde();
    laden();
    frm->startTimers();
    ASSERT_TRUE(frm->timer2().isActive());
    frm->Form_Unload();
    EXPECT_FALSE(frm->timer2().isActive());
    frm->txtgewicht()->setText(QStringLiteral("1"));
    aufzeichnung().Timer2_Timer();
    EXPECT_FALSE(frm->timer2().isActive());
}

TEST_F(RecordingTick, StartUpZeroesTheLastValues) {
    frm = nullptr;
    laden();
    aufzeichnung().regeln().setLetzterwert(Intervall::i10s, 53000);
    frm->Form_Load();
    EXPECT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i10s), 0);
}

TEST_F(RecordingTick, OnVerlaufTheBandLeavesTheRowOfFiguresFree) {
    laden();
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    frm->setDemoBanner(QStringLiteral("Simulierte Wiegeanzeige – die Gewichte sind nicht echt"));
    frm->statusband()->setzen(QStringLiteral("zweiteZeile"), shell::Statusband::Schwere::Warnung,
                              QStringLiteral("Zentrale nicht erreichbar"));
    frm->tabkenn()->setCurrentIndex(shell::PanVerlauf::kIndex);
    const shell::PanVerlauf* seite = frm->panverlauf();
    // At the designed size and larger, the figures whole on the page and none under the band.
    for (const QSize groesse : {frm->minimumSize(), frm->minimumSize() + QSize(300, 200)}) {
        frm->resize(groesse);
        QCoreApplication::processEvents();
        const shell::Statusband* band = frm->statusband();
        ASSERT_TRUE(band->isVisible());
        const QRect flaeche(band->pos(), band->size());
        const QRect seiteImFenster(seite->mapTo(frm.get(), QPoint(0, 0)), seite->size());
        for (const QLabel* figur : {seite->lblanzahl(), seite->lblminimum(), seite->lblmaximum(), seite->lblsumme()}) {
            const QRect imFenster(figur->mapTo(frm.get(), QPoint(0, 0)), figur->size());
            EXPECT_TRUE(seiteImFenster.contains(imFenster)) << figur->objectName().toStdString();
            EXPECT_FALSE(flaeche.intersects(imFenster)) << figur->objectName().toStdString() << ' ' << groesse.width();
        }
    }
}

} // namespace
