#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace zentrale {

class ZentraleAdresse;

// The central server as the window asks for it, field by field, and the connection text made from it. What
// the window has no field for (connect_timeout, sslcert, application_name, …) is kept as it was written.
struct ZentraleAngaben {
    QString host;
    QString port;
    QString datenbank;
    QString benutzer;
    // Empty: the text names none, and libpq's own default holds.
    QString sslmode;
    QString sslrootcert;
    QList<QPair<QString, QString>> weitere;
    // A password the text held: only so it can move to the password file, never for a field.
    QString passwort;

    static ZentraleAngaben aus(const ZentraleAdresse& adresse);
    // Without any of host, port, database, user and the other parameters no server is meant.
    bool leer() const;
    // "key=value …" for the settings, with `passwort` appended only where it is given (the check).
    QString text(const QString& passwort = QString()) const;
    // A value as libpq's connection string takes it: in single quotes, with \' and \\, where it is empty or
    // holds a blank, a quote or a backslash.
    static QString wert(const QString& v);
};

} // namespace zentrale
