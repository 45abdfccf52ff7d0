#include "platform/qsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class QSettingsStoreTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Gramura/Gramura.conf")); }
};

TEST_F(QSettingsStoreTest, MissingKeyGivesReadersDefault) {
    platform::QSettingsStore store(path());
    EXPECT_EQ(store.read("frm_Settings", "Port", "0"), "0");
    EXPECT_EQ(store.read("frm_Settings", "Taste", "36"), "36");
}

TEST_F(QSettingsStoreTest, WritesAreOnDiskAtOnceAsText) {
    {
        platform::QSettingsStore store(path());
        store.write("frm_Settings", "Port", "3");
        store.write("frm_Settings", "txt10s", "1,5");
        // Read by a second store while the first still lives: nothing waits for a central save.
        platform::QSettingsStore other(path());
        EXPECT_EQ(other.read("frm_Settings", "Port", "0"), "3");
        EXPECT_EQ(other.read("frm_Settings", "txt10s", "0"), "1,5");
    }
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("[frm_Settings]"));
    EXPECT_TRUE(content.contains("Port=3"));
}

TEST_F(QSettingsStoreTest, CurrentUserStoreFollowsXdgConfigHome) {
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    auto store = platform::QSettingsStore::forCurrentUser();
    store->write("frm_Settings", "Komma", "1");
    EXPECT_EQ(store->location(), path());
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(QSettingsStoreTest, HandEditedCommaValueReadsAsText) {
    QDir().mkpath(dir.filePath("Gramura"));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[frm_Settings]\ntxt1s=2,5\n[Ports]\nCOM1=/dev/ttyUSB0\n");
    file.close();
    platform::QSettingsStore store(path());
    EXPECT_EQ(store.read("frm_Settings", "txt1s", "0"), "2,5");
    EXPECT_EQ(store.read("Ports", "COM1", ""), "/dev/ttyUSB0");
}

} // namespace
