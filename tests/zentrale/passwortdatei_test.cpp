// The password the window takes goes into libpq's password file, among whatever lines the file holds.
#include "zentrale/passwortdatei.h"
#include "zentrale/zentraleadresse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

using zentrale::PasswortDatei;

const PasswortDatei::Schluessel kServer{QStringLiteral("db1"), QStringLiteral("5432"), QStringLiteral("waagen"),
                                        QStringLiteral("station")};

QByteArray lesen(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
}

TEST(PasswortDatei, PutsThePasswordInAmongTheLinesThatWereThere) {
    struct Fall {
        const char* name;
        std::optional<QByteArray> vorher;
        QList<PasswortDatei::Schluessel> fuer;
        QString passwort;
        QByteArray nachher;
    };
    const PasswortDatei::Schluessel zweiter{QStringLiteral("db2"), QStringLiteral("6432"), QStringLiteral("waagen"),
                                            QStringLiteral("station")};
    const PasswortDatei::Schluessel maskiert{QStringLiteral("fe80::1"), QStringLiteral("5432"),
                                             QStringLiteral("c:\\daten"), QStringLiteral("a\\b")};
    const Fall faelle[] = {
        {"new file", std::nullopt, {kServer}, QStringLiteral("geheim"), "db1:5432:waagen:station:geheim\n"},
        {"same four fields replaced",
         QByteArray("db1:5432:waagen:station:alt\n"),
         {kServer},
         QStringLiteral("neu"),
         "db1:5432:waagen:station:neu\n"},
        {"other lines, comments and blank lines kept, a last line without its newline too",
         QByteArray("# Zentrale\ndb1:5432:andere:station:x\n\ndb1:5432:waagen:station:alt\n"
                    "#db1:5432:waagen:station:auskommentiert\r\ndb9:1:a:b:c"),
         {kServer},
         QStringLiteral("neu"),
         "# Zentrale\ndb1:5432:andere:station:x\n\ndb1:5432:waagen:station:neu\n"
         "#db1:5432:waagen:station:auskommentiert\r\ndb9:1:a:b:c\n"},
        {"a second line for the same server goes",
         QByteArray("db1:5432:waagen:station:alt\nx:1:y:z:w\ndb1:5432:waagen:station:noch\n"),
         {kServer},
         QStringLiteral("neu"),
         "db1:5432:waagen:station:neu\nx:1:y:z:w\n"},
        {"new line before a wildcard line that would fit first",
         QByteArray("a:1:b:c:d\n*:*:*:station:alle\n"),
         {kServer},
         QStringLiteral("neu"),
         "a:1:b:c:d\ndb1:5432:waagen:station:neu\n*:*:*:station:alle\n"},
        {"an escaped star is no wildcard",
         QByteArray("\\*:5432:waagen:station:stern\n"),
         {kServer},
         QStringLiteral("neu"),
         "\\*:5432:waagen:station:stern\ndb1:5432:waagen:station:neu\n"},
        {"colon and backslash escaped, and found again escaped",
         QByteArray("fe80\\:\\:1:5432:c\\:\\\\daten:a\\\\b:alt\n"),
         {maskiert},
         QStringLiteral("p:w\\x"),
         "fe80\\:\\:1:5432:c\\:\\\\daten:a\\\\b:p\\:w\\\\x\n"},
        {"one line per host",
         std::nullopt,
         {kServer, zweiter},
         QStringLiteral("g"),
         "db1:5432:waagen:station:g\ndb2:6432:waagen:station:g\n"},
    };
    for (const Fall& f : faelle) {
        QTemporaryDir ordner;
        // The folder is made when missing, as %APPDATA%\postgresql often is.
        const QString pfad = ordner.filePath(QStringLiteral("postgresql/pgpass.conf"));
        if (f.vorher) {
            QFile::remove(pfad);
            ASSERT_TRUE(QDir().mkpath(QFileInfo(pfad).absolutePath()));
            QFile alt(pfad);
            ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
            alt.write(*f.vorher);
            alt.close();
            // Readable by all before: libpq would ignore it so.
            alt.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                               QFileDevice::ReadOther);
        }
        QString fehler;
        ASSERT_TRUE(PasswortDatei(pfad).eintragen(f.fuer, f.passwort, &fehler))
            << f.name << ": " << fehler.toStdString();
        EXPECT_EQ(lesen(pfad), f.nachher) << f.name;
        const QFileDevice::Permissions andere = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        const QFileDevice::Permissions rechte = QFileInfo(pfad).permissions();
        EXPECT_EQ(rechte & andere, QFileDevice::Permissions()) << f.name;
        EXPECT_TRUE(rechte.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) << f.name;
        EXPECT_EQ(QDir(QFileInfo(pfad).absolutePath()).entryList(QDir::Files), QStringList{"pgpass.conf"}) << f.name;
    }
}

TEST(PasswortDatei, ALineBreakIsRefusedAndTheFileStaysAsItWas) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("pgpass"));
    QString fehler;
    ASSERT_TRUE(PasswortDatei(pfad).eintragen({kServer}, QStringLiteral("alt"), &fehler));
    EXPECT_FALSE(PasswortDatei(pfad).eintragen({kServer}, QStringLiteral("zwei\nZeilen"), &fehler));
    EXPECT_FALSE(fehler.contains(QStringLiteral("zwei")));
    EXPECT_EQ(lesen(pfad), "db1:5432:waagen:station:alt\n");
}

// The four fields as libpq compares them for a connection, its defaults filled in.
TEST(PasswortDatei, FieldsForTheAddressWithLibpqsDefaults) {
    for (const char* variable : {"PGPORT", "PGUSER", "PGDATABASE"})
        qunsetenv(variable);
    struct Fall {
        const char* text;
        QList<PasswortDatei::Schluessel> erwartet;
    };
    const Fall faelle[] = {
        {"host=db1 port=6432 dbname=waagen user=station", {{"db1", "6432", "waagen", "station"}}},
        {"user=station", {{"localhost", "5432", "station", "station"}}},
        {"hostaddr=10.0.0.5 user=s dbname=d", {{"10.0.0.5", "5432", "d", "s"}}},
        {"host=a,b port=1,2 user=s dbname=d", {{"a", "1", "d", "s"}, {"b", "2", "d", "s"}}},
        {"host=a,b port=7 user=s dbname=d", {{"a", "7", "d", "s"}, {"b", "7", "d", "s"}}},
        {"host=db1 dbname=d", {}},
    };
    for (const Fall& f : faelle) {
        const auto adresse = zentrale::ZentraleAdresse::lesen(QString::fromUtf8(f.text), nullptr);
        ASSERT_TRUE(adresse) << f.text;
        EXPECT_EQ(PasswortDatei::schluesselFuer(*adresse), f.erwartet) << f.text;
    }
}

} // namespace
