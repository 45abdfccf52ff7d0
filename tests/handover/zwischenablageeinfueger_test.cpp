#include "fakeabholererkennung.h"
#include "fakes/fakekeyboardstate.h"
#include "fakes/fakekeystrokes.h"
#include "handover/qtablage.h"
#include "handover/zwischenablageeinfueger.h"
#include "platform/zielpruefung.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using handover::ZwischenablageEinfueger;

namespace {

// The target's rights as the test sets them.
class FakeZielPruefung final : public platform::ZielPruefung {
public:
    bool erhoeht() override { return hoeher; }
    bool hoeher = false;
};

// The clipboard that another program holds open for the first `belegt` offers: Qt drops each of them, and
// the clipboard keeps what it held.
class BelegteAblage final : public handover::Ablage {
public:
    explicit BelegteAblage(QClipboard& clipboard) : echt(clipboard) {}
    void setzen(QMimeData* daten) override {
        if (belegt > 0) {
            --belegt;
            ++abgewiesen;
            delete daten;
            return;
        }
        echt.setzen(daten);
    }
    bool haelt(const QMimeData* daten) const override { return echt.haelt(daten); }
    std::unique_ptr<QMimeData> sichern() const override { return echt.sichern(); }
    void leeren() override { echt.leeren(); }

