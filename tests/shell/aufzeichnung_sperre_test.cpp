// The recording tick on the real weight store while another program holds zel.mdb's write lock. The other
// program is a process of its own (the sqlite3 shell), so the lock is the one SQLite really meets at the
// operator's; the window, the tick and the store run here, driven by the test's clock.
#include "fakes/zaehlenderspeicher.h"
#include "recording/weightstore.h"
#include "recording_controls_fixture.h"
#include "shell/aufzeichnung.h"
#include "sqliteprozess.h"
#include "testdatenbank.h"

#include <QLabel>
#include <QLineEdit>

using recording::Intervall;

namespace {

class RecordingTickGesperrt : public FrmMainMitAufzeichnung {
protected:
    void SetUp() override {
        FrmMainMitAufzeichnung::SetUp();
        t.mdbAusVorlage();
        ASSERT_TRUE(gewichtStore.oeffnen(t.mdb())) << gewichtStore.fehler().toStdString();
        // Only the ten-second interval, any change of at least 1 recorded.
        setting("chk10s", "1");
        setting("txt10s", "1");
        frm = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{.settings = store,
                                                                     .link = link,
                                                                     .ports = ports,
                                                                     .meldungen = meldungen,
                                                                     .speicher = &zaehler,
                                                                     .uhr = &uhr});
        frm->Form_Load();
    }

    shell::Aufzeichnung& aufzeichnung() { return *frm->aufzeichnung(); }
    void tick(int s) {
        uhr.zeit = QDateTime(QDate(2026, 12, 6), QTime(10, 0, s, 5));
        aufzeichnung().Timer2_Timer();
    }
    bool linieSichtbar() { return aufzeichnung().fehleranzeige()->isVisibleTo(frm.get()); }

    TestDatenbank t;
    recording::WeightStore gewichtStore;
    ZaehlenderSpeicher zaehler{gewichtStore};
};

TEST_F(RecordingTickGesperrt, DasIntervallVersuchtEsBeimNaechstenFaelligenTakt) {
    frm->txtgewicht()->setText(QStringLiteral("5"));
    tick(0);
    ASSERT_EQ(zaehler.versuche.size(), 1);
    ASSERT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i10s), 50000);
    ASSERT_FALSE(linieSichtbar());

    SqliteProzess sperre(t.mdb());
    ASSERT_TRUE(sperre.eingeben(QStringLiteral("begin exclusive;")));
    frm->txtgewicht()->setText(QStringLiteral("7"));
    tick(5);
    EXPECT_EQ(zaehler.versuche.size(), 1); // not due
    tick(10);
    ASSERT_EQ(zaehler.versuche.size(), 2);
    EXPECT_TRUE(linieSichtbar());
    // The whole text: the line itself is cut to the window's width.
    const QString linie = aufzeichnung().fehleranzeige()->toolTip();
    EXPECT_TRUE(linie.startsWith(QStringLiteral("Aufzeichnung gestört"))) << linie.toStdString();
    EXPECT_TRUE(linie.contains(gewichtStore.fehler())) << linie.toStdString();
    // The interval keeps the last value it really recorded, so the change is still due.
    EXPECT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i10s), 50000);

    // Not at every second after the failure: at the interval's next due tick.
    for (int s = 11; s < 20; ++s)
        tick(s);
    EXPECT_EQ(zaehler.versuche.size(), 2);
    tick(20);
    EXPECT_EQ(zaehler.versuche.size(), 3);
    EXPECT_TRUE(linieSichtbar());
    EXPECT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i10s), 50000);

    ASSERT_TRUE(sperre.eingeben(QStringLiteral("commit;")));
    ASSERT_TRUE(sperre.beenden());
    tick(25);
    EXPECT_EQ(zaehler.versuche.size(), 3);
    EXPECT_TRUE(linieSichtbar()); // until a row is stored again
    tick(30);
    EXPECT_EQ(zaehler.versuche.size(), 4);
    EXPECT_FALSE(linieSichtbar());
    EXPECT_EQ(aufzeichnung().regeln().letzterwert(Intervall::i10s), 70000);
    EXPECT_TRUE(meldungen.gezeigt.isEmpty()); // no message box at any point

    // What another program finds in the file: the rows of the ticks that stored, none of those that failed.
    const auto zeilen =
        SqliteProzess::ausfuehren(t.mdb(), QStringLiteral("select Datum, Gewicht from Gewichte order by rowid"));
    ASSERT_EQ(zeilen.rc, 0) << zeilen.fehler.toStdString();
    EXPECT_EQ(zeilen.zeilen.join(u';').toStdString(), "2026-12-06 10:00:00|5.0;2026-12-06 10:00:30|7.0");
}

} // namespace
