#include "pgcluster.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>
#include <pwd.h>
#include <unistd.h>

namespace {

// Generous, so a loaded CI machine is slow rather than failing; still finite, so a hang becomes a failure.
constexpr int kWarteMs = 60000;
const QString kSuperPasswort = QStringLiteral("obergeheim");
const QString kSperrMarke = QStringLiteral("gramura-sperre-gewaehrt");

// PostgreSQL refuses to run as root, so under root (as in CI) the server belongs to the "postgres" account.
bool alsRoot() {
    return ::geteuid() == 0;
}

int freierPort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    return server.serverPort();
}

QString ende(const QByteArray& text, int zeilen) {
    QStringList alle = QString::fromLocal8Bit(text).trimmed().split(QLatin1Char('\n'));
    return alle.mid(qMax(0, alle.size() - zeilen)).join(QLatin1Char('\n'));
}

QString prozessFehler(QProcess& p, const QString& was) {
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
        return QStringLiteral("%1: keine Antwort nach %2 s").arg(was).arg(kWarteMs / 1000);
    }
    if (p.exitStatus() != QProcess::NormalExit || p.error() == QProcess::FailedToStart)
        return QStringLiteral("%1: %2").arg(was, p.errorString());
    return QStringLiteral("%1: Exit-Code %2\n%3").arg(was).arg(p.exitCode()).arg(ende(p.readAllStandardError(), 20));
}

