#include "zwischenablageeinfueger.h"

#include "abholmimedata.h"
#include "einfuegeplan.h"
#include "platform/abholererkennung.h"
#include "platform/keystrokes.h"

#include <QClipboard>

namespace handover {

ZwischenablageEinfueger::ZwischenablageEinfueger(platform::Keystrokes& keystrokes, QClipboard& clipboard,
                                                 QObject* parent)
    : Einfueger(parent), m_keystrokes(keystrokes), m_clipboard(clipboard),
      m_eigeneErkennung(platform::createAbholerErkennung()), m_erkennung(m_eigeneErkennung.get()) {
    einrichten();
}

ZwischenablageEinfueger::ZwischenablageEinfueger(platform::Keystrokes& keystrokes, QClipboard& clipboard,
                                                 platform::AbholerErkennung& erkennung, QObject* parent)
    : Einfueger(parent), m_keystrokes(keystrokes), m_clipboard(clipboard), m_erkennung(&erkennung) {
    einrichten();
}

void ZwischenablageEinfueger::einrichten() {
    m_nachlauf.setSingleShot(true);
    m_haltezeit.setSingleShot(true);
    m_zeitlimit.setSingleShot(true);
    setWartezeiten(kNachlaufMs, kHoechstwartezeitMs, kHaltezeitMs);
    connect(&m_nachlauf, &QTimer::timeout, this, &ZwischenablageEinfueger::endeWennFaellig);
    connect(&m_haltezeit, &QTimer::timeout, this, &ZwischenablageEinfueger::endeWennFaellig);
    connect(&m_zeitlimit, &QTimer::timeout, this, &ZwischenablageEinfueger::beenden);
}

ZwischenablageEinfueger::~ZwischenablageEinfueger() {
    // The weight must not outlive the program on the clipboard.
    if (m_wartet)
        m_clipboard.clear();
}

void ZwischenablageEinfueger::setWartezeiten(int nachlaufMs, int hoechstMs, int halteMs) {
    m_nachlauf.setInterval(nachlaufMs);
    m_zeitlimit.setInterval(hoechstMs);
    m_haltezeit.setInterval(halteMs);
}

std::vector<platform::KeyEvent> ZwischenablageEinfueger::einfuegen(const QString& text,
                                                                   const platform::KeyStateBytes& gehalten) {
    if (m_wartet)
        return {};
    m_clipboard.clear();
    auto* daten = new AbholMimeData(text);
    m_daten = daten;
    connect(daten, &AbholMimeData::abgeholt, this, &ZwischenablageEinfueger::onAbgeholt);
    m_clipboard.setMimeData(daten); // the clipboard owns it from here
    m_wartet = true;
    m_abgeholt = false;
    m_herkunftUnbekannt = false;
    // The program with the focus now is the one the Ctrl+V reaches; no event is handled in between.
    m_erkennung->zielMerken();
    m_zeitlimit.start();
    m_haltezeit.start();
    std::vector<platform::KeyEvent> plan = EinfuegePlan::strgV(gehalten, m_keystrokes.vTaste());
    if (m_keystrokes.send(plan))
        return plan;
    beenden(); // nothing reached the target: nobody will ask for the text
    return {};
}

void ZwischenablageEinfueger::onAbgeholt() {
    if (!m_wartet)
        return;
    switch (m_erkennung->abholer()) {
    case platform::Abholer::Fremder:
        return; // a clipboard manager or another reader; the target still has to come
    case platform::Abholer::Unbekannt:
        m_herkunftUnbekannt = true;
        break;
    case platform::Abholer::Ziel:
        break;
    }
    if (m_abgeholt)
        return;
    m_abgeholt = true;
    m_nachlauf.start();
}

void ZwischenablageEinfueger::endeWennFaellig() {
    if (!m_wartet || !m_abgeholt || m_nachlauf.isActive())
        return;
    // A fetch of unknown origin may have been a manager's: the hold time runs out first.
    if (m_herkunftUnbekannt && m_haltezeit.isActive())
        return;
    beenden();
}

void ZwischenablageEinfueger::leeren() {
    m_clipboard.clear();
}

void ZwischenablageEinfueger::beenden() {
    if (!m_wartet)
        return;
    m_nachlauf.stop();
    m_haltezeit.stop();
    m_zeitlimit.stop();
    if (m_daten)
        disconnect(m_daten, nullptr, this, nullptr);
    m_clipboard.clear();
    m_wartet = false;
    Q_EMIT fertig(m_abgeholt);
}

} // namespace handover
