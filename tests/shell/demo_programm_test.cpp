// The program itself with --demo, as scripts/demo.sh starts it: the built-in indicator stands in for the
// stored port or device, and its weights reach the display, which the recording of every second proves by
// storing them. A port that failed to open would instead stop start-up at its message.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int kWarteMs = 60000;

// The weights recorded so far; empty while the file or its table is not there yet.
QList<double> gewichte(const QString& mdb) {
    QList<double> werte;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("blick"));
        db.setDatabaseName(mdb);
        if (QFile::exists(mdb) && db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("select Gewicht from Gewichte"))) {
                while (q.next())
                    werte << q.value(0).toDouble();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("blick"));
    return werte;
}

class DemoProgramm : public testing::TestWithParam<const char*> {};

TEST_P(DemoProgramm, ShowsTheSimulatedWeightsInPlaceOfTheStoredPort) {
    QTemporaryDir heim;
    const QString daten = QDir(heim.path()).filePath(QStringLiteral("daten"));
    ASSERT_TRUE(QDir().mkpath(daten));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GRAMURA_GEBAUTE_VORLAGE), QDir(daten).filePath(QStringLiteral("zel.neu"))));
    const QString konfig = heim.path() + QStringLiteral("/.config");
    ASSERT_TRUE(QDir().mkpath(konfig + QStringLiteral("/Gramura")));
    QFile conf(konfig + QStringLiteral("/Gramura/Gramura.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    // Every second a row, whether the weight changed or not.
    conf.write(QByteArrayLiteral("[frm_Settings]\nchk10s=0\nchk1s=1\ntxt1s=0\n") + GetParam() + '\n');
    conf.close();

    QProcess programm;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("HOME"), heim.path());
    umgebung.insert(QStringLiteral("XDG_CONFIG_HOME"), konfig);
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    programm.setProcessEnvironment(umgebung);
    programm.setProcessChannelMode(QProcess::MergedChannels);
    programm.start(QStringLiteral(GRAMURA_PROGRAMM), {QStringLiteral("--demo"), QStringLiteral("--data-dir"), daten});
    ASSERT_TRUE(programm.waitForStarted());

    const QString mdb = QDir(daten).filePath(QStringLiteral("zel.mdb"));
    const QDeadlineTimer frist(kWarteMs);
    QList<double> werte;
    while ((werte = gewichte(mdb)).size() < 3 && !frist.hasExpired() && programm.state() == QProcess::Running)
        QThread::msleep(200);
    const bool lief = programm.state() == QProcess::Running;
    programm.kill();
    programm.waitForFinished();
    const std::string ausgabe = programm.readAll().toStdString();
    EXPECT_TRUE(lief) << ausgabe;
    EXPECT_GE(werte.size(), 3) << ausgabe;
}

// The stored "COM n" and a stored device that is not plugged in: both give way to the simulator.
INSTANTIATE_TEST_SUITE_P(GespeicherterPort, DemoProgramm,
                         testing::Values("Port=4", "PortGeraet=/dev/gramura-test-nicht-angeschlossen"),
                         [](const testing::TestParamInfo<const char*>& eintrag) {
                             const std::string zeile = eintrag.param;
                             return zeile.substr(0, zeile.find('='));
                         });

} // namespace
