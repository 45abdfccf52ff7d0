// The weight from a (simulated) indicator to the display, through a real pseudo-terminal, the real serial
// port adapter and the real main window.
#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "fakes/memorysettingsstore.h"
#include "fakes/recordingmeldungen.h"
#include "platform/pty.h"
#include "platform/qtserialport.h"
#include "shell/frmmain.h"
#include "shell/pangeld.h"
#include "shell/pansalden.h"
#include "shell/statusband.h"
#include "simulator/indicatorsimulator.h"

#include <QLabel>
#include <QLineEdit>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kKeineVerbindung = QStringLiteral("Es konnte keine Verbindung zur Wiegeanzeige hergestellt werden!");
constexpr int kWaitMs = 5000;

// The messages without the reason and hint under their first line.
QStringList ersteZeilen(const QStringList& meldungen) {
    QStringList zeilen;
    for (const QString& m : meldungen)
        zeilen << m.section(QLatin1Char('\n'), 0, 0);
    return zeilen;
}

// The program as main() composes it, with COM1 (the stored default) on the given device.
struct Programm {
    MemorySettingsStore store;
    platform::QtSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{store};
    RecordingMeldungen meldungen;
    std::unique_ptr<shell::FrmMain> frmMain;
    int ticks = 0;
    // Every text the display took, with the tick that wrote it.
    QList<QPair<QString, int>> anzeigen;

    explicit Programm(const QString& device) {
        ports.setOverride(1, device);
        // Reconnecting quickly keeps the tests short; "no retry" is then checked over many intervals.
        link.setRetryInterval(50);
        frmMain = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{store, link, ports, meldungen});
        // Connected after the window's own handler: a text written during a tick carries the number of ticks
        // completed before it.
        QObject::connect(&frmMain->timer1(), &QTimer::timeout, [this] { ++ticks; });
        QObject::connect(frmMain->txtgewicht(), &QLineEdit::textChanged, [this](const QString& text) {
            anzeigen.append({text, ticks});
        });
        frmMain->Form_Load();
        frmMain->startTimers();
    }

    QString gewicht() const { return frmMain->txtgewicht()->text(); }
    // The status band's line about a silent indicator; empty while it is not shown.
    QString keineDaten() const {
        const auto* zeile = frmMain->statusband()->findChild<QLabel*>(QStringLiteral("keineDaten"));
        return zeile && !zeile->isHidden() && !frmMain->statusband()->isHidden() ? zeile->toolTip() : QString();
    }
    // The small line under the digits; empty while it is not shown.
    QString hinweis() const {
        const QLabel* zeile = frmMain->pangeld()->lblhinweis();
        return zeile->isVisibleTo(frmMain->pangeld()) ? zeile->text() : QString();
    }
    QString info() const { return frmMain->pansalden()->lblverbindung()->text(); }
    bool zeigt(const QString& text) {
        return QTest::qWaitFor([&] { return gewicht() == text; }, kWaitMs);
    }
    // Lets the given number of Timer1 ticks pass.
    bool ticksAbwarten(int count) {
        const int until = ticks + count;
        return QTest::qWaitFor([&] { return ticks >= until; }, kWaitMs);
    }
};

std::unique_ptr<sim::IndicatorSimulator> simulator(const QStringList& displays, const QString& link) {
    QString error;
    auto scenario = sim::Scenario::scripted(displays, &error);
    EXPECT_TRUE(scenario) << error.toStdString();
    scenario->setTelegramsPerStep(30); // about a second each
    auto s = std::make_unique<sim::IndicatorSimulator>(std::move(*scenario));
    EXPECT_TRUE(s->start(link, &error)) << error.toStdString();
    return s;
}

bool schreiben(platform::Pty& pty, const QByteArray& bytes) {
    return pty.write(bytes.constData(), bytes.size()) == bytes.size();
}

class SerialEndToEnd : public testing::Test {
protected:
    QTemporaryDir dir;
    QString link() const { return dir.filePath(QStringLiteral("waage")); }
};

TEST_F(SerialEndToEnd, SimulatorWeightsAppearInTheDisplay) {
    auto indicator = simulator({QStringLiteral("0012.50"), QStringLiteral("-001.50")}, link());
    Programm programm(link());
    EXPECT_TRUE(programm.link.isOpen());
    EXPECT_TRUE(programm.zeigt(QStringLiteral("12,50")));
    EXPECT_TRUE(programm.zeigt(QStringLiteral("-1,50")));
    EXPECT_TRUE(programm.meldungen.shown.isEmpty()) << programm.meldungen.shown.join('|').toStdString();
}

TEST_F(SerialEndToEnd, TelegramSplitOverTwoTicksShowsWithItsLastCharacter) {
    platform::Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(&error));
    ASSERT_TRUE(pty.link(link(), &error));
    Programm programm(link());
    ASSERT_TRUE(schreiben(pty, "=00.0100"));
    ASSERT_TRUE(programm.zeigt(QStringLiteral("10,00")));

    ASSERT_TRUE(schreiben(pty, "=05.2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pty.unread() == 0; }, kWaitMs));
    ASSERT_TRUE(programm.ticksAbwarten(2));
    EXPECT_EQ(programm.gewicht(), QStringLiteral("10,00")) << "half a telegram must not change the display";
    const int tickOfFirstHalf = programm.ticks;

    ASSERT_TRUE(schreiben(pty, "100"));
    ASSERT_TRUE(programm.zeigt(QStringLiteral("12,50")));
    // Written by a tick after the ones that had read the first half.
    EXPECT_GE(programm.anzeigen.last().second, tickOfFirstHalf);
}

TEST_F(SerialEndToEnd, SeveralTelegramsInOneTickEndWithTheLast) {
    platform::Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(&error));
    ASSERT_TRUE(pty.link(link(), &error));
    Programm programm(link());
    ASSERT_TRUE(programm.ticksAbwarten(1));
    ASSERT_TRUE(schreiben(pty, "=05.2100=00.0100=05.100-"));
    ASSERT_TRUE(programm.zeigt(QStringLiteral("-1,50")));
    ASSERT_EQ(programm.anzeigen.size(), 3);
    EXPECT_EQ(programm.anzeigen[0].first, QStringLiteral("12,50"));
    EXPECT_EQ(programm.anzeigen[1].first, QStringLiteral("10,00"));
    EXPECT_EQ(programm.anzeigen[2].first, QStringLiteral("-1,50"));
    // All three were written within one tick.
    EXPECT_EQ(programm.anzeigen[0].second, programm.anzeigen[2].second);
}