    handover::QtAblage echt;
    int belegt = 0;
    int abgewiesen = 0;
};

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
        : clipboard(*QGuiApplication::clipboard()), ablage(clipboard), einfueger(keystrokes, ablage, erkennung, ziel) {
        clipboard.setText(QStringLiteral("vom Bediener kopiert"));
        einfueger.setWartezeiten(30, 1000, 400);
        QObject::connect(&einfueger, &ZwischenablageEinfueger::fertig, [this](bool abgeholt) {
            ergebnis.abgeholt = abgeholt;
            ++ergebnis.anzahl;
        });
        QObject::connect(&einfueger, &ZwischenablageEinfueger::abgelehnt,
                         [this](const QString& grund) { abgelehnt << grund; });
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

    bool zurueck() const { return clipboard.text() == QStringLiteral("vom Bediener kopiert"); }

    FakeKeystrokes keystrokes;
    FakeAbholerErkennung erkennung;
    FakeZielPruefung ziel;
    QClipboard& clipboard;
    BelegteAblage ablage;
    ZwischenablageEinfueger einfueger;
    Ergebnis ergebnis;
    QStringList abgelehnt;
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
    // The operator holds left Ctrl: it is left alone, and the right one covers the V.
    EXPECT_EQ(keystrokes.sent.front(),
              (std::vector<platform::KeyEvent>{{157, true}, {47, true}, {47, false}, {157, false}}));
    // Still there for a second format during the grace period.
    EXPECT_EQ(clipboard.text(), QStringLiteral("12,50"));
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_TRUE(*ergebnis.abgeholt);
    EXPECT_FALSE(einfueger.wartet());
    EXPECT_TRUE(zurueck());
}

// A 30 ms tap of Ctrl+Y: by the time the clipboard is set, the operator has let go of Ctrl. A V sent on its
// own would type a "v" into the target.
TEST_F(ZwischenablageEinfuegerTest, DasStrgVRichtetSichNachDenTastenBeimSendenNichtBeimDruck) {
    FakeKeyboardState tastatur;
    einfueger.setTastatur(&tastatur);
    platform::KeyStateBytes beimDruck{};
    beimDruck[29] = 0x80;
    beimDruck[44] = 0x80;
    einfueger.einfuegen(QStringLiteral("12,50"), beimDruck);
    ASSERT_EQ(keystrokes.sent.size(), 1u);
    EXPECT_EQ(keystrokes.sent.front(),
              (std::vector<platform::KeyEvent>{{29, true}, {47, true}, {47, false}, {29, false}}));
    warten(einfueger, ergebnis, 2000);

    tastatur.halten({29});
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    ASSERT_EQ(keystrokes.sent.size(), 2u);
    EXPECT_EQ(keystrokes.sent.back(),
              (std::vector<platform::KeyEvent>{{157, true}, {47, true}, {47, false}, {157, false}}));
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
    EXPECT_TRUE(zurueck());
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
    EXPECT_TRUE(zurueck());
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
    EXPECT_TRUE(zurueck());
}

TEST_F(ZwischenablageEinfuegerTest, NichtGesendetEndetSofortUndGibtDieAblageZurueck) {
    keystrokes.sendSucceeds = false;
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    EXPECT_FALSE(einfueger.wartet());
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_FALSE(*ergebnis.abgeholt);
    EXPECT_TRUE(zurueck());
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

// What the operator had copied, in all its formats, is there again once the target has the weight; what
// another program set during the paste is that program's and stays.
TEST_F(ZwischenablageEinfuegerTest, DerInhaltDesBedienersKommtZurueckAusserJemandSetztIhnNeu) {
    auto* kopiert = new QMimeData;
    kopiert->setText(QStringLiteral("Lieferschein 4711"));
    kopiert->setHtml(QStringLiteral("<b>Lieferschein 4711</b>"));
    kopiert->setData(QStringLiteral("application/x-tabelle"), QByteArray("\x00\x01zeile", 7));
    clipboard.setMimeData(kopiert);
    keystrokes.onSend = [&] { EXPECT_EQ(clipboard.text(), QStringLiteral("12,50")); };
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.value_or(false));
    const QMimeData* jetzt = clipboard.mimeData();
    ASSERT_NE(jetzt, nullptr);
    EXPECT_EQ(jetzt->text(), QStringLiteral("Lieferschein 4711"));
    EXPECT_EQ(jetzt->html(), QStringLiteral("<b>Lieferschein 4711</b>"));
    EXPECT_EQ(jetzt->data(QStringLiteral("application/x-tabelle")), QByteArray("\x00\x01zeile", 7));

    keystrokes.onSend = [&] { clipboard.setText(QStringLiteral("neu kopiert")); };
    ergebnis.abgeholt.reset();
    einfueger.einfuegen(QStringLiteral("13,00"), {});
    warten(einfueger, ergebnis, 2000);
    ASSERT_TRUE(ergebnis.abgeholt.has_value());
    EXPECT_EQ(clipboard.text(), QStringLiteral("neu kopiert"));
}

// Another program holds the clipboard open: a short hold is waited out; a long one sends no Ctrl+V at all,
// which would paste the operator's own text as the weight, and says so.
TEST_F(ZwischenablageEinfuegerTest, OhneDasGewichtAufDerAblageGehtKeinStrgVHinaus) {
    ablage.belegt = 2;
    QString imZiel;
    keystrokes.onSend = [&] { imZiel = clipboard.text(); };
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    EXPECT_EQ(ablage.abgewiesen, 2);
    ASSERT_EQ(keystrokes.sent.size(), 1u);
    EXPECT_EQ(imZiel, QStringLiteral("12,50"));
    warten(einfueger, ergebnis, 2000);
    EXPECT_TRUE(zurueck());

    ablage.belegt = 1000000;
    ergebnis = {};
    einfueger.einfuegen(QStringLiteral("13,00"), {});
    EXPECT_EQ(keystrokes.sent.size(), 1u);
    EXPECT_FALSE(einfueger.wartet());
    EXPECT_FALSE(ergebnis.abgeholt.has_value());
    EXPECT_EQ(abgelehnt, QStringList{QStringLiteral("Zwischenablage belegt – Gewicht nicht eingefügt")});
    EXPECT_TRUE(zurueck());
}

// Keys sent into a program with more rights are dropped by the system without a word.
TEST_F(ZwischenablageEinfuegerTest, EinZielMitMehrRechtenBekommtNichtsUndDerBedienerErfaehrtWarum) {
    ziel.hoeher = true;
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    EXPECT_TRUE(keystrokes.sent.empty());
    EXPECT_FALSE(einfueger.wartet());
    EXPECT_EQ(abgelehnt, QStringList{QStringLiteral("Ziel läuft als Administrator – Einfügen nicht möglich")});
    EXPECT_TRUE(zurueck());
    ziel.hoeher = false;
    einfueger.einfuegen(QStringLiteral("12,50"), {});
    EXPECT_EQ(keystrokes.sent.size(), 1u);
}

TEST_F(ZwischenablageEinfuegerTest, LeerenEntferntDenInhaltDesBedieners) {
    ASSERT_FALSE(leer());
    einfueger.leeren();
    EXPECT_TRUE(leer());
}

} // namespace
