#include "platform/dateiaufruf.h"

#include <QDir>
#include <windows.h>

namespace platform::dateiaufruf {

namespace {

const wchar_t* nativ(const QString& pfad) {
    return reinterpret_cast<const wchar_t*>(pfad.utf16());
}

// A scanner or indexer that opened the file without sharing it gives a sharing violation, one that locked
// a part of it a lock violation; a file still being deleted, or open while it is replaced, is "access denied"
// for the moment. A file that is read-only or forbidden says the same and fails after the wait.
Versuch ausFehler(bool gelungen) {
    if (gelungen)
        return {};
    const DWORD fehler = GetLastError();
    return {fehler,
            fehler == ERROR_SHARING_VIOLATION || fehler == ERROR_LOCK_VIOLATION || fehler == ERROR_ACCESS_DENIED};
}

} // namespace

Versuch umbenennen(const QString& von, const QString& nach) {
    const QString a = QDir::toNativeSeparators(von);
    const QString b = QDir::toNativeSeparators(nach);
    // Write-through: the call returns when the new name is on the disk.
    return ausFehler(MoveFileExW(nativ(a), nativ(b), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
}

Versuch entfernen(const QString& pfad) {
    const QString p = QDir::toNativeSeparators(pfad);
    if (DeleteFileW(nativ(p)) != 0)
        return {};
    const DWORD fehler = GetLastError();
    if (fehler == ERROR_FILE_NOT_FOUND || fehler == ERROR_PATH_NOT_FOUND)
        return {};
    SetLastError(fehler);
    return ausFehler(false);
}

Versuch sichern(const QString& pfad) {
    // FlushFileBuffers writes out the file's cached data, whichever handle wrote it; a handle of its own
    // keeps the C runtime's descriptors out of it. It must be allowed to write, and shares everything so that
    // another handle still open on the file does not refuse it.
    const QString p = QDir::toNativeSeparators(pfad);
    const HANDLE datei = CreateFileW(nativ(p), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (datei == INVALID_HANDLE_VALUE)
        return ausFehler(false);
    const bool ok = FlushFileBuffers(datei) != 0;
    const DWORD fehler = GetLastError();
    CloseHandle(datei);
    SetLastError(fehler);
    return ausFehler(ok);
}

Versuch ordnerSichern(const QString& ordner) {
    // NTFS journals a rename itself, and MoveFileExW wrote it through; a folder cannot be flushed there.
    Q_UNUSED(ordner);
    return {};
}

QString meldung(unsigned long fehler) {
    // Language 0: the user's language, then the system's, then English, as Windows itself words its errors.
    wchar_t* text = nullptr;
    const DWORD laenge =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(fehler), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString meldung;
    if (laenge > 0 && text)
        meldung = QString::fromWCharArray(text, static_cast<qsizetype>(laenge)).trimmed();
    if (text)
        LocalFree(text);
    if (meldung.isEmpty())
        meldung = QStringLiteral("Systemfehler %1").arg(fehler);
    return meldung;
}

} // namespace platform::dateiaufruf
