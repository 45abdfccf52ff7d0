#pragma once

#include <QSqlDatabase>
#include <QString>

namespace recording {

// One named connection to the working database. It opens only a file that is already there and is a SQLite
// database: a missing file never turns into an empty database without the table, and a file of another
// kind (an Access file of an earlier installation, say) is left alone and described instead.
class Datenquelle {
public:
    // A short wait for a lock keeps the recording tick responsive while another reader or writer finishes.
    static constexpr int kBusyTimeoutMs = 300;

    explicit Datenquelle(const QString& verbindung);
    ~Datenquelle();
    Datenquelle(const Datenquelle&) = delete;
    Datenquelle& operator=(const Datenquelle&) = delete;

    bool oeffnen(const QString& pfad);
    // Every query on the connection must be gone before this.
    void schliessen();
    bool offen() const;
    QSqlDatabase db() const;
    QString pfad() const { return m_pfad; }
    QString verbindung() const { return m_verbindung; }
    QString fehler() const { return m_fehler; }

    // Empty when the file is a SQLite database (or empty), otherwise what it looks like, for the operator.
    static QString fremdeDateiArt(const QString& pfad);

private:
    QString m_verbindung;
    QString m_pfad;
    QString m_fehler;
};

} // namespace recording
