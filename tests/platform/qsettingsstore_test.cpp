#include "platform/qsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
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

void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile file(pfad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(inhalt);
}

// The administrator's files in two folders of XDG_CONFIG_DIRS, the operator's own over them.
TEST_F(QSettingsStoreTest, OperatorsOwnKeysOverTheSystemWideOnesOverTheNextFolders) {
    const QString erster = dir.filePath("xdg1");
    const QString zweiter = dir.filePath("xdg2");
    schreiben(erster + "/Gramura/Gramura.conf",
              "[Zentrale]\nServer=host=db1 dbname=waagen\nStation=Halle\n[frm_Settings]\nKomma=1\n");
    schreiben(zweiter + "/Gramura/Gramura.conf",
              "[Zentrale]\nServer=host=db2\n[frm_Settings]\nKomma=0\nPort=4\ntxt1s=2,5\n");
    schreiben(path(), "[Zentrale]\nStation=Waage 7\n[frm_Settings]\nPort=\n");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    // A relative entry is no folder of the rules and is passed over.
    qputenv("XDG_CONFIG_DIRS", ("relativ:" + erster + ":" + zweiter).toLocal8Bit());
    const auto zurueck = qScopeGuard([] { qunsetenv("XDG_CONFIG_DIRS"); });
    auto store = platform::QSettingsStore::forCurrentUser();
    EXPECT_EQ(store->systemLocations(),
              QStringList({erster + "/Gramura/Gramura.conf", zweiter + "/Gramura/Gramura.conf"}));

    struct Fall {
        const char* section;
        const char* key;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"Zentrale", "Server", "host=db1 dbname=waagen"}, // the first folder that has it
        {"Zentrale", "Station", "Waage 7"},               // the operator's own
        {"frm_Settings", "Komma", "1"},                   // first folder over the second
        {"frm_Settings", "Port", ""},                     // empty in the operator's file still counts
        {"frm_Settings", "txt1s", "2,5"},                 // only in the second folder, read as text
        {"frm_Settings", "Taste", "36"},                  // nowhere: the reader's default
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(store->read(f.section, f.key, "36"), QString::fromUtf8(f.erwartet)) << f.section << '/' << f.key;

    // Writes go to the operator's file alone and count over the defaults from then on.
    store->write("Zentrale", "Server", "host=eigen");
    EXPECT_EQ(store->read("Zentrale", "Server", ""), "host=eigen");
    EXPECT_EQ(platform::QSettingsStore(erster + "/Gramura/Gramura.conf").read("Zentrale", "Server", ""),
              "host=db1 dbname=waagen");
    EXPECT_EQ(platform::QSettingsStore(path()).read("Zentrale", "Server", ""), "host=eigen");
}

TEST_F(QSettingsStoreTest, WithoutXdgConfigDirsTheDefaultsComeFromEtcXdg) {
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(platform::QSettingsStore::forCurrentUser()->systemLocations(),
              QStringList{"/etc/xdg/Gramura/Gramura.conf"});
}

} // namespace
