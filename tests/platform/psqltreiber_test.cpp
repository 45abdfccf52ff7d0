// What the operator is told is missing when Qt's PostgreSQL driver does not load, found where Qt itself looks
// for its plugins.
#include "platform/psqltreiber.h"
#include "psqlkopie.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PsqlTreiber : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ordner.isValid());
        m_vorher = QCoreApplication::libraryPaths();
    }
    void TearDown() override { QCoreApplication::setLibraryPaths(m_vorher); }

    // Qt finds the driver in the test's folder alone, a copy of the installed one.
    void alleinDa(bool ohneLibpq) {
        const QString plugin = installierterPsqlTreiber();
        if (plugin.isEmpty())
            GTEST_SKIP() << "libqt6sql6-psql ist nicht installiert";
        const QString fehler = psqlTreiberKopieren(plugin, ordner.path(), ohneLibpq);
        ASSERT_TRUE(fehler.isEmpty()) << fehler.toStdString();
        QCoreApplication::setLibraryPaths({ordner.path()});
    }

    QTemporaryDir ordner;

private:
    QStringList m_vorher;
};

TEST_F(PsqlTreiber, WithoutThePluginItNamesThePluginAndItsPackage) {
    QCoreApplication::setLibraryPaths({ordner.path()});
    EXPECT_EQ(platform::psqlTreiberFehlt(), QStringLiteral("libqsqlpsql.so (Paket libqt6sql6-psql)"));
}

// The plugin there, the client library it was linked against not: the loader's own finding names it.
TEST_F(PsqlTreiber, APluginWhoseLibraryIsMissingNamesTheLibrary) {
    alleinDa(true);
    if (IsSkipped() || HasFatalFailure())
        return;
    EXPECT_EQ(platform::psqlTreiberFehlt(), QStringLiteral("libpq.so.9"));
}

TEST_F(PsqlTreiber, APluginThatLoadsLeavesNothingToSay) {
    alleinDa(false);
    if (IsSkipped() || HasFatalFailure())
        return;
    EXPECT_EQ(platform::psqlTreiberFehlt(), QString());
}

// A file by the plugin's name that is none: named, with the loader's reason.
TEST_F(PsqlTreiber, AFileThatIsNoPluginIsNamedWithTheReason) {
    ASSERT_TRUE(QDir(ordner.path()).mkpath(QStringLiteral("sqldrivers")));
    QFile unsinn(ordner.filePath(QStringLiteral("sqldrivers/libqsqlpsql.so")));
    ASSERT_TRUE(unsinn.open(QIODevice::WriteOnly) && unsinn.write("kein ELF") == 8);
    unsinn.close();
    QCoreApplication::setLibraryPaths({ordner.path()});
    const QString fehlt = platform::psqlTreiberFehlt();
    EXPECT_TRUE(fehlt.startsWith(QStringLiteral("libqsqlpsql.so ("))) << fehlt.toStdString();
    EXPECT_TRUE(fehlt.contains(ordner.path())) << fehlt.toStdString();
}

} // namespace
