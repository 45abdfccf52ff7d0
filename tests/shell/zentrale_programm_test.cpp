// The program itself, as the operator starts it, with the central server configured in its settings: the
// weights of the built-in simulator reach the server, recording goes on while the server is away, and the
// backlog follows once it is back. The password never reaches the program's output.
#include "pgcluster.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int kWarteMs = 60000;

qint64 lokal(const QString& mdb, const QString& sql) {
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("blick"));
        db.setDatabaseName(mdb);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                n = q.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("blick"));
    return n;
}

bool warten(const std::function<bool()>& bedingung) {
    const QDeadlineTimer frist(kWarteMs);
    while (!bedingung()) {
        if (frist.hasExpired())
            return false;
        QThread::msleep(200);
    }
    return true;
}

TEST(ZentraleProgramm, SimulatedWeightsReachTheServerAcrossItsAbsence) {
    PgCluster server;
    QString fehler;
    ASSERT_TRUE(server.starten(&fehler)) << fehler.toStdString();
    QTemporaryDir heim;
    const QString daten = QDir(heim.path()).filePath(QStringLiteral("daten"));
    ASSERT_TRUE(QDir().mkpath(daten));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GRAMURA_GEBAUTE_VORLAGE), QDir(daten).filePath(QStringLiteral("zel.neu"))));
    ASSERT_TRUE(QDir().mkpath(heim.path() + QStringLiteral("/.config/Gramura")));
    QFile conf(heim.path() + QStringLiteral("/.config/Gramura/Gramura.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    // Every second a row; the server from the settings, its password inside the connection string.
    conf.write(QStringLiteral("[frm_Settings]\nchk10s=0\nchk1s=1\ntxt1s=0\n\n[Zentrale]\nServer=%1\nStation=Halle 2\n")
                   .arg(server.conninfo())
                   .toUtf8());
    conf.close();

    QProcess programm;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("HOME"), heim.path());
    umgebung.insert(QStringLiteral("XDG_CONFIG_HOME"), heim.path() + QStringLiteral("/.config"));
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    programm.setProcessEnvironment(umgebung);
    programm.setProcessChannelMode(QProcess::MergedChannels);
    programm.start(QStringLiteral(GRAMURA_PROGRAMM), {QStringLiteral("--demo"), QStringLiteral("--data-dir"), daten});
    ASSERT_TRUE(programm.waitForStarted());
    const QString mdb = QDir(daten).filePath(QStringLiteral("zel.mdb"));
    auto dort = [&] {
        const auto n = server.abfrage(QStringLiteral("select count(*) from gewichte where station = 'Halle 2'"));
        return n ? n->toLongLong() : -1;
    };
    ASSERT_TRUE(warten([&] { return dort() >= 3; })) << programm.readAll().toStdString();

    ASSERT_TRUE(server.stoppen());
    const qint64 beimAnhalten = lokal(mdb, QStringLiteral("select count(*) from Gewichte"));
    // Recording goes on without the server.
    ASSERT_TRUE(
        warten([&] { return lokal(mdb, QStringLiteral("select count(*) from Gewichte")) >= beimAnhalten + 4; }));
    ASSERT_TRUE(server.wiederStarten());
    const qint64 beimStart = lokal(mdb, QStringLiteral("select count(*) from Gewichte"));
    ASSERT_TRUE(warten([&] { return dort() >= beimStart; }));

    programm.kill();
    programm.waitForFinished();
    const QString ausgabe = QString::fromLocal8Bit(programm.readAll());
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("Zentrale"))) << ausgabe.toStdString();
    EXPECT_FALSE(ausgabe.contains(QStringLiteral("geheim"))) << ausgabe.toStdString();
    // Nothing on the server that is not in zel.mdb, and every row under the file's identity.
    const qint64 alle = lokal(mdb, QStringLiteral("select count(*) from Gewichte"));
    EXPECT_LE(dort(), alle);
    EXPECT_EQ(server.abfrage(QStringLiteral("select count(distinct datei) from gewichte")).value_or(QString()),
              QStringLiteral("1"));
    EXPECT_EQ(
        server.abfrage(QStringLiteral("select count(*) from gewichte where zeitpunkt_abgeleitet")).value_or(QString()),
        QStringLiteral("0"));
}

} // namespace
