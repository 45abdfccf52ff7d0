// The weight hand-over end to end on a real X server: the main window with the real keyboard source,
// keystrokes and clipboard, fed telegrams through a fake port, and a separate Qt program as the
// operator's application with the focus. The operator's keys are pressed through XTest, which the server
// reports like a keyboard's. With HANDOVER_E2E_LESER set, a clipboard manager's stand-in reads every new
// clipboard content throughout.
#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "fakes/fakeserialport.h"
#include "fakes/memorysettingsstore.h"
#include "fakes/recordingmeldungen.h"
#include "handover/zwischenablageeinfueger.h"
#include "platform/x11/x11keyboardstate.h"
#include "platform/x11/x11keystrokes.h"
#include "shell/frmmain.h"
#include "shell/paneigen.h"
#include "shell/pansalden.h"
#include "tastenwiederholung.h"

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace {

constexpr std::uint16_t kStrgL = 29, kStrgR = 157, kAltL = 56, kAltGr = 184, kUmschaltL = 42, kY = 44, kB = 48,
                        kF5 = 63;
constexpr int kVerzoegerungMs = 500;
const QString kGewicht = QStringLiteral("12,50");

class HandoverX11 : public ::testing::Test {
protected:
    void SetUp() override {
        // Auto-repeat would add key events the tests do not hold on purpose; the delay still counts.
        tastenwiederholungAus();
        wiederholVerzoegerungSetzen(kVerzoegerungMs);
        if (qEnvironmentVariableIsSet("HANDOVER_E2E_LESER")) {
            ASSERT_NO_FATAL_FAILURE(leserStarten());
        }
        ziel.setProgram(QStringLiteral(ZIELFELD_PFAD));
        ziel.setArguments(zielArgumente);
        ziel.start();
        ASSERT_TRUE(ziel.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return zeilen().contains(QStringLiteral("BEREIT")); }, 10000))
            << zeilen().join('\n').toStdString();
    }

    void TearDown() override {
        if (frm)
            frm->Form_Unload();
        for (QProcess* prozess : {&ziel, &leser}) {
            if (prozess->state() == QProcess::NotRunning)
                continue;
            prozess->closeWriteChannel();
            if (!prozess->waitForFinished(3000))
                prozess->kill();
        }
    }

    void leserStarten() {
        leser.setProgram(QStringLiteral(ABLAGELESER_PFAD));
        leser.start();
        ASSERT_TRUE(leser.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return gelesen().contains(QStringLiteral("BEREIT")); }, 5000));
    }

    QStringList gelesen() {
        leserAusgabe += QString::fromUtf8(leser.readAllStandardOutput());
        return leserAusgabe.split('\n', Qt::SkipEmptyParts);
    }

    // The program as the operator starts it, with hotkey list index `taste`.
    void starten(int taste) {
        store.put(QStringLiteral("frm_Settings"), QStringLiteral("Taste"), QString::number(taste));
        // One telegram stands for a steady scale here, where a real indicator repeats it many times a second:
        // the weight must not count as old during a long run of presses.
        store.put(QStringLiteral("frm_Settings"), QStringLiteral("Veraltet"), QStringLiteral("0"));
        einfueger = std::make_unique<handover::ZwischenablageEinfueger>(keystrokes, *QGuiApplication::clipboard());
        QObject::connect(einfueger.get(), &handover::Einfueger::fertig, [this](bool abgeholt) {
            ++pastes;
            abgeholte += abgeholt ? 1 : 0;
        });
        frm = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{.settings = store,
                                                                     .link = link,
                                                                     .ports = ports,
                                                                     .meldungen = meldungen,
                                                                     .tastatur = tastatur.get(),
                                                                     .einfueger = einfueger.get()});
        frm->Form_Load();
        frm->startTimers();
    }

    void wiegen() {
        port.receive("=05.2100");
        ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtgewicht()->text() == kGewicht; }, 2000));
    }

    void druecken(std::initializer_list<std::uint16_t> codes, bool unten) {
        std::vector<platform::KeyEvent> events;
        for (const auto code : codes)
            events.push_back({code, unten});
        ASSERT_TRUE(bediener.send(events));
    }

    // Holds the keys for `ms`, releases them in reverse order, and waits until no paste is pending.
    void halten(std::initializer_list<std::uint16_t> codes, int ms) {
        druecken(codes, true);
        QTest::qWait(ms);
        std::vector<std::uint16_t> rueckwaerts(codes);
        std::reverse(rueckwaerts.begin(), rueckwaerts.end());
        for (const auto code : rueckwaerts)
            druecken({code}, false);
        ruhe();
    }

    void einfuegenMessen();

    // Another hotkey, chosen in the list as the operator does it.
    void tasteWaehlen(int index) {
        QComboBox* liste = frm->paneigen()->cboTaste();
        liste->setCurrentIndex(index);
        QFocusEvent weg(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(liste, &weg);
    }

    // Presses the keys `anzahl` times for `ms` each; every press must leave exactly one weight more, after
    // the character the keys type themselves in the target, if any (no key is taken from it).
    void jederDruckEinmal(std::initializer_list<std::uint16_t> codes, int ms, int anzahl, const std::string& was,
                          const QString& eigenes = QString()) {
        for (int i = 0; i < anzahl; ++i) {
            const int vorher = pastes;
            const QString textVorher = zieltext();
            ASSERT_NO_FATAL_FAILURE(halten(codes, ms));
            EXPECT_EQ(pastes, vorher + 1) << was << ", press " << i;
            EXPECT_EQ(zieltext().toStdString(), (textVorher + eigenes + kGewicht).toStdString())
                << was << ", press " << i;
        }
        EXPECT_EQ(abgeholte, pastes) << was;
    }

    // Waits for the target's output without sleeping in between (QTest::qWaitFor sleeps 10 ms between its
    // looks, and while it sleeps the clipboard request of the target goes unanswered).
    bool zielMeldetBis(const std::function<bool()>& bedingung, int ms) {
        if (bedingung())
            return true;
        QEventLoop schleife;
        QTimer frist;
        frist.setSingleShot(true);
        QObject::connect(&frist, &QTimer::timeout, &schleife, &QEventLoop::quit);
        QObject::connect(&ziel, &QProcess::readyReadStandardOutput, &schleife, [&] {
            if (bedingung())
                schleife.quit();
        });
        frist.start(ms);
        schleife.exec();
        return bedingung();
    }

    void ruhe() {
        QTest::qWait(50);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !einfueger->wartet(); }, 3000));
        QTest::qWait(250); // the target's last events
    }

    QStringList zeilen() {
        ausgabe += QString::fromUtf8(ziel.readAllStandardOutput());
        return ausgabe.split('\n', Qt::SkipEmptyParts);
    }

    QString zieltext() {
        QString text;
        for (const QString& zeile : zeilen()) {
            if (zeile.startsWith(QStringLiteral("TEXT:")))
                text = zeile.mid(5);
        }
        return text;
    }

    bool menueFokus() { return zeilen().contains(QStringLiteral("FOKUS:QMenuBar")); }

    bool zwischenablageLeer() const {
        const QMimeData* daten = QGuiApplication::clipboard()->mimeData();
        return !daten || !daten->hasText() || daten->text().isEmpty();
    }

    QStringList zielArgumente;
    QProcess ziel;
    QString ausgabe;
    QProcess leser;
    QString leserAusgabe;
    MemorySettingsStore store;
    FakeSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{store};
    RecordingMeldungen meldungen;
    std::unique_ptr<platform::X11KeyboardState> tastatur = std::make_unique<platform::X11KeyboardState>();
    platform::X11Keystrokes keystrokes;
    platform::X11Keystrokes bediener;
    std::unique_ptr<handover::ZwischenablageEinfueger> einfueger;
    std::unique_ptr<shell::FrmMain> frm;
    int pastes = 0;
    int abgeholte = 0;
};

