#include "zwischenablageeinfueger.h"

#include "abholmimedata.h"
#include "einfuegeplan.h"
#include "platform/abholererkennung.h"
#include "platform/keyboardstate.h"
#include "platform/keystrokes.h"
#include "platform/zielpruefung.h"
#include "qtablage.h"

#include <QDeadlineTimer>
#include <QThread>

namespace handover {

ZwischenablageEinfueger::ZwischenablageEinfueger(platform::Keystrokes& keystrokes, QClipboard& clipboard,
                                                 QObject* parent)
    : Einfueger(parent), m_keystrokes(keystrokes), m_eigeneAblage(std::make_unique<QtAblage>(clipboard)),
      m_eigeneErkennung(platform::createAbholerErkennung()), m_eigenesZiel(platform::createZielPruefung()),
      m_ablage(m_eigeneAblage.get()), m_erkennung(m_eigeneErkennung.get()), m_ziel(m_eigenesZiel.get()) {
    einrichten();
}

ZwischenablageEinfueger::ZwischenablageEinfueger(platform::Keystrokes& keystrokes, Ablage& ablage,
                                                 platform::AbholerErkennung& erkennung, platform::ZielPruefung& ziel,
                                                 QObject* parent)
    : Einfueger(parent), m_keystrokes(keystrokes), m_ablage(&ablage), m_erkennung(&erkennung), m_ziel(&ziel) {
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
        zurueckgeben();
}

void ZwischenablageEinfueger::setWartezeiten(int nachlaufMs, int hoechstMs, int halteMs) {
    m_nachlauf.setInterval(nachlaufMs);
    m_zeitlimit.setInterval(hoechstMs);
    m_haltezeit.setInterval(halteMs);
}

AbholMimeData* ZwischenablageEinfueger::aufDieAblage(const QString& text) {
    // A program that holds the clipboard open usually lets go within a few milliseconds. The clipboard
    // takes each offer over and may drop it when the setting fails, so every attempt offers a new one.
    const QDeadlineTimer frist(kSetzfristMs);
    for (;;) {
        auto* daten = new AbholMimeData(text);
        QPointer<AbholMimeData> wache(daten);
        m_ablage->setzen(daten);
        if (wache && m_ablage->haelt(wache.data()))
            return wache.data();
        if (frist.hasExpired())
            return nullptr;
        QThread::msleep(kSetzpauseMs);
    }
}

std::vector<platform::KeyEvent> ZwischenablageEinfueger::einfuegen(const QString& text,
                                                                   const platform::KeyStateBytes& gehalten) {
    if (m_wartet)
        return {};
    if (m_ziel->erhoeht()) {
        Q_EMIT abgelehnt(QStringLiteral("Ziel läuft als Administrator – Einfügen nicht möglich"));
        return {};
    }
    // What the operator had copied comes back after the paste.
    m_vorher = m_ablage->sichern();
    AbholMimeData* daten = aufDieAblage(text);
    if (!daten) {
        m_vorher.reset();
        Q_EMIT abgelehnt(QStringLiteral("Zwischenablage belegt – Gewicht nicht eingefügt"));
        return {};
    }
    m_daten = daten;
    connect(daten, &AbholMimeData::abgeholt, this, &ZwischenablageEinfueger::onAbgeholt);
    m_wartet = true;
    m_abgeholt = false;
    m_herkunftUnbekannt = false;
    // The program with the focus now is the one the Ctrl+V reaches; no event is handled in between.
    m_erkennung->zielMerken();
    m_zeitlimit.start();
    m_haltezeit.start();
    const platform::KeyStateBytes jetzt = m_tastatur ? m_tastatur->read() : gehalten;
    std::vector<platform::KeyEvent> plan = EinfuegePlan::strgV(jetzt, m_keystrokes.vTaste());
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
    m_ablage->leeren();
}

void ZwischenablageEinfueger::zurueckgeben() {
    // Whatever somebody else put on the clipboard meanwhile is theirs and stays.
    if (m_daten && m_ablage->haelt(m_daten.data())) {
        disconnect(m_daten, nullptr, this, nullptr);
        if (m_vorher)
            m_ablage->setzen(m_vorher.release());
        else
            m_ablage->leeren();
    }
    m_vorher.reset();
}

void ZwischenablageEinfueger::beenden() {
    if (!m_wartet)
        return;
    m_nachlauf.stop();
    m_haltezeit.stop();
    m_zeitlimit.stop();
    if (m_daten)
        disconnect(m_daten, nullptr, this, nullptr);
    zurueckgeben();
    m_wartet = false;
    Q_EMIT fertig(m_abgeholt);
}

} // namespace handover
