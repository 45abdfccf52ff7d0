// A weight the indicator no longer confirms: grey digits, a line saying since when, and a hotkey that
// pastes nothing while it lasts. The window's clock is the test's.
#include "fakes/fakeuhr.h"
#include "hauptfenster_fixture.h"
#include "shell/statusband.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace {

constexpr int kStrgL = 29, kY = 44;

class Veraltet : public HauptfensterMitUhr {
protected:
    // The clock moves on by this much, and a tick of Timer1 sees it.
    void vergehen(int ms) {
        fakeUhr.zeit = fakeUhr.zeit.addMSecs(ms);
        frm->Timer1_Timer();
    }
    // A press of Ctrl+Y, and the target's fetch of whatever it pasted.
    void druecken() {
        tastatur.halten({kStrgL, kY});
        frm->Timer1_Timer();
        tastatur.loslassen();
        frm->Timer1_Timer();
        if (einfueger.wartet())
            einfueger.beenden();
    }

    QColor ziffern() const { return frm->txtgewicht()->palette().color(QPalette::Text); }
};

TEST_F(Veraltet, SilentIndicatorGreysTheDigitsAndTheHotkeyPastesNothingUntilTheNextTelegram) {
    laden();
    const QColor normal = ziffern();
    telegramm();
    ASSERT_EQ(frm->txtgewicht()->text(), QStringLiteral("12,50"));

    vergehen(1900);
    EXPECT_EQ(ziffern(), normal);
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QString());
    druecken();
    EXPECT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});

    vergehen(100); // two seconds without a telegram
    const QColor grau = ziffern();
    EXPECT_NE(grau, normal);
    EXPECT_EQ(grau.hslSaturation(), 0);
    EXPECT_GT(grau.lightness(), normal.lightness());
    EXPECT_EQ(frm->txtgewicht()->text(), QStringLiteral("12,50")) << "the last weight stays in sight";
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QStringLiteral("Keine Daten seit 10:00:00"));
    EXPECT_EQ(bandzeile(QStringLiteral("nichtEingefuegt")), QString());

    vergehen(18000);
    druecken();
    EXPECT_EQ(einfueger.texte.size(), 1) << "an old weight is no weight to paste";
    EXPECT_EQ(bandzeile(QStringLiteral("nichtEingefuegt")),
              QStringLiteral("Nicht eingefügt: das Gewicht ist veraltet (keine Daten seit 10:00:00)"));

    // Half a telegram is no sign of life; a whole one is.
    telegramm("=00.0");
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QStringLiteral("Keine Daten seit 10:00:00"));
    telegramm("100");
    EXPECT_EQ(ziffern(), normal);
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QString());
    EXPECT_EQ(bandzeile(QStringLiteral("nichtEingefuegt")), QString());
    druecken();
    EXPECT_EQ(einfueger.texte, (QStringList{QStringLiteral("12,50"), QStringLiteral("10,00")}));
}

TEST_F(Veraltet, TheSameWeightAgainCountsAsFresh) {
    laden();
    telegramm();
    for (int i = 0; i < 10; ++i) {
        vergehen(1000);
        telegramm();
    }
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QString());
    druecken();
    EXPECT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});
}

TEST_F(Veraltet, LineNamesTheDayWhenTheLastTelegramWasNotToday) {
    laden();
    fakeUhr.zeit = QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58));
    telegramm();
    vergehen(3000);
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QStringLiteral("Keine Daten seit 06.12.2026 23:59:58"));
}

TEST_F(Veraltet, BeforeTheFirstTelegramThereIsNothingToCallOld) {
    laden();
    vergehen(60000);
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QString());
    druecken();
    EXPECT_TRUE(einfueger.texte.isEmpty());
}

// The setting in seconds: 0 never, a value that is no whole number of seconds up to an hour the default.
struct Grenze {
    const char* gespeichert; // nullptr: none stored
    int frischMs;            // still fresh this long after the telegram
    int veraltetMs;          // old from here on; 0: never
};

void PrintTo(const Grenze& g, std::ostream* os) {
    *os << "Veraltet=" << (g.gespeichert ? '"' + std::string(g.gespeichert) + '"' : std::string("(fehlt)"));
}

class VeraltetNach : public Veraltet, public testing::WithParamInterface<Grenze> {};

TEST_P(VeraltetNach, TheStoredSecondsOrTheDefault) {
    if (GetParam().gespeichert)
        setting(QStringLiteral("Veraltet"), QString::fromUtf8(GetParam().gespeichert));
    laden();
    telegramm();
    vergehen(GetParam().frischMs);
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QString());
    if (GetParam().veraltetMs == 0) {
        vergehen(24 * 3600 * 1000);
        EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QString());
        druecken();
        EXPECT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});
        return;
    }
    vergehen(GetParam().veraltetMs - GetParam().frischMs);
    EXPECT_EQ(bandzeile(QStringLiteral("keineDaten")), QStringLiteral("Keine Daten seit 10:00:00"));
    EXPECT_TRUE(store.inhalt.writes.filter(QStringLiteral("Veraltet")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Gespeichert, VeraltetNach,
                         testing::Values(Grenze{nullptr, 1999, 2000}, Grenze{"2", 1999, 2000}, Grenze{"5", 4999, 5000},
                                         Grenze{" 1 ", 999, 1000}, Grenze{"3600", 3599999, 3600000},
                                         Grenze{"0", 3600000, 0}, Grenze{"-1", 1999, 2000}, Grenze{"abc", 1999, 2000},
                                         Grenze{"", 1999, 2000}, Grenze{"2,5", 1999, 2000},
                                         Grenze{"99999999999", 1999, 2000}, Grenze{"3601", 1999, 2000}),
                         [](const testing::TestParamInfo<Grenze>& p) { return "Fall" + std::to_string(p.index); });

} // namespace
