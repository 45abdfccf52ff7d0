#pragma once

#include <QIODevice>
#include <QStringDecoder>
#include <functional>
#include <memory>

namespace platform {

// UTF-8 written for a console that takes text rather than bytes. Windows' console reads bytes in its OEM code
// page, in which ü comes out as two other letters and the byte order mark as three; given as text, it shows
// them as they are. Each write is decoded and handed on at once, a sequence split between two writes waits
// for the rest, and the byte order mark, which means nothing on a screen, is left out.
class KonsolenAusgabe final : public QIODevice {
public:
    // Shows the text; false when the console refused it.
    using Ziel = std::function<bool(const QString&)>;

    explicit KonsolenAusgabe(Ziel ziel);
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* daten, qint64 laenge) override;
    qint64 writeData(const char* daten, qint64 laenge) override;

private:
    Ziel m_ziel;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

// The console behind an output target, "-" (standard output), CON or CONOUT$, as a device like the above:
// on Windows where that target is a console; null where it is not (a file, a pipe), and on other systems,
// whose terminals read UTF-8 themselves.
std::unique_ptr<QIODevice> konsoleFuer(const QString& ziel);

} // namespace platform
