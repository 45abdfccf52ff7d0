#include "acquisition/seriallink.h"
#include "fakes/fakeserialport.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using acquisition::SerialLink;

namespace {

TEST(SerialLink, OpensTheDeviceWithTheIndicatorsLineSettings) {
    FakeSerialPort port;
    SerialLink link(port);
    QString error;
    ASSERT_TRUE(link.portoeffnen(QStringLiteral("/dev/ttyS0"), &error));
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(port.opens, QStringList{QStringLiteral("/dev/ttyS0|2400,N,8,1")});
    EXPECT_EQ(link.device(), QStringLiteral("/dev/ttyS0"));
}

TEST(SerialLink, ReopeningClosesTheOpenPortFirst) {
    FakeSerialPort port;
    SerialLink link(port);
    QString error;
    ASSERT_TRUE(link.portoeffnen(QStringLiteral("/dev/a"), &error));
    ASSERT_TRUE(link.portoeffnen(QStringLiteral("/dev/b"), &error));
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(port.opens.last(), QStringLiteral("/dev/b|2400,N,8,1"));
}

TEST(SerialLink, FailedOpeningStaysClosedWithoutRetry) {
    FakeSerialPort port;
    port.openSucceeds = false;
    port.openError = QStringLiteral("Permission denied");
    SerialLink link(port);
    link.setRetryInterval(5);
    QString error;
    EXPECT_FALSE(link.portoeffnen(QStringLiteral("/dev/ttyS4"), &error));
    EXPECT_EQ(error, QStringLiteral("Permission denied"));
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.reconnecting());
    EXPECT_FALSE(link.takeFailure());
    port.openSucceeds = true;
    QTest::qWait(50); // ten retry intervals: no attempt may happen
    EXPECT_EQ(port.opens.size(), 1);
    EXPECT_FALSE(link.isOpen());
}

TEST(SerialLink, ReceivedBytesPassThroughInOrder) {
    FakeSerialPort port;
    SerialLink link(port);
    QString error;
    ASSERT_TRUE(link.portoeffnen(QStringLiteral("/dev/x"), &error));
    port.receive("=05.");
    port.receive("2100");
    EXPECT_EQ(link.readAll(), "=05.2100");
    EXPECT_TRUE(link.readAll().isEmpty());
}

TEST(SerialLink, LostPortIsClosedReportedOnceAndReopened) {
    FakeSerialPort port;
    SerialLink link(port);
    link.setRetryInterval(5);
    QSignalSpy lost(&link, &SerialLink::lost);
    QSignalSpy reconnected(&link, &SerialLink::reconnected);
    QString error;
    ASSERT_TRUE(link.portoeffnen(QStringLiteral("/dev/ttyUSB0"), &error));

    port.openSucceeds = false;
    port.fail(QStringLiteral("Input/output error"));
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_TRUE(link.reconnecting());
    EXPECT_EQ(link.takeFailure(), QStringLiteral("Input/output error"));
    EXPECT_FALSE(link.takeFailure()) << "the failure is handed out once";

    // Retries keep trying the same device until it is back.
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.opens.size() >= 4; }));
    EXPECT_FALSE(link.isOpen());
    port.openSucceeds = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }));
    EXPECT_EQ(reconnected.count(), 1);
    EXPECT_FALSE(link.reconnecting());
    for (const QString& attempt : port.opens)
        EXPECT_EQ(attempt, QStringLiteral("/dev/ttyUSB0|2400,N,8,1"));
    const auto attempts = port.opens.size();
    QTest::qWait(30);
    EXPECT_EQ(port.opens.size(), attempts) << "no retries once the port is back";
    EXPECT_EQ(lost.count(), 1);
}

TEST(SerialLink, ClosingStopsTheRetries) {
    FakeSerialPort port;
    SerialLink link(port);
    link.setRetryInterval(5);
    QString error;
    ASSERT_TRUE(link.portoeffnen(QStringLiteral("/dev/x"), &error));
    port.openSucceeds = false;
    port.fail(QStringLiteral("gone"));
    ASSERT_TRUE(link.reconnecting());
    link.close();
    EXPECT_FALSE(link.reconnecting());
    const auto attempts = port.opens.size();
    port.openSucceeds = true;
    QTest::qWait(50);
    EXPECT_EQ(port.opens.size(), attempts);
    EXPECT_FALSE(link.isOpen());
}

} // namespace
