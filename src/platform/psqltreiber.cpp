#include "psqltreiber.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>
#include <QRegularExpression>

namespace platform {

namespace {

const auto kPlugin = QStringLiteral("libqsqlpsql.so");

// The dynamic loader names the first library it did not find: "libpq.so.5: cannot open shared object file".
QString nichtGefunden(const QString& meldung) {
    static const QRegularExpression muster(QStringLiteral("([^\\s:()/]+): cannot open shared object file"));
    return muster.match(meldung).captured(1);
}

} // namespace

QString psqlTreiberFehlt() {
    QString fehler;
    for (const QString& ordner : QCoreApplication::libraryPaths()) {
        const QString pfad = ordner + QStringLiteral("/sqldrivers/") + kPlugin;
        if (!QFileInfo::exists(pfad))
            continue;
        QPluginLoader lader(pfad);
        if (lader.load())
            return {};
        // Qt tries every folder too; the first plugin that does not load tells why.
        if (fehler.isEmpty()) {
            const QString fehlt = nichtGefunden(lader.errorString());
            fehler = fehlt.isEmpty() ? kPlugin + QStringLiteral(" (") + lader.errorString() + u')' : fehlt;
        }
    }
    return fehler.isEmpty() ? kPlugin + QStringLiteral(" (Paket libqt6sql6-psql)") : fehler;
}

} // namespace platform
