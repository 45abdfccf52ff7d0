#include "acquisition/portliste.h"

#include <QMap>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

using acquisition::PortEintrag;
using acquisition::PortListe;
using platform::SerialDevice;

inline void PrintTo(const PortEintrag& e, std::ostream* os) {
    *os << '"' << e.text.toStdString() << "\" tip " << e.tip.toStdString() << " opens "
        << (e.geraet.isEmpty() ? std::string("its COM n") : e.geraet.toStdString());
}

namespace {

const QString kCh340 = QStringLiteral("\\\\.\\COM5");
const QString kById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");

struct Fall {
    const char* name;
    // "COM n" behind which the platform's usual device does not stand.
    QMap<int, QString> umgelegt;
    bool windows;
    QList<SerialDevice> vorhanden;
    // What follows "COM 32".
    QList<PortEintrag> danach;
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << f.name;
}

QStringList comGeraete(const Fall& f) {
    QStringList liste;
    for (int n = 1; n <= PortListe::kComAnzahl; ++n)
        liste << f.umgelegt.value(n, f.windows ? QStringLiteral("COM%1").arg(n)
                                               : QStringLiteral("/dev/ttyS%1").arg(n - 1));
    return liste;
}

class Portliste : public testing::TestWithParam<Fall> {};

TEST_P(Portliste, ListsEachPortOnceAfterComOneToThirtyTwo) {
    const Fall& fall = GetParam();
    const QStringList com = comGeraete(fall);
    const QList<PortEintrag> liste = PortListe::bilden(com, fall.vorhanden);
    ASSERT_GE(liste.size(), PortListe::kComAnzahl);
    for (int n = 1; n <= PortListe::kComAnzahl; ++n)
        EXPECT_EQ(liste[n - 1], (PortEintrag{QStringLiteral("COM %1").arg(n), com[n - 1], QString()}));
    EXPECT_EQ(liste.mid(PortListe::kComAnzahl), fall.danach);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Portliste,
    testing::Values(
        Fall{"LinuxBoardPortIsComOneAdaptersFollow",
             {},
             false,
             {{QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyACM0"), QStringLiteral("ttyACM0 – Waage USB")},
              {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), QStringLiteral("ttyS0")},
              {kById, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ttyUSB0 – FT232R USB UART")}},
             {{QStringLiteral("ttyACM0 – Waage USB"), QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyACM0")},
              {QStringLiteral("ttyUSB0 – FT232R USB UART"), kById, kById}}},
        Fall{"LinuxAdapterPutBehindComTwoByTheSettings",
             {{2, QStringLiteral("/dev/ttyUSB0")}},
             false,
             {{kById, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ttyUSB0 – FT232R USB UART")}},
             {}},
        Fall{"WindowsPortUnderItsDeviceNameIsItsComN",
             {},
             true,
             {{kCh340, kCh340, QStringLiteral("COM5 – USB-SERIAL CH340")},
              {QStringLiteral("\\\\.\\com7"), QStringLiteral("\\\\.\\com7"), QStringLiteral("com7")}},
             {}},
        Fall{"WindowsPortPutElsewhereForTheRunIsStillItsComN",
             {{5, QStringLiteral("Simulierte Wiegeanzeige")}},
             true,
             {{kCh340, kCh340, QStringLiteral("COM5 – USB-SERIAL CH340")}},
             {}},
        Fall{
            "WindowsPortAboveThirtyTwoIsWrittenAsTheListWritesPortsAndListedOnce",
            {},
            true,
            {{QStringLiteral("\\\\.\\COM33"), QStringLiteral("\\\\.\\COM33"), QStringLiteral("COM33 – Bluetooth-Link")},
             {QStringLiteral("COM33"), QStringLiteral("COM33"), QStringLiteral("COM33")}},
            {{QStringLiteral("COM 33 – Bluetooth-Link"), QStringLiteral("\\\\.\\COM33"),
              QStringLiteral("\\\\.\\COM33")}}}),
    [](const testing::TestParamInfo<Fall>& p) { return std::string(p.param.name); });

struct Name {
    const char* text;
    int nummer;
};

void PrintTo(const Name& n, std::ostream* os) {
    *os << '"' << n.text << "\" is " << n.nummer;
}

class Comnummer : public testing::TestWithParam<Name> {};

TEST_P(Comnummer, OfWindowsNamesOnly) {
    EXPECT_EQ(PortListe::comNummer(QString::fromUtf8(GetParam().text)), GetParam().nummer);
}

INSTANTIATE_TEST_SUITE_P(Namen, Comnummer,
                         testing::Values(Name{"COM5", 5}, Name{"\\\\.\\COM5", 5}, Name{"com05", 5},
                                         Name{"\\\\?\\COM12", 12}, Name{"//./COM12", 12}, Name{"\\\\.\\COM123", 123},
                                         Name{"/dev/ttyS4", 0}, Name{"COM", 0}, Name{"COM5x", 0}, Name{"/dev/COM5", 0},
                                         Name{"ttyCOM5", 0}),
                         [](const testing::TestParamInfo<Name>& p) { return std::to_string(p.index); });

TEST(Portgleichheit, WindowsNamesOfOnePortAreOnePortPathsAreCompared) {
    EXPECT_TRUE(PortListe::gleich(QStringLiteral("COM5"), QStringLiteral("\\\\.\\com5")));
    EXPECT_FALSE(PortListe::gleich(QStringLiteral("COM5"), QStringLiteral("COM50")));
    EXPECT_TRUE(PortListe::gleich(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0")));
    EXPECT_FALSE(PortListe::gleich(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyusb0")));
}

} // namespace
