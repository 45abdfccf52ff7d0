#pragma once

// Qt's PostgreSQL driver as this computer has it, copied into a folder of a test's own, for tests that want the
// driver missing or unable to load without touching the system.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// The installed driver where Qt looks for it now; empty when libqt6sql6-psql is not installed.
inline QString installierterPsqlTreiber() {
    for (const QString& pfad : QCoreApplication::libraryPaths()) {
        const QString plugin = pfad + QStringLiteral("/sqldrivers/libqsqlpsql.so");
        if (QFileInfo::exists(plugin))
            return plugin;
    }
    return {};
}

// Writes `plugin` into ordner/sqldrivers. With `ohneLibpq` the client library it needs is renamed, at the same
// length, in its list of needed libraries to libpq.so.9, which no system has: the driver is found and does not
// load, as where libpq5 is missing. Empty when done, else why not.
inline QString psqlTreiberKopieren(const QString& plugin, const QString& ordner, bool ohneLibpq) {
    QFile quelle(plugin);
    if (!quelle.open(QIODevice::ReadOnly))
        return plugin + QStringLiteral(": ") + quelle.errorString();
    QByteArray inhalt = quelle.readAll();
    if (ohneLibpq) {
        const QByteArray gebraucht("libpq.so.5\0", 11);
        if (inhalt.count(gebraucht) != 1)
            return QStringLiteral("libpq.so.5 steht nicht genau einmal in ") + plugin;
        inhalt.replace(gebraucht, QByteArray("libpq.so.9\0", 11));
    }
    if (!QDir(ordner).mkpath(QStringLiteral("sqldrivers")))
        return ordner + QStringLiteral(": sqldrivers nicht anlegbar");
    QFile kopie(QDir(ordner).filePath(QStringLiteral("sqldrivers/libqsqlpsql.so")));
    if (!kopie.open(QIODevice::WriteOnly) || kopie.write(inhalt) != inhalt.size())
        return kopie.fileName() + QStringLiteral(": ") + kopie.errorString();
    return {};
}
