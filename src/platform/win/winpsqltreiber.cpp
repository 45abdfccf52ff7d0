#include "platform/psqltreiber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <windows.h>

namespace platform {

namespace {

struct Glied {
    const char* datei;
    // Added to the name where the file alone would not tell the operator what to install.
    const char* zusatz;
};

// Leaf first, so that a DLL which does not load while everything it needs did is the one missing. The
// PostgreSQL client is built with Microsoft's compiler and needs its runtime; Qt and the program do not.
constexpr Glied kKette[] = {
    {"ucrtbase.dll", " (Universal C Runtime)"},
    {"VCRUNTIME140.dll", " (Visual C++ Laufzeit)"},
    {"libiconv-2.dll", ""},
    {"libintl-9.dll", ""},
    {"libcrypto-3-x64.dll", ""},
    {"libssl-3-x64.dll", ""},
    {"libpq.dll", ""},
};

const auto kPlugin = QStringLiteral("qsqlpsql.dll");

const wchar_t* breit(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// What the system says, for a file that is there and still does not load.
QString warum(DWORD fehler, const QString& datei) {
    if (fehler == ERROR_MOD_NOT_FOUND)
        return datei + QStringLiteral(" (oder eine DLL, die sie braucht)");
    return datei + QStringLiteral(" (") + qt_error_string(int(fehler)).trimmed() + u')';
}

// Empty when the DLL loads. Tried in the given folders first by full path: the loader searches the program's
// folder for what the plugin needs, and a DLL already loaded under its name is taken from wherever it came.
// Then along the system's own search path (System32, PATH), where the runtimes are.
QString laden(const QString& datei, const QStringList& ordner) {
    for (const QString& o : ordner) {
        const QString pfad = QDir::toNativeSeparators(QDir(o).filePath(datei));
        if (!QFileInfo::exists(pfad))
            continue;
        if (LoadLibraryExW(breit(pfad), nullptr, 0))
            return {};
        return warum(GetLastError(), datei);
    }
    if (LoadLibraryExW(breit(datei), nullptr, 0))
        return {};
    const DWORD fehler = GetLastError();
    return fehler == ERROR_MOD_NOT_FOUND ? datei : warum(fehler, datei);
}

} // namespace

QString psqlTreiberFehlt() {
    // A DLL that does not load must not bring up the system's message box: the status band says it.
    DWORD vorher = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &vorher);

    QStringList plugins;
    QStringList ordner{QCoreApplication::applicationDirPath()};
    for (const QString& pfad : QCoreApplication::libraryPaths()) {
        const QString plugin = QDir(pfad).filePath(QStringLiteral("sqldrivers/") + kPlugin);
        if (!QFileInfo::exists(plugin))
            continue;
        plugins << plugin;
        if (!ordner.contains(pfad, Qt::CaseInsensitive))
            ordner << pfad;
    }
    QString fehlt;
    for (const Glied& g : kKette) {
        fehlt = laden(QString::fromLatin1(g.datei), ordner);
        if (!fehlt.isEmpty()) {
            if (fehlt == QLatin1String(g.datei))
                fehlt += QString::fromUtf8(g.zusatz);
            break;
        }
    }
    if (fehlt.isEmpty()) {
        fehlt = QStringLiteral("sqldrivers\\") + kPlugin;
        for (const QString& plugin : plugins) {
            if (LoadLibraryExW(breit(QDir::toNativeSeparators(plugin)), nullptr, 0)) {
                fehlt.clear();
                break;
            }
            fehlt = warum(GetLastError(), kPlugin);
        }
    }
    SetThreadErrorMode(vorher, nullptr);
    return fehlt;
}

} // namespace platform
