#include "zwischenablageeinfueger.h"

#include "abholmimedata.h"
#include "einfuegeplan.h"
#include "platform/keystrokes.h"

#include <QClipboard>

namespace handover {

ZwischenablageEinfueger::ZwischenablageEinfueger(platform::Keystrokes& keystrokes, QClipboard& clipboard,
                                                 QObject* parent)
    : Einfueger(parent), m_keystrokes(keystrokes), m_clipboard(clipboard) {
    m_nachlauf.setSingleShot(true);
    m_nachlauf.setInterval(kNachlaufMs);
    m_zeitlimit.setSingleShot(true);
    m_zeitlimit.setInterval(kHoechstwartezeitMs);
    connect(&m_nachlauf, &QTimer::timeout, this, &ZwischenablageEinfueger::beenden);
    connect(&m_zeitlimit, &QTimer::timeout, this, &ZwischenablageEinfueger::beenden);
}

ZwischenablageEinfueger::~ZwischenablageEinfueger() {
    // The weight must not outlive the program on the clipboard.
    if (m_wartet)
        m_clipboard.clear();
}

void ZwischenablageEinfueger::setWartezeiten(int nachlaufMs, int hoechstMs) {
    m_nachlauf.setInterval(nachlaufMs);
    m_zeitlimit.setInterval(hoechstMs);
}

void ZwischenablageEinfueger::einfuegen(const QString& text, const platform::KeyStateBytes& gehalten) {
    if (m_wartet)
        return;
    m_clipboard.clear();
    auto* daten = new AbholMimeData(text);
    m_daten = daten;
    connect(daten, &AbholMimeData::abgeholt, this, &ZwischenablageEinfueger::onAbgeholt);
    m_clipboard.setMimeData(daten); // the clipboard owns it from here
    m_wartet = true;
    m_abgeholt = false;
    m_zeitlimit.start();
    if (!m_keystrokes.send(EinfuegePlan::strgV(gehalten)))
        beenden(); // nothing reached the target: nobody will ask for the text
}

void ZwischenablageEinfueger::onAbgeholt() {
    if (!m_wartet || m_abgeholt)
        return;
    m_abgeholt = true;
    m_nachlauf.start();
}

void ZwischenablageEinfueger::leeren() {
    m_clipboard.clear();
}

void ZwischenablageEinfueger::beenden() {
    if (!m_wartet)
        return;
    m_nachlauf.stop();
    m_zeitlimit.stop();
    if (m_daten)
        disconnect(m_daten, nullptr, this, nullptr);
    m_clipboard.clear();
    m_wartet = false;
    Q_EMIT fertig(m_abgeholt);
}

} // namespace handover
