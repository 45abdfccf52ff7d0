#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zentrale {

class ZentraleAdresse;

// libpq's password file: one line "host:port:database:user:password" per server, "*" for any, ":" and "\"
// written as "\:" and "\\", lines starting with "#" comments. libpq takes the first line that fits, so a
// password put in goes where the first line fitting its server stood; everything else stays as it was.
class PasswortDatei {
public:
    // Which lines the password is for: the four fields before it, unescaped.
    struct Schluessel {
        QString host;
        QString port;
        QString datenbank;
        QString benutzer;
        bool operator==(const Schluessel&) const = default;
    };

    explicit PasswortDatei(QString pfad) : m_pfad(std::move(pfad)) {}

    QString pfad() const { return m_pfad; }

    // Puts the password in for each of the servers: a line for the same four fields is replaced, a new line
    // stands before the first one that would fit the server as well (a "*" line), else at the end. Written
    // under a temporary name and renamed, readable by its owner alone (libpq ignores a file others may read).
    // False with the reason; the password never appears in it.
    bool eintragen(const QList<Schluessel>& fuer, const QString& passwort, QString* fehler) const;

    // The four fields libpq compares for the address, one set per host, with libpq's defaults filled in
    // (host "localhost", port PGPORT or 5432, database the user's name). Empty without a user name.
    static QList<Schluessel> schluesselFuer(const ZentraleAdresse& adresse);
    // A field as it stands in the file.
    static QString feld(const QString& wert);
    static QString zeile(const Schluessel& s, const QString& passwort);

private:
    QString m_pfad;
};

} // namespace zentrale