TEST_F(HandoverX11, StandardtasteStrgYFuegtDasGewichtEin) {
    starten(36);
    wiegen();
    halten({kStrgL, kY}, 300);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(abgeholte, pastes);
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_TRUE(zwischenablageLeer());
    EXPECT_TRUE(frm->pansalden()->lbltastendruck()->text().contains(QStringLiteral("sofort")));
}

TEST_F(HandoverX11, F5MitUmschaltFuegtEin) {
    starten(4);
    wiegen();
    halten({kUmschaltL, kF5}, 300);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_TRUE(zwischenablageLeer());
}

// A brisk tap is over long before the next tick; a normal keystroke spans one or two ticks. Each press
// gives exactly one weight.
TEST_F(HandoverX11, ZwanzigTippsVon30msFuegenJeEinmalEin) {
    starten(36);
    wiegen();
    jederDruckEinmal({kStrgL, kY}, 30, 20, "Strg+Y 30 ms");
}

TEST_F(HandoverX11, ZwanzigDrueckeVon150msFuegenJeEinmalEin) {
    starten(36);
    wiegen();
    jederDruckEinmal({kStrgL, kY}, 150, 20, "Strg+Y 150 ms");
}

TEST_F(HandoverX11, KurzeTippsJederTastengruppe) {
    starten(36);
    wiegen();
    jederDruckEinmal({kStrgR, kY}, 30, 3, "rechte Strg+Y");
    tasteWaehlen(39); // ALT - B
    jederDruckEinmal({kAltL, kB}, 30, 3, "Alt+B", QStringLiteral("b"));
    tasteWaehlen(62); // ALT - Y, here with AltGr
    jederDruckEinmal({kAltGr, kY}, 30, 3, "AltGr+Y", QStringLiteral("»"));
    tasteWaehlen(4); // F5
    jederDruckEinmal({kF5}, 30, 3, "F5");
    jederDruckEinmal({kUmschaltL, kF5}, 30, 3, "Umschalt+F5");
    EXPECT_FALSE(menueFokus());
    EXPECT_TRUE(zwischenablageLeer());
}

