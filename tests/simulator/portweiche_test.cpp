#include "fakes/fakeserialport.h"
#include "simulator/portweiche.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString kSimuliert = QStringLiteral("Simulierte Wiegeanzeige");
const QString kSettings = QStringLiteral("2400,N,8,1");

struct Weiche {
    FakeSerialPort simuliert;
    FakeSerialPort echt;
    sim::PortWeiche port{kSimuliert, simuliert, echt};
    QStringList gemeldet;

    Weiche() {
        QObject::connect(&port, &platform::SerialPort::failed,
                         [this](const QString& beschreibung) { gemeldet << beschreibung; });
    }
};

TEST(PortWeiche, ARealDeviceOpensTheRealPort) {
    Weiche w;
    QString fehler;
    ASSERT_TRUE(w.port.open(QStringLiteral("/dev/ttyUSB0"), kSettings, &fehler));
    EXPECT_EQ(w.echt.opens, QStringList{QStringLiteral("/dev/ttyUSB0|") + kSettings});
    EXPECT_TRUE(w.simuliert.opens.isEmpty());
    w.echt.receive("=05.21");
    EXPECT_EQ(w.port.readAll(), QByteArray("=05.21"));

    // A real device that cannot be opened says why and leaves the port closed.
    w.echt.openSucceeds = false;
    EXPECT_FALSE(w.port.open(QStringLiteral("COM7"), kSettings, &fehler));
    EXPECT_EQ(fehler, w.echt.openError);
    EXPECT_FALSE(w.port.isOpen());
    EXPECT_TRUE(w.simuliert.opens.isEmpty());
}

TEST(PortWeiche, SwitchesBetweenSimulatorAndRealPortAndReportsOnlyTheOneInUse) {
    Weiche w;
    QString fehler;
    ASSERT_TRUE(w.port.open(kSimuliert, kSettings, &fehler));
    ASSERT_TRUE(w.port.open(QStringLiteral("/dev/ttyS1"), kSettings, &fehler));
    EXPECT_FALSE(w.simuliert.isOpen());
    w.simuliert.fail(QStringLiteral("vom Simulator"));
    EXPECT_TRUE(w.gemeldet.isEmpty());

    ASSERT_TRUE(w.port.open(kSimuliert, kSettings, &fehler));
    EXPECT_FALSE(w.echt.isOpen());
    EXPECT_EQ(w.simuliert.opens.size(), 2);
    w.echt.receive("=00.1");
    w.simuliert.receive("=52.21");
    EXPECT_EQ(w.port.readAll(), QByteArray("=52.21"));
    w.echt.fail(QStringLiteral("vom echten Port"));
    w.simuliert.fail(QStringLiteral("vom Simulator"));
    EXPECT_EQ(w.gemeldet, QStringList{QStringLiteral("vom Simulator")});

    w.port.close();
    EXPECT_FALSE(w.port.isOpen());
    EXPECT_FALSE(w.simuliert.isOpen());
}

} // namespace
