#include "konsole.h"

#include <QtGlobal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

namespace {

#ifdef Q_OS_WIN
bool fuehrtWohin(DWORD welche) {
    const HANDLE h = GetStdHandle(welche);
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

bool istKonsole(DWORD welche) {
    DWORD modus = 0;
    return GetConsoleMode(GetStdHandle(welche), &modus) != 0;
}

void kasten(const QString& text, UINT art) {
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.utf16()), L"VELKOR ZEL Desktop",
                art | MB_OK | MB_SETFOREGROUND);
}
#endif

void schreiben(std::FILE* ziel, const QString& text) {
#ifdef Q_OS_WIN
    // A console gets the text itself, whatever its code page. As bytes it would pass the C runtime, which may
    // read them in its own locale (wine's reads them as Latin-1 and turned „ and “ into control characters),
    // and then the console's OEM code page, in which ä, ö, ü and ß are other letters.
    const DWORD welche = ziel == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    if (istKonsole(welche)) {
        const QString zeile = text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n');
        DWORD geschrieben = 0;
        std::fflush(ziel);
        if (WriteConsoleW(GetStdHandle(welche), reinterpret_cast<const wchar_t*>(zeile.utf16()),
                          static_cast<DWORD>(zeile.size()), &geschrieben, nullptr))
            return;
    }
#endif
    std::fputs(text.toLocal8Bit().constData(), ziel);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', ziel);
    std::fflush(ziel);
}

} // namespace

void konsoleAnbinden() {
#ifdef Q_OS_WIN
    const bool ausgabe = fuehrtWohin(STD_OUTPUT_HANDLE);
    const bool fehler = fuehrtWohin(STD_ERROR_HANDLE);
    if ((!ausgabe || !fehler) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        // Only the streams that lead nowhere: one redirected into a file stays there.
        if (!ausgabe && std::freopen("CONOUT$", "w", stdout) == nullptr)
            return;
        if (!fehler && std::freopen("CONOUT$", "w", stderr) == nullptr)
            return;
    }
    // Qt sends its warnings to the debugger unless a console is attached; where standard error leads into a
    // file or pipe (gramura.exe 2> protokoll.txt, a service wrapper), they belong there, as on Linux.
    if (fuehrtWohin(STD_ERROR_HANDLE) && !istKonsole(STD_ERROR_HANDLE))
        qputenv("QT_FORCE_STDERR_LOGGING", "1");
#endif
}

void hilfeAusgeben(const QString& text) {
    schreiben(stdout, text);
#ifdef Q_OS_WIN
    if (!fuehrtWohin(STD_OUTPUT_HANDLE))
        kasten(text, MB_ICONINFORMATION);
#endif
}

void fehlerAusgeben(const QString& text) {
    schreiben(stderr, text);
#ifdef Q_OS_WIN
    if (!fuehrtWohin(STD_ERROR_HANDLE))
        kasten(text, MB_ICONERROR);
#endif
}

void berichtAusgeben(const QString& text) {
    schreiben(stdout, text);
}

} // namespace platform