// Held on, the hotkey repeats like the keyboard: once at the press, then only after the server's repeat
// delay, at the ticks.
TEST_F(HandoverX11, GehaltenWiederholtErstNachDerVerzoegerung) {
    starten(36);
    wiegen();
    std::vector<qint64> ankunft;
    QElapsedTimer uhr;
    druecken({kStrgL, kY}, true);
    uhr.start();
    int laenge = 0;
    while (uhr.elapsed() < 1500) {
        QTest::qWait(2);
        const int jetzt = static_cast<int>(zieltext().size());
        for (; laenge < jetzt; laenge += static_cast<int>(kGewicht.size()))
            ankunft.push_back(uhr.elapsed());
    }
    druecken({kY}, false);
    druecken({kStrgL}, false);
    ruhe();
    ASSERT_GE(ankunft.size(), 2u);
    EXPECT_LT(ankunft[0], 200);
    EXPECT_GE(ankunft[1], kVerzoegerungMs);
    // About ten a second after the delay; far fewer would mean the repeat stalls, more that it doubles.
    EXPECT_GE(pastes, 5);
    EXPECT_LE(pastes, 12);
    EXPECT_EQ(zieltext(), kGewicht.repeated(pastes));
    EXPECT_EQ(abgeholte, pastes);
}

// The control for the next test: a lone Alt tap does walk this target's menu bar.
TEST_F(HandoverX11, KontrolleEinAltTippOeffnetDasMenue) {
    starten(39);
    halten({kAltL}, 50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menueFokus(); }, 1000));
}

TEST_F(HandoverX11, AltTasteFuegtEinUndSpaeteresAltLoslassenOeffnetKeinMenue) {
    starten(39); // ALT - B
    wiegen();
    druecken({kAltL, kB}, true);
    QTest::qWait(300);
    // The operator lets go of Alt first, with B still down, then of B.
    druecken({kAltL}, false);
    QTest::qWait(50);
    druecken({kB}, false);
    ruhe();
    ASSERT_GE(pastes, 1);
    EXPECT_EQ(abgeholte, pastes);
    QString rest = zieltext();
    EXPECT_EQ(rest.count(kGewicht), pastes);
    // Besides the weights at most the B the operator typed under Alt.
    rest.remove(kGewicht);
    EXPECT_TRUE(rest.isEmpty() || rest == QStringLiteral("b")) << rest.toStdString();
    EXPECT_FALSE(menueFokus());
    EXPECT_TRUE(zwischenablageLeer());
}

TEST_F(HandoverX11, OhneGewichtWirdNichtsEingefuegt) {
    starten(36);
    halten({kStrgL, kY}, 300);
    EXPECT_EQ(pastes, 0);
    EXPECT_TRUE(zieltext().isEmpty());
}

// Every paste arrives. The count comes from HANDOVER_E2E_ANZAHL (small by default); with
// HANDOVER_E2E_ZEITEN set the times from hotkey down to text in the target are printed.
TEST_F(HandoverX11, WiederholtesEinfuegenKommtJedesMalAn) {
    ASSERT_NO_FATAL_FAILURE(einfuegenMessen());
}

void HandoverX11::einfuegenMessen() {
    const int anzahl = std::max(1, qEnvironmentVariableIntValue("HANDOVER_E2E_ANZAHL"));
    const int n = qEnvironmentVariableIsSet("HANDOVER_E2E_ANZAHL") ? anzahl : 5;
    starten(36);
    wiegen();
    std::vector<qint64> zeiten;
    for (int i = 0; i < n; ++i) {
        const int vorher = static_cast<int>(zieltext().size());
        QElapsedTimer uhr;
        druecken({kStrgL, kY}, true);
        uhr.start();
        const bool angekommen = zielMeldetBis([&] { return static_cast<int>(zieltext().size()) > vorher; }, 2000);
        zeiten.push_back(uhr.elapsed());
        druecken({kY}, false);
        druecken({kStrgL}, false);
        ASSERT_TRUE(angekommen) << "paste " << i;
        ruhe();
        // Up to a tick apart, so a hold may fall on a new tick boundary.
        QTest::qWait(i % 3 * 37);
    }
    EXPECT_GE(pastes, n);
    EXPECT_EQ(abgeholte, pastes);
    EXPECT_EQ(zieltext(), kGewicht.repeated(pastes));
    EXPECT_TRUE(zwischenablageLeer());
    if (qEnvironmentVariableIsSet("HANDOVER_E2E_ZEITEN")) {
        std::sort(zeiten.begin(), zeiten.end());
        std::printf("HANDOVER_LATENZ leser=%d ereignisse=%d n=%zu median_ms=%lld max_ms=%lld\n",
                    leser.state() == QProcess::NotRunning ? 0 : 1, tastatur->reportsEvents() ? 1 : 0, zeiten.size(),
                    static_cast<long long>(zeiten[zeiten.size() / 2]), static_cast<long long>(zeiten.back()));
    }
}

