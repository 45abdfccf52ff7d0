#include "acquisition/portmapping.h"
#include "fakes/memorysettingsstore.h"

#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

using acquisition::PortMapping;

namespace {

struct Assignment {
    const char* text;
    int number; // 0: refused
    const char* device;
};

void PrintTo(const Assignment& a, std::ostream* os) {
    *os << '"' << a.text << '"';
    if (a.number == 0)
        *os << " refused";
    else
        *os << " puts " << a.device << " behind COM" << a.number;
}

// "COM3=/dev/x" as a test name: accepted_COM3__dev_x.
std::string testname(const Assignment& a) {
    std::string name = a.number == 0 ? "refused_" : "accepted_";
    const std::string text = a.text;
    if (text.empty())
        return name + "empty";
    for (const char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class PortOverride : public testing::TestWithParam<Assignment> {};

TEST_P(PortOverride, AcceptsOnlyComNumberEqualsPath) {
    const Assignment& a = GetParam();
    MemorySettingsStore store;
    PortMapping ports(store);
    EXPECT_EQ(ports.addOverride(QString::fromUtf8(a.text)), a.number != 0);
    if (a.number != 0) {
        EXPECT_EQ(ports.device(a.number), QString::fromUtf8(a.device));
    }
    // A refused text changes nothing: every port keeps its usual device.
    if (a.number == 0) {
        for (int n = 1; n <= 32; ++n)
            EXPECT_EQ(ports.device(n), QStringLiteral("/dev/ttyS%1").arg(n - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PortOverride,
    testing::Values(Assignment{"COM3=/dev/x", 3, "/dev/x"}, Assignment{"com1=/dev/ttyUSB0", 1, "/dev/ttyUSB0"},
                    Assignment{" COM 12 = /tmp/waage ", 12, "/tmp/waage"},
                    Assignment{"COM32=/dev/pts/4", 32, "/dev/pts/4"}, Assignment{"COM0=/dev/x", 0, ""},
                    Assignment{"COM33=/dev/x", 0, ""}, Assignment{"COM100=/dev/x", 0, ""}, Assignment{"COM3=", 0, ""},
                    Assignment{"COM3=   ", 0, ""}, Assignment{"COM=/dev/x", 0, ""}, Assignment{"LPT1=/dev/x", 0, ""},
                    Assignment{"COM3/dev/x", 0, ""}, Assignment{"/dev/x", 0, ""}, Assignment{"", 0, ""},
                    Assignment{"COMx=/dev/x", 0, ""}, Assignment{"COM-1=/dev/x", 0, ""}),
    [](const testing::TestParamInfo<Assignment>& p) { return testname(p.param); });

TEST(PortMapping, UsualDeviceIsTtySOneBelowThePortNumber) {
    MemorySettingsStore store;
    PortMapping ports(store);
    EXPECT_EQ(ports.device(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(ports.device(3), QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(ports.device(32), QStringLiteral("/dev/ttyS31"));
}

TEST(PortMapping, StoredDeviceOfSectionPortsBeatsTheUsualOne) {
    MemorySettingsStore store;
    store.put(QStringLiteral("Ports"), QStringLiteral("COM2"), QStringLiteral(" /dev/ttyUSB1 "));
    store.put(QStringLiteral("frm_Settings"), QStringLiteral("COM3"), QStringLiteral("/dev/wrong"));
    PortMapping ports(store);
    EXPECT_EQ(ports.device(2), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(ports.device(3), QStringLiteral("/dev/ttyS2"));
    EXPECT_TRUE(store.writes.isEmpty()) << "looking a device up must not write the store";
}

TEST(PortMapping, OverrideBeatsStoredDeviceForThisRunOnly) {
    MemorySettingsStore store;
    store.put(QStringLiteral("Ports"), QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB1"));
    PortMapping ports(store);
    ASSERT_TRUE(ports.addOverride(QStringLiteral("COM2=/dev/pts/7")));
    EXPECT_EQ(ports.device(2), QStringLiteral("/dev/pts/7"));
    ports.setOverride(2, QStringLiteral("/dev/pts/9"));
    EXPECT_EQ(ports.device(2), QStringLiteral("/dev/pts/9"));
    EXPECT_TRUE(store.writes.isEmpty());
    EXPECT_EQ(PortMapping(store).device(2), QStringLiteral("/dev/ttyUSB1"));
}

TEST(PortMapping, DeviceChosenByItsOwnNameCanBePutElsewhereForOneRun) {
    MemorySettingsStore store;
    PortMapping ports(store);
    EXPECT_EQ(ports.geraet(QStringLiteral("/dev/ttyACM0")), QStringLiteral("/dev/ttyACM0"));
    ports.setGeraetOverride(QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(ports.geraet(QStringLiteral("/dev/ttyACM0")), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(ports.geraet(QStringLiteral("/dev/ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(ports.device(1), QStringLiteral("/dev/ttyS0"));
}

} // namespace
