#pragma once

// The hand-over end to end on a real X server: the program in this process, the target and a clipboard reader
// as processes of their own. Shared by the test files of the X11 hand-over.
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

namespace handover_x11 {

inline constexpr std::uint16_t kStrgL = 29, kStrgR = 157, kAltL = 56, kAltGr = 184, kUmschaltL = 42, kY = 44, kB = 48,
                               kF5 = 63;
inline constexpr int kVerzoegerungMs = 500;
inline const QString kGewicht = QStringLiteral("12,50");

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

} // namespace handover_x11
