#pragma once

#include <QSqlDatabase>
#include <QString>

namespace recording {

// One named connection to the working database. It opens only a file that is already there and is a SQLite
// database: a missing file never turns into an empty database without the table, and a file of another
// kind (an Access file of an earlier installation, say) is left alone and described instead.
//
// SQLite keeps its locks as POSIX advisory locks, which the process loses at any close() of any descriptor
// of the same file. So while a connection of this process has a file open, nothing but SQLite may open
// that file: whether it is a database at all is asked of SQLite, and only a file SQLite refused, and that
// no connection here holds, is looked at directly.
class Datenquelle {
public:
    // A short wait for a lock keeps the recording tick responsive while another reader or writer finishes.
    static constexpr int kBusyTimeoutMs = 300;
    // After a checkpoint has emptied it, the -wal file is cut back to this size, so an outside reader that
    // held it for hours leaves no large file behind. SQLite checkpoints at 1000 pages, so in steady
    // recording the file stays a little above this.
    static constexpr qint64 kWalGrenzeBytes = 4 * 1024 * 1024;

    explicit Datenquelle(const QString& verbindung);
    ~Datenquelle();
    Datenquelle(const Datenquelle&) = delete;
    Datenquelle& operator=(const Datenquelle&) = delete;

    bool oeffnen(const QString& pfad);
    // For readers that must never write (the export, the chart, a scheduled job while the program records):
    // SQLite's read-only mode, no journal settings touched; a missing file is never created.
    bool oeffnenZumLesen(const QString& pfad);
    // Every query on the connection must be gone before this.
    void schliessen();
    bool offen() const;
    QSqlDatabase db() const;
    QString pfad() const { return m_pfad; }
    QString verbindung() const { return m_verbindung; }
    QString fehler() const { return m_fehler; }

    // Whether a connection of this process has the file open, so that no other descriptor may touch it.
    static bool inBenutzung(const QString& pfad);

    // Empty when the file is a SQLite database (or empty), otherwise what it looks like, for the operator.
    // Reads the file's first bytes, so it must not be called while inBenutzung(pfad).
    static QString fremdeDateiArt(const QString& pfad);
    // The same judgement on a file's first bytes already read, and its size.
    static QString artDerBytes(const QByteArray& kopf, qint64 groesse);

private:
    bool oeffnen(const QString& pfad, bool nurLesen);

    QString m_verbindung;
    QString m_pfad;
    QString m_angemeldet; // the key under which this connection counts as holding its file
    QString m_fehler;
};

} // namespace recording
