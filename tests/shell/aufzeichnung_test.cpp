#include "recording_controls_fixture.h"
#include "shell/aufzeichnung.h"
#include "shell/frmzusatzsalden.h"
#include "shell/intervallkasten.h"
#include "shell/paneigen.h"
#include "shell/schwellenfeld.h"
#include "shell/tabkenn.h"

#include <QLabel>
#include <QLineEdit>

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
    EXPECT_EQ(anzeige->parentWidget(), frm.get());
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

TEST_F(RecordingTick, FailureLineLiesOverTheBottomOfThePages) {
    laden();
    frm->resize(900, 600);
    speicher.gelingt = false;
    setting("chk1s", "1");
    rahmen().chk(Intervall::i1s)->click();
    frm->txtgewicht()->setText(QStringLiteral("1"));
    um(10, 0, 1);
    aufzeichnung().Timer2_Timer();
    const QRect tab = frm->tabkenn()->geometry();
    const QRect linie = aufzeichnung().fehleranzeige()->geometry();
    EXPECT_TRUE(tab.contains(linie)) << tab.x() << ',' << tab.y() << ' ' << linie.x() << ',' << linie.y();
    EXPECT_GT(linie.top(), tab.top() + tab.height() / 2);
    EXPECT_GT(linie.width(), tab.width() / 2);
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

} // namespace
