#include "pgcluster.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Ergebnis {
    bool ok = false;
    QString ausgabe;
    QString fehler;
};

// Logs in the way the program does, as "gramura" over TCP, independent of the fixture's own superuser path.
Ergebnis alsGramura(const PgCluster& cluster, const QString& passwort, const QString& sql) {
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("PGPASSWORD"), passwort);
    p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral("psql"),
            {QStringLiteral("-X"), QStringLiteral("-At"), QStringLiteral("-w"), QStringLiteral("-v"),
             QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
             QString::number(cluster.port()), QStringLiteral("-U"), QStringLiteral("gramura"), QStringLiteral("-d"),
             QStringLiteral("zentrale"), QStringLiteral("-c"), sql});
    const bool fertig = p.waitForFinished(60000);
    return {fertig && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
            QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(PgCluster, GramuraLogsInOnlyWithItsPassword) {
    PgCluster cluster;
    QString fehler;
    ASSERT_TRUE(cluster.starten(&fehler)) << fehler.toStdString();
    EXPECT_EQ(cluster.abfrage(QStringLiteral("select 1")), QStringLiteral("1"))
        << cluster.letzterFehler().toStdString();

    const Ergebnis richtig = alsGramura(cluster, QStringLiteral("geheim"), QStringLiteral("select current_user"));
    EXPECT_TRUE(richtig.ok) << richtig.fehler.toStdString();
    EXPECT_EQ(richtig.ausgabe, QStringLiteral("gramura"));
    // The role must own its database, or the program could not create its tables there.
    EXPECT_EQ(cluster.abfrage(QStringLiteral("select pg_get_userbyid(datdba) from pg_database where datname = "
                                             "'zentrale'")),
              QStringLiteral("gramura"));

    const Ergebnis falsch = alsGramura(cluster, QStringLiteral("falsch"), QStringLiteral("select current_user"));
    EXPECT_FALSE(falsch.ok);
    // Refused for the password, not merely unreachable.
    EXPECT_TRUE(falsch.fehler.contains(QStringLiteral("password authentication failed")))
        << falsch.fehler.toStdString();
}

TEST(PgCluster, StoppedServerRefusesAndRestartKeepsPortAndData) {
    PgCluster cluster;
    QString fehler;
    ASSERT_TRUE(cluster.starten(&fehler)) << fehler.toStdString();
    ASSERT_TRUE(cluster.abfrage(QStringLiteral("create table gewichte (wert text); insert into gewichte values "
                                               "('12,5 kg')")))
        << cluster.letzterFehler().toStdString();
    const int port = cluster.port();

    ASSERT_TRUE(cluster.stoppen()) << cluster.letzterFehler().toStdString();
    EXPECT_EQ(cluster.abfrage(QStringLiteral("select 1")), std::nullopt);
    EXPECT_FALSE(cluster.letzterFehler().isEmpty());

    ASSERT_TRUE(cluster.wiederStarten()) << cluster.letzterFehler().toStdString();
    EXPECT_EQ(cluster.port(), port);
    EXPECT_EQ(cluster.abfrage(QStringLiteral("select wert from gewichte")), QStringLiteral("12,5 kg"))
        << cluster.letzterFehler().toStdString();
}

TEST(PgCluster, HeldLockMakesStatementsTimeOutUntilReleased) {
    PgCluster cluster;
    QString fehler;
    ASSERT_TRUE(cluster.starten(&fehler)) << fehler.toStdString();
    ASSERT_TRUE(cluster.abfrage(QStringLiteral("create table gewichte (wert text); alter table gewichte owner to "
                                               "gramura")))
        << cluster.letzterFehler().toStdString();
    const QString einfuegen = QStringLiteral("set statement_timeout = 300; insert into gewichte values ('1 kg')");

    ASSERT_TRUE(cluster.sperreHalten(QStringLiteral("BEGIN; LOCK TABLE gewichte IN ACCESS EXCLUSIVE MODE;")))
        << cluster.letzterFehler().toStdString();
    const Ergebnis blockiert = alsGramura(cluster, QStringLiteral("geheim"), einfuegen);
    EXPECT_FALSE(blockiert.ok);
    EXPECT_TRUE(blockiert.fehler.contains(QStringLiteral("statement timeout"))) << blockiert.fehler.toStdString();

    cluster.sperreLoesen();
    const Ergebnis frei = alsGramura(cluster, QStringLiteral("geheim"), einfuegen);
    EXPECT_TRUE(frei.ok) << frei.fehler.toStdString();
    EXPECT_EQ(cluster.abfrage(QStringLiteral("select count(*) from gewichte")), QStringLiteral("1"));
}
