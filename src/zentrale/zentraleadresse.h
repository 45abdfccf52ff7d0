#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace zentrale {

// The central server as the administrator writes it for any libpq program: a connection string
// ("host=db1 port=5432 dbname=waage user=station") or a URI ("postgresql://station@db1/waage?sslmode=require").
// Split into its parameters so the password can be kept out of everything the operator sees.
class ZentraleAdresse {
public:
    // Empty on a text libpq would refuse, and on one whose password could be read in two ways (an unencoded
    // "/" or "@" in a URI, a blank in an unquoted value). `fehler` then says why in words of its own: it
    // repeats nothing of the text but the names of libpq's parameters, since any word of it may be a piece
    // of the password.
    static std::optional<ZentraleAdresse> lesen(const QString& text, QString* fehler);

    // The parameters as written, keys in libpq's spelling ("host", "port", "dbname", "user", "password", …),
    // values with quotes, escapes and percent-encoding undone.
    const QList<QPair<QString, QString>>& parameter() const { return m_parameter; }
    QString wert(const QString& schluessel) const;
    // "password", "sslpassword", …: values nobody but libpq may see.
    static bool istGeheim(const QString& schluessel);

    // What "sent" is remembered under: host, port and database, as libpq would default them. The user and
    // the password do not change which table the rows went into.
    QString serverSchluessel() const;
    // For the operator and the log: "waage auf db1:5432".
    QString anzeige() const;
    // The text with every password given (each of a key given twice), should anything repeat it, replaced:
    // as given or as written, percent-encoded, and each piece of it from three characters on.
    QString ohnePasswort(QString text) const;

private:
    QList<QPair<QString, QString>> m_parameter;
    // Each secret as it stood in the text, before its quotes, escapes or percent-encoding were undone.
    QStringList m_geheimGeschrieben;
};

} // namespace zentrale
