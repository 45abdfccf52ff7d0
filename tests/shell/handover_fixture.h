#pragma once

// The main window with fakes for keyboard, paste and port, as the hand-over tests drive it.
#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "fakeeinfueger.h"
#include "fakes/fakekeyboardstate.h"
#include "fakes/fakeserialport.h"
#include "fakes/memorysettingsstore.h"
#include "fakes/recordingmeldungen.h"
#include "shell/frmmain.h"
#include "shell/funktionstaste.h"
#include "shell/paneigen.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <memory>

inline constexpr int kStrgL = 29, kStrgR = 157, kAltL = 56, kY = 44, kF5 = 63;

class HandoverFenster : public ::testing::Test {
protected:
    void aufbauen(platform::SettingsStore& settings) {
        frm = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{.settings = settings,
                                                                     .link = link,
                                                                     .ports = ports,
                                                                     .meldungen = meldungen,
                                                                     .tastatur = &tastatur,
                                                                     .einfueger = &einfueger});
    }
    void laden() {
        aufbauen(store);
        frm->Form_Load();
    }
    QComboBox* cboTaste() const { return frm->paneigen()->cboTaste(); }
    shell::FunktionsTaste* taste() const { return frm->paneigen()->funktionstaste(); }
    void verlassen() {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(cboTaste(), &out);
    }
    int tasteSchreibungen() const { return store.writes.filter(QStringLiteral("frm_Settings/Taste=")).size(); }
    // Runs the event loop, and with it Timer1, until the condition holds or two seconds have passed.
    static bool laufenBis(const std::function<bool()>& bedingung) {
        QEventLoop loop;
        QTimer pruefer;
        QObject::connect(&pruefer, &QTimer::timeout, &loop, [&] {
            if (bedingung())
                loop.quit();
        });
        pruefer.start(5);
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        return bedingung();
    }

    MemorySettingsStore store;
    FakeSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{store};
    RecordingMeldungen meldungen;
    FakeKeyboardState tastatur;
    FakeEinfueger einfueger;
    std::unique_ptr<shell::FrmMain> frm;
};

// Where the system reports the keys, the events decide: a tap between two ticks pastes at once and once.
class HandoverEreignisse : public HandoverFenster {
protected:
    void SetUp() override {
        tastatur.meldet = true;
        tastatur.verzoegerungMs = 60'000;
        laden();
        port.receive("=05.2100");
        frm->Timer1_Timer();
        ASSERT_EQ(frm->txtgewicht()->text(), QStringLiteral("12,50"));
    }
    // The source reports from its own thread; the window thread takes the events up in its loop.
    void tippen(std::initializer_list<int> codes) {
        for (const int code : codes)
            tastatur.taste(code, true);
        for (auto it = std::rbegin(codes); it != std::rend(codes); ++it)
            tastatur.taste(*it, false);
        QCoreApplication::processEvents();
    }
};
