#include "fakeabholererkennung.h"
#include "fakes/fakekeystrokes.h"
#include "handover/zwischenablageeinfueger.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using handover::ZwischenablageEinfueger;

namespace {

struct Ergebnis {
    std::optional<bool> abgeholt;
    int anzahl = 0;
};

// Runs the event loop until the paste reports, or the time is up.
void warten(ZwischenablageEinfueger& einfueger, Ergebnis& ergebnis, int ms) {
    if (ergebnis.abgeholt)
        return;
    QEventLoop loop;
    QObject::connect(&einfueger, &ZwischenablageEinfueger::fertig, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class ZwischenablageEinfuegerTest : public ::testing::Test {
protected:
    ZwischenablageEinfuegerTest()
        : clipboard(*QGuiApplication::clipboard()), einfueger(keystrokes, clipboard, erkennung) {
        clipboard.setText(QStringLiteral("vom Bediener kopiert"));
        einfueger.setWartezeiten(30, 1000, 400);
        QObject::connect(&einfueger, &ZwischenablageEinfueger::fertig, [this](bool abgeholt) {
            ergebnis.abgeholt = abgeholt;
            ++ergebnis.anzahl;
        });
    }
    ~ZwischenablageEinfuegerTest() override { clipboard.clear(); }

    bool leer() const {
        const QMimeData* daten = clipboard.mimeData();
        return !daten || daten->formats().isEmpty();
    }

    // Lets the event loop run for `ms` whatever happens.
    static void laufen(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    FakeKeystrokes keystrokes;
    FakeAbholerErkennung erkennung;
    QClipboard& clipboard;
    ZwischenablageEinfueger einfueger;
    Ergebnis ergebnis;
};

TEST_F(ZwischenablageEinfuegerTest, ZielHoltDenTextNachDemStrgVAb) {
    QString imZiel;
    keystrokes.onSend = [&] { imZiel = clipboard.text(); };
    platform::KeyStateBytes state{};
    state[29] = 1;
    state[44] = 1;
    einfueger.einfuegen(QStringLiteral("12,50"), state);
    EXPECT_TRUE(einfueger.wartet());
    EXPECT_EQ(imZiel, QStringLiteral("12,50"));
    ASSERT_EQ(keystrokes.sent.size(), 1u);
    // The operator holds Ctrl: only V is typed.
    EXPECT_EQ(keystrokes.sent.front(), (std::vector<platform::KeyEvent>{{47, true}, {47, false}}));
    // Still there for a second format during the grace period.
    EXPECT_EQ(clipboard.text(), QStringLiteral("12,50"));
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_TRUE(*ergebnis.abgeholt);
    EXPECT_FALSE(einfueger.wartet());
    EXPECT_TRUE(leer());
}

TEST_F(ZwischenablageEinfuegerTest, OhneAbholungBleibtDerTextBisZumZeitlimit) {
    einfueger.einfuegen(QStringLiteral("Fehler"), {});
    // Listing the formats is not fetching.
    EXPECT_TRUE(clipboard.mimeData()->hasText());
    laufen(600); // past the hold time, well before the limit: the hold time alone ends nothing
    EXPECT_FALSE(ergebnis.abgeholt.has_value());
    EXPECT_TRUE(einfueger.wartet());
    EXPECT_TRUE(clipboard.mimeData()->hasText());
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_FALSE(*ergebnis.abgeholt);
    EXPECT_TRUE(leer());
}

// A clipboard manager reads the new content at once; the target comes later. Only the target's fetch ends
// the paste.
TEST_F(ZwischenablageEinfuegerTest, FremdesLesenBeendetDasWartenNicht) {
    int zielBeimSenden = -1;
    keystrokes.onSend = [&] { zielBeimSenden = erkennung.gemerkt; };
    erkennung.antwort = platform::Abholer::Fremder;
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    EXPECT_EQ(zielBeimSenden, 1); // the target is noted before the Ctrl+V goes out
    EXPECT_EQ(clipboard.text(), QStringLiteral("12,50"));
    laufen(150); // far past the grace after a fetch
    EXPECT_TRUE(einfueger.wartet());
    EXPECT_FALSE(ergebnis.abgeholt.has_value());
    EXPECT_EQ(clipboard.text(), QStringLiteral("12,50"));

    erkennung.antwort = platform::Abholer::Ziel;
    EXPECT_EQ(clipboard.text(), QStringLiteral("12,50"));
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_TRUE(*ergebnis.abgeholt);
    EXPECT_EQ(ergebnis.anzahl, 1);
    EXPECT_TRUE(leer());
}

// Where nobody says who read, an early fetch may have been a manager's: the text stays for the hold time.
TEST_F(ZwischenablageEinfuegerTest, UnbekannteHerkunftHaeltDenTextBisZurHaltezeit) {
    einfueger.setWartezeiten(30, 60000, 400); // so only the hold time can end it within the test
    erkennung.antwort = platform::Abholer::Unbekannt;
    keystrokes.onSend = [&] { (void)clipboard.text(); };
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    laufen(150);
    EXPECT_TRUE(einfueger.wartet());
    EXPECT_EQ(clipboard.text(), QStringLiteral("12,50"));
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_TRUE(*ergebnis.abgeholt);
    EXPECT_TRUE(leer());
}

TEST_F(ZwischenablageEinfuegerTest, NichtGesendetEndetSofortMitLeererZwischenablage) {
    keystrokes.sendSucceeds = false;
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    EXPECT_FALSE(einfueger.wartet());
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_FALSE(*ergebnis.abgeholt);
    EXPECT_TRUE(leer());
}

TEST_F(ZwischenablageEinfuegerTest, KeinZweitesEinfuegenWaehrendGewartetWird) {
    einfueger.einfuegen(QStringLiteral("1"), {});
    einfueger.einfuegen(QStringLiteral("2"), {});
    EXPECT_EQ(keystrokes.sent.size(), 1u);
    EXPECT_EQ(clipboard.text(), QStringLiteral("1"));
    warten(einfueger, ergebnis, 2000);
    EXPECT_EQ(ergebnis.anzahl, 1);
    // A new paste after the first is over works again, and each reports once.
    keystrokes.onSend = [&] { (void)clipboard.text(); };
    einfueger.einfuegen(QStringLiteral("3"), {});
    ergebnis.abgeholt.reset();
    warten(einfueger, ergebnis, 2000);
    EXPECT_EQ(ergebnis.anzahl, 2);
    EXPECT_EQ(keystrokes.sent.size(), 2u);
}

TEST_F(ZwischenablageEinfuegerTest, LeerenEntferntDenInhaltDesBedieners) {
    ASSERT_FALSE(leer());
    einfueger.leeren();
    EXPECT_TRUE(leer());
}

} // namespace
