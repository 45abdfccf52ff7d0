#include "konsolenausgabe.h"

#include <QRegularExpression>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

KonsolenAusgabe::KonsolenAusgabe(Ziel ziel) : m_ziel(std::move(ziel)) {}

qint64 KonsolenAusgabe::readData(char*, qint64) {
    return -1;
}

qint64 KonsolenAusgabe::writeData(const char* daten, qint64 laenge) {
    const QString text = m_decoder.decode(QByteArrayView(daten, laenge));
    if (!text.isEmpty() && !m_ziel(text)) {
        setErrorString(QStringLiteral("die Konsole nimmt den Text nicht an"));
        return -1;
    }
    return laenge;
}

std::unique_ptr<QIODevice> konsoleFuer(const QString& ziel) {
#ifdef Q_OS_WIN
    // The console's own names, also with an extension or in some folder, as Windows reads them.
    static const QRegularExpression konsole(QStringLiteral("(^|[\\\\/:])(CON|CONOUT\\$)[ .]*(\\.[^\\\\/]*)?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    std::shared_ptr<void> eigener;
    HANDLE h = nullptr;
    if (ziel == QLatin1String("-")) {
        h = GetStdHandle(STD_OUTPUT_HANDLE);
    } else if (konsole.match(ziel).hasMatch()) {
        h = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            eigener.reset(h, CloseHandle);
    }
    DWORD modus = 0;
    if (h == nullptr || h == INVALID_HANDLE_VALUE || !GetConsoleMode(h, &modus))
        return nullptr;
    return std::make_unique<KonsolenAusgabe>([h, eigener](const QString& text) {
        DWORD geschrieben = 0;
        return WriteConsoleW(h, reinterpret_cast<const wchar_t*>(text.utf16()), static_cast<DWORD>(text.size()),
                             &geschrieben, nullptr) != 0;
    });
#else
    Q_UNUSED(ziel);
    return nullptr;
#endif
}

} // namespace platform