bool openssl(const QString& ordner, const QStringList& argumente, QString* fehler) {
    QProcess p;
    p.setWorkingDirectory(ordner);
    p.start(QStringLiteral("openssl"), argumente);
    if (p.waitForFinished(kWarteMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    *fehler = prozessFehler(p, QStringLiteral("openssl"));
    return false;
}

// A key and a self-signed CA certificate, on a curve: quick to make.
bool caErzeugen(const QString& ordner, const QString& name, QString* fehler) {
    return openssl(ordner,
                   {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                    QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"),
                    QStringLiteral("-nodes"), QStringLiteral("-keyout"), name + QStringLiteral(".key"),
                    QStringLiteral("-out"), name + QStringLiteral(".crt"), QStringLiteral("-days"), QStringLiteral("2"),
                    QStringLiteral("-subj"), QStringLiteral("/CN=Gramura Test ") + name},
                   fehler);
}

} // namespace

QString PgCluster::caDatei() const {
    return m_ordner ? m_ordner->path() + QStringLiteral("/ca.crt") : QString();
}

bool PgCluster::fremdeCaErzeugen(const QString& pfad, QString* fehler) {
    QTemporaryDir ordner;
    if (!caErzeugen(ordner.path(), QStringLiteral("fremd"), fehler))
        return false;
    QFile::remove(pfad);
    return QFile::copy(ordner.filePath(QStringLiteral("fremd.crt")), pfad);
}

bool PgCluster::tlsEinrichten() {
    const QString o = m_ordner->path();
    QString fehler;
    {
        QFile erweiterung(o + QStringLiteral("/server.ext"));
        if (!erweiterung.open(QIODevice::WriteOnly) ||
            erweiterung.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n") < 0)
            return fehlschlag(QStringLiteral("TLS einrichten: ") + erweiterung.errorString());
    }
    const bool ok =
        caErzeugen(o, QStringLiteral("ca"), &fehler) &&
        openssl(o,
                {QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                 QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                 QStringLiteral("server.key"), QStringLiteral("-out"), QStringLiteral("server.csr"),
                 QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")},
                &fehler) &&
        openssl(o,
                {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), QStringLiteral("server.csr"),
                 QStringLiteral("-CA"), QStringLiteral("ca.crt"), QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
                 QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), QStringLiteral("server.crt"),
                 QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-extfile"),
                 QStringLiteral("server.ext")},
                &fehler);
    if (!ok)
        return fehlschlag(QStringLiteral("TLS einrichten: ") + fehler);
    // The server insists on a key only its own account can read.
    QFile::setPermissions(o + QStringLiteral("/server.key"), QFile::ReadOwner | QFile::WriteOwner);
    if (alsRoot()) {
        const passwd* pg = ::getpwnam("postgres");
        for (const char* datei : {"/server.key", "/server.crt", "/ca.crt"})
            if (!pg || ::chown(QFile::encodeName(o + QLatin1String(datei)).constData(), pg->pw_uid, pg->pw_gid) != 0)
                return fehlschlag(QStringLiteral("TLS-Dateien an postgres übergeben misslungen"));
    }
    return true;
}

PgCluster::PgCluster()
    : m_binOrdner(qEnvironmentVariable("GRAMURA_PG_BINDIR", QStringLiteral("/usr/lib/postgresql/15/bin"))) {}

PgCluster::~PgCluster() {
    sperreLoesen();
    // Nothing of the cluster is worth keeping, so no checkpoint: "immediate" makes teardown fast.
    if (m_laeuft)
        pgCtlStoppen(QStringLiteral("immediate"));
}

QString PgCluster::datenOrdner() const {
    return m_ordner->path() + QStringLiteral("/data");
}
QString PgCluster::logDatei() const {
    return m_ordner->path() + QStringLiteral("/server.log");
}

bool PgCluster::fehlschlag(const QString& was) {
    m_fehler = was;
    if (m_ordner) {
        QFile log(logDatei());
        if (log.open(QIODevice::ReadOnly))
            m_fehler += QStringLiteral("\n--- Serverlog (Ende) ---\n") + ende(log.readAll(), 15);
    }
    return false;
}

bool PgCluster::alsServerBenutzer(const QString& programm, const QStringList& argumente) {
    QProcess p;
    // Also keeps the server tools out of a working folder that postgres may not enter.
    p.setWorkingDirectory(m_ordner->path());
    const QString pfad = QDir::isAbsolutePath(programm) ? programm : m_binOrdner + QLatin1Char('/') + programm;
    if (alsRoot())
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), pfad} + argumente);
    else
        p.start(pfad, argumente);
    if (p.waitForFinished(kWarteMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    return fehlschlag(prozessFehler(p, programm));
}

bool PgCluster::starten(QString* fehler) {
    const auto ergebnis = [&](bool ok) {
        if (fehler)
            *fehler = ok ? QString() : m_fehler;
        return ok;
    };
    // A new folder would delete the data of the server still running from the old one.
    if (m_laeuft)
        return ergebnis(fehlschlag(QStringLiteral("Der Server läuft schon")));
    m_ordner = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/gramura-pg-XXXXXX"));
    if (!m_ordner->isValid())
        return ergebnis(fehlschlag(QStringLiteral("Temporärer Ordner: ") + m_ordner->errorString()));
    const QString pwDatei = m_ordner->path() + QStringLiteral("/pw");
    {
        QFile pw(pwDatei);
        if (!pw.open(QIODevice::WriteOnly) || pw.write(kSuperPasswort.toUtf8() + '\n') < 0)
            return ergebnis(fehlschlag(QStringLiteral("Passwortdatei: ") + pw.errorString()));
    }
    if (alsRoot()) {
        const passwd* pg = ::getpwnam("postgres");
        const QByteArray ordner = QFile::encodeName(m_ordner->path());
        if (!pg || ::chown(ordner.constData(), pg->pw_uid, pg->pw_gid) != 0 ||
            ::chown(QFile::encodeName(pwDatei).constData(), pg->pw_uid, pg->pw_gid) != 0)
            return ergebnis(fehlschlag(QStringLiteral("Ordner an den Benutzer postgres übergeben misslungen")));
        // A private TMPDIR (e.g. below /root) would be owned by postgres yet unreachable for it.
        if (!alsServerBenutzer(QStringLiteral("/usr/bin/test"), {QStringLiteral("-w"), m_ordner->path()}))
            return ergebnis(fehlschlag(m_ordner->path() + QStringLiteral(" ist für postgres nicht erreichbar; "
                                                                         "TMPDIR auf einen offenen Ordner setzen")));
    }
    const bool initOk =
        alsServerBenutzer(QStringLiteral("initdb"),
                          {QStringLiteral("-D"), datenOrdner(), QStringLiteral("-U"), QStringLiteral("postgres"),
                           QStringLiteral("-A"), QStringLiteral("scram-sha-256"), QStringLiteral("--pwfile"), pwDatei,
                           QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C"),
                           QStringLiteral("--no-sync"), QStringLiteral("--no-instructions")});
    QFile::remove(pwDatei);
    if (!initOk)
        return ergebnis(false);

    m_port = freierPort();
    if (m_port == 0)
        return ergebnis(fehlschlag(QStringLiteral("Kein freier TCP-Port auf 127.0.0.1")));
    // Written into the cluster itself rather than passed to pg_ctl, so wiederStarten() cannot forget any of it.
    // The socket lives in our folder because the system socket folder may not exist or not be writable.
    QFile conf(datenOrdner() + QStringLiteral("/postgresql.conf"));
    QFile hba(datenOrdner() + QStringLiteral("/pg_hba.conf"));
    // Tests need no durability; a benchmark measures with the server's usual commits.
    const QString dauer =
        m_dauerhaft ? QString() : QStringLiteral("fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n");
    if (m_tls && !tlsEinrichten())
        return ergebnis(false);
    const QString tls = m_tls ? QStringLiteral("ssl = on\nssl_cert_file = '%1/server.crt'\n"
                                               "ssl_key_file = '%1/server.key'\n")
                                    .arg(m_ordner->path())
                              : QString();
    const QByteArray einstellungen = QStringLiteral("\nport = %1\nlisten_addresses = '127.0.0.1'\n"
                                                    "unix_socket_directories = '%2'\n%3%4")
                                         .arg(m_port)
                                         .arg(m_ordner->path(), dauer, tls)
                                         .toUtf8();
    // Only password logins, over TCP as the program connects: nothing may slip in through trust or peer.
    const QByteArray regeln = "local all all scram-sha-256\nhost all all 127.0.0.1/32 scram-sha-256\n";
    if (!conf.open(QIODevice::Append) || conf.write(einstellungen) < 0 ||
        !hba.open(QIODevice::WriteOnly | QIODevice::Truncate) || hba.write(regeln) < 0)
        return ergebnis(
            fehlschlag(QStringLiteral("Konfiguration schreiben: ") + conf.errorString() + hba.errorString()));
    conf.close();
    hba.close();

    if (!serverStarten())
        return ergebnis(false);
    // Through stdin, so the role's password never shows up in a process list.
    const QByteArray anlegen = "CREATE ROLE gramura LOGIN PASSWORD 'geheim';\n"
                               "CREATE DATABASE zentrale OWNER gramura;\n";
    if (!psql({QStringLiteral("-f"), QStringLiteral("-")}, anlegen, QStringLiteral("postgres")))
        return ergebnis(fehlschlag(m_fehler));
    return ergebnis(true);
}

bool PgCluster::serverStarten() {
    m_laeuft =
        alsServerBenutzer(QStringLiteral("pg_ctl"),
                          {QStringLiteral("-D"), datenOrdner(), QStringLiteral("-l"), logDatei(), QStringLiteral("-t"),
                           QString::number(kWarteMs / 1000), QStringLiteral("-w"), QStringLiteral("start")});
    return m_laeuft;
}

bool PgCluster::pgCtlStoppen(const QString& modus) {
    const bool ok =
        alsServerBenutzer(QStringLiteral("pg_ctl"),
                          {QStringLiteral("-D"), datenOrdner(), QStringLiteral("-m"), modus, QStringLiteral("-t"),
                           QString::number(kWarteMs / 1000), QStringLiteral("-w"), QStringLiteral("stop")});
    if (ok)
        m_laeuft = false;
    return ok;
}

bool PgCluster::stoppen() {
    sperreLoesen();
    if (!m_ordner)
        return false;
    return pgCtlStoppen(QStringLiteral("fast"));
}

bool PgCluster::wiederStarten() {
    return m_ordner && serverStarten();
}

QString PgCluster::conninfo(const QString& passwort) const {
    QString wert = passwort;
    if (wert.isEmpty() || wert.contains(QRegularExpression(QStringLiteral("[\\s'\\\\]")))) {
        wert.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
        wert = QLatin1Char('\'') + wert + QLatin1Char('\'');
    }
    return QStringLiteral("host=127.0.0.1 port=%1 dbname=zentrale user=gramura password=%2")
        .arg(QString::number(m_port), wert);
}

QString PgCluster::uri(const QString& passwort) const {
    return QStringLiteral("postgresql://gramura:%1@127.0.0.1:%2/zentrale")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(passwort)), QString::number(m_port));
}

