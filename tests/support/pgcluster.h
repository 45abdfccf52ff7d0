#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QProcess;
class QTemporaryDir;

// A throw-away PostgreSQL 15 server for tests that need a real central database: its own folder, its own
// TCP port, password login only, so tests can also prove that a wrong password is refused.
class PgCluster {
public:
    PgCluster();
    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // Before starten(): commits reach the disk as on a real server (slower; for benchmarks).
    void setDauerhaft(bool dauerhaft) { m_dauerhaft = dauerhaft; }
    // Before starten(): TLS with a certificate for 127.0.0.1 and localhost, signed by a CA made for the test.
    void setTls(bool tls) { m_tls = tls; }
    // The CA that signed the server's certificate (with setTls).
    QString caDatei() const;
    // A CA of its own, made into `pfad`, that vouches for nothing this server has.
    static bool fremdeCaErzeugen(const QString& pfad, QString* fehler);

    // Creates and starts the cluster with the login role "gramura" (password "geheim") owning "zentrale".
    bool starten(QString* fehler);
    bool stoppen();
    // Same port and data as before, so clients can reconnect to the address they already know.
    bool wiederStarten();

    QString conninfo(const QString& passwort = QStringLiteral("geheim")) const;
    QString uri(const QString& passwort = QStringLiteral("geheim")) const;
    int port() const { return m_port; }

    // Runs one statement as superuser; the trimmed output, or nullopt with the reason in letzterFehler().
    std::optional<QString> abfrage(const QString& sql, const QString& db = QStringLiteral("zentrale"));
    // Keeps a transaction open in a separate session (e.g. a table lock) until sperreLoesen(); returns once
    // every statement of sql has run.
    bool sperreHalten(const QString& sql);
    void sperreLoesen();

    QString letzterFehler() const { return m_fehler; }

private:
    bool alsServerBenutzer(const QString& programm, const QStringList& argumente);
    std::optional<QString> psql(const QStringList& argumente, const QByteArray& eingabe, const QString& db);
    bool serverStarten();
    bool pgCtlStoppen(const QString& modus);
    bool fehlschlag(const QString& was);
    bool tlsEinrichten();
    QString datenOrdner() const;
    QString logDatei() const;

    std::unique_ptr<QTemporaryDir> m_ordner;
    std::unique_ptr<QProcess> m_sperre;
    QString m_binOrdner;
    QString m_fehler;
    int m_port = 0;
    bool m_laeuft = false;
    bool m_dauerhaft = false;
    bool m_tls = false;
};