TEST_F(SerialEndToEnd, MissingComPortIsReportedOnceWaitedForAndOpenedWhenItAppears) {
    Programm programm(link());
    EXPECT_EQ(ersteZeilen(programm.meldungen.shown), QStringList{kKeineVerbindung});
    EXPECT_FALSE(programm.link.isOpen());
    EXPECT_EQ(programm.hinweis(), QStringLiteral("Warte auf Daten von COM 1 …"));
    EXPECT_EQ(programm.info(), QStringLiteral(" COM 1: nicht geöffnet (Gerät fehlt), noch kein Telegramm"));

    // A USB adapter plugged in later: opened by itself, without a second message.
    auto indicator = simulator({QStringLiteral("0012.50")}, link());
    EXPECT_TRUE(programm.zeigt(QStringLiteral("12,50")));
    EXPECT_TRUE(programm.link.isOpen());
    EXPECT_EQ(programm.hinweis(), QString());
    EXPECT_TRUE(programm.info().startsWith(QStringLiteral(" COM 1: geöffnet, letztes Telegramm ")))
        << programm.info().toStdString();
    EXPECT_EQ(ersteZeilen(programm.meldungen.shown), QStringList{kKeineVerbindung});
}

TEST_F(SerialEndToEnd, DeviceHeldByAnotherProgramIsBelegtAndOpenedOnceLetGo) {
    auto indicator = simulator({QStringLiteral("0012.50")}, link());
    QSerialPort other;
    other.setPortName(link());
    ASSERT_TRUE(other.open(QIODevice::ReadOnly)) << other.errorString().toStdString();

    Programm programm(link());
    ASSERT_EQ(ersteZeilen(programm.meldungen.shown), QStringList{kKeineVerbindung});
    const QStringList zeilen = programm.meldungen.shown.first().split(QLatin1Char('\n'));
    EXPECT_TRUE(
        zeilen.contains(QStringLiteral("COM 1 ist belegt: ein anderes Programm hat die Schnittstelle geöffnet.")))
        << zeilen.join(QLatin1Char('|')).toStdString();
    // The system's words go to the details only.
    EXPECT_TRUE(programm.meldungen.einzelheiten.first().startsWith(link() + QStringLiteral(": ")));
    EXPECT_FALSE(programm.link.isOpen());
    EXPECT_EQ(programm.info(), QStringLiteral(" COM 1: nicht geöffnet (belegt), noch kein Telegramm"));

    other.close();
    EXPECT_TRUE(programm.zeigt(QStringLiteral("12,50")));
    EXPECT_TRUE(programm.link.isOpen());
    EXPECT_EQ(programm.meldungen.shown.size(), 1);
}

TEST_F(SerialEndToEnd, VanishedDeviceIsReportedOnceAndReadAgainWhenBack) {
    auto indicator = simulator({QStringLiteral("0012.50")}, link());
    Programm programm(link());
    QSignalSpy lost(&programm.link, &acquisition::SerialLink::lost);
    ASSERT_TRUE(programm.zeigt(QStringLiteral("12,50")));

    indicator->stop(); // the adapter is pulled: terminal and link are gone
    ASSERT_TRUE(QTest::qWaitFor([&] { return !programm.meldungen.shown.isEmpty(); }, kWaitMs));
    EXPECT_FALSE(programm.link.isOpen());
    ASSERT_TRUE(programm.ticksAbwarten(8)); // many retries against the missing path
    EXPECT_EQ(programm.meldungen.shown, QStringList{QStringLiteral("Verbindung zu COM 1 verloren: Gerät entfernt")});
    // The system's own words, whatever they are, go in the details after the device.
    ASSERT_EQ(programm.meldungen.einzelheiten.size(), 1);
    EXPECT_TRUE(programm.meldungen.einzelheiten.first().startsWith(link() + QStringLiteral(": ")));
    EXPECT_GT(programm.meldungen.einzelheiten.first().size(), link().size() + 2);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_EQ(programm.gewicht(), QStringLiteral("12,50")) << "the last weight stays";
    // ... greyed and marked once the line has been silent for the two seconds of the default.
    EXPECT_TRUE(QTest::qWaitFor([&] { return programm.keineDaten().startsWith(QStringLiteral("Keine Daten seit ")); },
                                kWaitMs));

    // Plugged in again: a new terminal under the same path.
    auto back = simulator({QStringLiteral("-001.50")}, link());
    EXPECT_TRUE(programm.zeigt(QStringLiteral("-1,50")));
    EXPECT_TRUE(programm.link.isOpen());
    EXPECT_EQ(programm.meldungen.shown.size(), 1);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_EQ(programm.keineDaten(), QString());
}

} // namespace
