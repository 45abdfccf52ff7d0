// A value changed in the list or field that still has the focus is written before the window goes,
// however it goes.
#include "hauptfenster_fixture.h"
#include "recording/intervall.h"
#include "shell/frmzusatzsalden.h"
#include "shell/paneigen.h"
#include "shell/schwellenfeld.h"
#include "shell/tabkenn.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSessionManager>
#include <QTest>

namespace {

enum class Ende {
    Zugriffstaste, // Alt+B: the button is pressed without taking the focus
    Schliessen,    // the window's close button
    Minimieren,    // Alt+M into the notification area, then "Beenden" from its menu
    Abmelden,      // the session asks the program to save its data
    Programmende,  // the application is told it quits
};

enum class Control { Taste, Komma, Port, Schwelle };

struct Fall {
    const char* name;
    Control control;
    Ende ende;
    const char* geschrieben;
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << f.name;
}

class EinstellungAmEnde : public Hauptfenster, public testing::WithParamInterface<Fall> {
protected:
    shell::PanEigen& eigen() { return *frm->paneigen(); }

    QWidget* control() {
        switch (GetParam().control) {
        case Control::Taste:
            return eigen().cboTaste();
        case Control::Komma:
            return eigen().cbokomma();
        case Control::Port:
            return eigen().cboport();
        case Control::Schwelle:
            break;
        }
        return eigen().frmzusatzsalden()->txt(recording::Intervall::i30s);
    }

    // The operator's quick hand: a new value by keys, nothing else.
    void aendern(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(widget->hasFocus());
        if (GetParam().control == Control::Schwelle) {
            QTest::keyClick(widget, Qt::Key_End);
            QTest::keyClick(widget, Qt::Key_Backspace);
            QTest::keyClick(widget, Qt::Key_Backspace);
            QTest::keyClick(widget, Qt::Key_Backspace);
            QTest::keyClicks(widget, QStringLiteral("2,5"));
        } else {
            QTest::keyClick(widget, Qt::Key_Down);
        }
    }

    void beenden(QWidget* fokus) {
        switch (GetParam().ende) {
        case Ende::Zugriffstaste:
            QTest::keyClick(fokus, Qt::Key_B, Qt::AltModifier);
            break;
        case Ende::Schliessen:
            frm->close();
            break;
        case Ende::Minimieren:
            QTest::keyClick(fokus, Qt::Key_M, Qt::AltModifier);
            ASSERT_TRUE(QTest::qWaitFor([&] { return frm->isHidden(); }, 2000));
            frm->MnuB_Click(1);
            break;
        case Ende::Abmelden: {
            auto* sitzung = qApp->findChild<QSessionManager*>();
            ASSERT_NE(sitzung, nullptr);
            Q_EMIT qApp->commitDataRequest(*sitzung);
            break;
        }
        case Ende::Programmende:
            // As the system's end of the session announces it on Windows.
            ASSERT_TRUE(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
            break;
        }
    }

    QStringList beimEntladen;
    bool entladen = false;

    bool endetDasFenster() const { return GetParam().ende != Ende::Abmelden && GetParam().ende != Ende::Programmende; }
};

TEST_P(EinstellungAmEnde, IsWrittenBeforeTheWindowGoes) {
    laden();
    frm->show();
    QApplication::setActiveWindow(frm.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    frm->tabkenn()->setCurrentIndex(1);
    QWidget* widget = control();
    store.inhalt.writes.clear();
    aendern(widget);
    ASSERT_TRUE(store.inhalt.writes.isEmpty()) << "nothing is written before the control is left";

    // Held by the fixture: the window still unloads when the test tears it down.
    QObject::connect(frm.get(), &shell::FrmMain::entladen, [this] {
        if (!entladen)
            beimEntladen = store.inhalt.writes;
        entladen = true;
    });
    beenden(widget);
    if (endetDasFenster()) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return entladen; }, 2000));
    } else {
        EXPECT_FALSE(entladen);
        beimEntladen = store.inhalt.writes;
    }
    // Only the changed control, and once.
    EXPECT_EQ(beimEntladen, QStringList{QStringLiteral("frm_Settings/") + QString::fromLatin1(GetParam().geschrieben)});
}

INSTANTIATE_TEST_SUITE_P(
    Wege, EinstellungAmEnde,
    testing::Values(Fall{"HotkeyThenAltB", Control::Taste, Ende::Zugriffstaste, "Taste=37"},
                    Fall{"ThresholdThenAltB", Control::Schwelle, Ende::Zugriffstaste, "txt30s=2,5"},
                    Fall{"SeparatorThenClose", Control::Komma, Ende::Schliessen, "Komma=1"},
                    Fall{"PortThenTrayMenu", Control::Port, Ende::Minimieren, "Port=1"},
                    Fall{"HotkeyThenLogoff", Control::Taste, Ende::Abmelden, "Taste=37"},
                    Fall{"ThresholdThenQuit", Control::Schwelle, Ende::Programmende, "txt30s=2,5"}),
    [](const testing::TestParamInfo<Fall>& p) { return std::string(p.param.name); });

// Left once, the control is not written again at the end; nor is one that was never touched.
TEST_F(Hauptfenster, SettingLeftOrUntouchedIsNotWrittenAgainAtTheEnd) {
    laden();
    frm->show();
    QApplication::setActiveWindow(frm.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    frm->tabkenn()->setCurrentIndex(1);
    QComboBox* cboTaste = frm->paneigen()->cboTaste();
    store.inhalt.writes.clear();
    cboTaste->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cboTaste, Qt::Key_Down);
    QTest::keyClick(cboTaste, Qt::Key_Tab);
    ASSERT_EQ(store.inhalt.writes, QStringList{QStringLiteral("frm_Settings/Taste=37")});
    store.inhalt.writes.clear();
    auto* sitzung = qApp->findChild<QSessionManager*>();
    ASSERT_NE(sitzung, nullptr);
    Q_EMIT qApp->commitDataRequest(*sitzung);
    frm->Form_Unload();
    EXPECT_TRUE(store.inhalt.writes.isEmpty()) << store.inhalt.writes.join('\n').toStdString();
}

} // namespace