std::optional<QString> PgCluster::psql(const QStringList& argumente, const QByteArray& eingabe, const QString& db) {
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("PGPASSWORD"), kSuperPasswort);
    umgebung.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral("psql"),
            QStringList{QStringLiteral("-X"), QStringLiteral("-At"), QStringLiteral("-w"), QStringLiteral("-v"),
                        QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                        QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-U"), QStringLiteral("postgres"),
                        QStringLiteral("-d"), db} +
                argumente);
    p.write(eingabe);
    p.closeWriteChannel();
    if (p.waitForFinished(kWarteMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    m_fehler = prozessFehler(p, QStringLiteral("psql"));
    return std::nullopt;
}

std::optional<QString> PgCluster::abfrage(const QString& sql, const QString& db) {
    return psql({QStringLiteral("-c"), sql}, QByteArray(), db);
}

bool PgCluster::sperreHalten(const QString& sql) {
    sperreLoesen();
    m_sperre = std::make_unique<QProcess>();
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("PGPASSWORD"), kSuperPasswort);
    m_sperre->setProcessEnvironment(umgebung);
    m_sperre->start(QStringLiteral("psql"),
                    {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-w"), QStringLiteral("-v"),
                     QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-U"), QStringLiteral("postgres"),
                     QStringLiteral("-d"), QStringLiteral("zentrale")});
    // psql runs stdin line by line, so the marker only appears once the statements before it have finished,
    // i.e. once a LOCK has really been granted.
    m_sperre->write(sql.toUtf8() + "\n\\echo " + kSperrMarke.toUtf8() + '\n');
    QByteArray ausgabe;
    while (!ausgabe.contains(kSperrMarke.toUtf8())) {
        if (m_sperre->state() == QProcess::NotRunning || !m_sperre->waitForReadyRead(kWarteMs)) {
            // waitForReadyRead also ends when psql quits; only a still running psql means it hangs.
            m_fehler = prozessFehler(*m_sperre, QStringLiteral("psql (Sperre)"));
            m_sperre.reset();
            return false;
        }
        ausgabe += m_sperre->readAllStandardOutput();
    }
    return true;
}

void PgCluster::sperreLoesen() {
    if (!m_sperre)
        return;
    m_sperre->write("ROLLBACK;\n\\q\n");
    m_sperre->closeWriteChannel();
    if (!m_sperre->waitForFinished(kWarteMs)) {
        m_sperre->kill();
        m_sperre->waitForFinished(5000);
    }
    m_sperre.reset();
}
