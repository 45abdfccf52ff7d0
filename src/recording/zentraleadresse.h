#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace recording {

// The central server as the administrator writes it for any libpq program: a connection string
// ("host=db1 port=5432 dbname=waage user=station") or a URI ("postgresql://station@db1/waage?sslmode=require").
// Split into its parameters so the password can be kept out of everything the operator sees.
class ZentraleAdresse {
public:
    // Empty on a text libpq would refuse; `fehler` then says why, without repeating any password.
    static std::optional<ZentraleAdresse> lesen(const QString& text, QString* fehler);

    // The parameters as written, keys in libpq's spelling ("host", "port", "dbname", "user", "password", …).
    const QList<QPair<QString, QString>>& parameter() const { return m_parameter; }
    QString wert(const QString& schluessel) const;

    // What "sent" is remembered under: host, port and database, as libpq would default them. The user and
    // the password do not change which table the rows went into.
    QString serverSchluessel() const;
    // For the operator and the log: "waage auf db1:5432".
    QString anzeige() const;
    // The text with the password, should libpq ever repeat it, replaced.
    QString ohnePasswort(QString text) const;

private:
    QList<QPair<QString, QString>> m_parameter;
};

} // namespace recording