// Where the server reports no raw key events the key watch samples the keyboard at each tick: a press that
// spans a tick still pastes once, and the Info page says how presses are recognised.
class HandoverX11Abfrage : public HandoverX11 {
protected:
    void SetUp() override {
        tastatur = std::make_unique<platform::X11KeyboardState>(platform::X11KeyboardState::Ereignisse::Keine);
        HandoverX11::SetUp();
    }
};

TEST_F(HandoverX11Abfrage, WiederholtesEinfuegenKommtJedesMalAn) {
    ASSERT_NO_FATAL_FAILURE(einfuegenMessen());
}

TEST_F(HandoverX11Abfrage, JederDruckUeberEinenTickFuegtEinmalEin) {
    starten(36);
    wiegen();
    EXPECT_FALSE(tastatur->reportsEvents());
    EXPECT_TRUE(frm->pansalden()->lbltastendruck()->text().contains(QStringLiteral("100 ms")));
    jederDruckEinmal({kStrgL, kY}, 150, 10, "Strg+Y 150 ms, abgefragt");
    tasteWaehlen(39);
    jederDruckEinmal({kAltL, kB}, 250, 3, "Alt+B 250 ms, abgefragt", QStringLiteral("b"));
    EXPECT_FALSE(menueFokus());
}

// The X server runs the US Dvorak layout (handover_xvfb.sh with HANDOVER_XKB), where the key QWERTY prints V
// on types k, and Ctrl+K in the target deletes rather than pastes.
class HandoverX11Dvorak : public HandoverX11 {};

TEST_F(HandoverX11Dvorak, StrgVMitDemVDerBelegung) {
    ASSERT_EQ(zeichenDerTaste(47), 'k') << "the server is not on Dvorak (HANDOVER_XKB)";
    starten(36);
    wiegen();
    halten({kStrgL, kY}, 300);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(abgeholte, pastes);
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_TRUE(zwischenablageLeer());
}

// A clipboard manager reads the weight the moment it lands on the clipboard; the target, busy, pastes a
// quarter second after the Ctrl+V. One short press still delivers the weight, once.
class HandoverX11MitLeser : public HandoverX11 {
protected:
    void SetUp() override {
        zielArgumente = {QStringLiteral("--verzoegerung"), QStringLiteral("250")};
        HandoverX11::SetUp();
        if (leser.state() == QProcess::NotRunning) {
            ASSERT_NO_FATAL_FAILURE(leserStarten());
        }
    }
};

TEST_F(HandoverX11MitLeser, KurzerDruckErreichtEinLangsamesZielGenauEinmal) {
    starten(36);
    wiegen();
    druecken({kStrgL, kY}, true);
    const bool begonnen = QTest::qWaitFor([&] { return einfueger->wartet(); }, 1000);
    druecken({kY}, false);
    druecken({kStrgL}, false);
    ASSERT_TRUE(begonnen);
    ruhe();
    // The reader did get in first: the scene is what it claims to be.
    EXPECT_TRUE(gelesen().contains(QStringLiteral("GELESEN:") + kGewicht)) << leserAusgabe.toStdString();
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(abgeholte, 1);
    EXPECT_TRUE(zwischenablageLeer());
}

// What the operator had copied in the application is on the clipboard again after the paste, for every
// program: the reader sees it come back after the weight.
TEST_F(HandoverX11MitLeser, WasDerBedienerKopierteKommtNachDemEinfuegenZurueck) {
    const QString kopiert = QStringLiteral("GELESEN:Lieferschein 4711");
    starten(36);
    wiegen();
    ziel.write("KOPIEREN:Lieferschein 4711\n");
    ASSERT_TRUE(zielMeldetBis([&] { return zeilen().contains(QStringLiteral("KOPIERT")); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gelesen().count(kopiert) == 1; }, 3000)) << leserAusgabe.toStdString();
    halten({kStrgL, kY}, 100);
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_EQ(abgeholte, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gelesen().count(kopiert) == 2; }, 3000)) << leserAusgabe.toStdString();
    EXPECT_TRUE(gelesen().contains(QStringLiteral("GELESEN:") + kGewicht)) << leserAusgabe.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Lieferschein 4711"));
}

} // namespace
