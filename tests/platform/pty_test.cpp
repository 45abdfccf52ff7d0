#include "platform/pty.h"
#include "platform/qtserialport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Reads the slave as the program does: through the serial port adapter.
struct Reader {
    platform::QtSerialPort port;
    QByteArray received;
    int failures = 0;

    Reader() {
        QObject::connect(&port, &platform::SerialPort::failed, [this](const QString&) { ++failures; });
    }
    bool open(const QString& device) {
        QString error;
        const bool ok = port.open(device, QStringLiteral("2400,N,8,1"), &error);
        EXPECT_TRUE(ok) << error.toStdString();
        return ok;
    }
    bool waitFor(qsizetype size) {
        return QTest::qWaitFor([&] {
            received += port.readAll();
            return received.size() >= size;
        });
    }
};

TEST(Pty, EveryByteValueArrivesUnchanged) {
    platform::Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(&error)) << error.toStdString();
    EXPECT_TRUE(pty.slaveName().startsWith(QStringLiteral("/dev/")));
    EXPECT_EQ(pty.devicePath(), pty.slaveName());
    Reader reader;
    ASSERT_TRUE(reader.open(pty.slaveName()));
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(static_cast<char>(i));
    // CR, LF, Ctrl+C, Ctrl+D, DEL: nothing may be translated, swallowed or turned into a signal.
    all += "\r\n\x03\x04\x7f=05.2100\r";
    ASSERT_EQ(pty.write(all.constData(), all.size()), all.size());
    ASSERT_TRUE(reader.waitFor(all.size()));
    EXPECT_EQ(reader.received, all);
    EXPECT_EQ(reader.failures, 0);
}

TEST(Pty, LinkPointsAtTheSlaveAndGoesWithIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("waage"));
    platform::Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(&error));
    ASSERT_TRUE(pty.link(path, &error)) << error.toStdString();
    EXPECT_EQ(pty.devicePath(), path);
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), pty.slaveName());

    Reader reader;
    ASSERT_TRUE(reader.open(path));
    ASSERT_EQ(pty.write("=05.2100", 8), 8);
    ASSERT_TRUE(reader.waitFor(8));
    EXPECT_EQ(reader.received, "=05.2100");

    pty.close();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    // To the reader the device has vanished.
    EXPECT_TRUE(QTest::qWaitFor([&] { return reader.failures > 0; }));
}

TEST(Pty, NewTerminalTakesOverAnOldLink) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("waage"));
    platform::Pty first;
    platform::Pty second;
    QString error;
    ASSERT_TRUE(first.open(&error));
    ASSERT_TRUE(second.open(&error));
    ASSERT_TRUE(first.link(path, &error));
    ASSERT_TRUE(second.link(path, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), second.slaveName());
    // Closing the first must not take the second one's link along.
    first.close();
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), second.slaveName());
}

TEST(Pty, RefusesToReplaceAPlainFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datei"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    platform::Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(&error));
    EXPECT_FALSE(pty.link(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
}

TEST(Pty, FullLineRefusesWithoutBlockingAndCanBeEmptied) {
    platform::Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(&error));
    const QByteArray chunk(4096, 'x');
    qint64 total = 0;
    qint64 taken = 0;
    // Nobody reads: the terminal's buffer fills, then writes take nothing instead of waiting.
    for (int i = 0; i < 1024; ++i) {
        taken = pty.write(chunk.constData(), chunk.size());
        ASSERT_GE(taken, 0);
        total += taken;
        if (taken == 0)
            break;
    }
    EXPECT_EQ(taken, 0);
    EXPECT_GT(total, 0);
    // The terminal hands written bytes on to the slave's queue a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return pty.unread() > 0; }));
    pty.discardUnread();
    EXPECT_EQ(pty.unread(), 0);
    EXPECT_GT(pty.write("=", 1), 0);
}

TEST(Pty, ClosedTerminalTakesNothing) {
    platform::Pty pty;
    EXPECT_FALSE(pty.isOpen());
    EXPECT_EQ(pty.write("=", 1), -1);
    QString error;
    EXPECT_FALSE(pty.link(QStringLiteral("/tmp/unused-link"), &error));
}

} // namespace
