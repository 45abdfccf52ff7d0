#include "tastenwache.h"

#include "funktionstaste.h"
#include "handover/einfuegeplan.h"
#include "handover/einfueger.h"
#include "platform/keyboardstate.h"

#include <QComboBox>
#include <array>

namespace shell {

Tastenwache::Tastenwache(platform::KeyboardState* tastatur, handover::Einfueger* einfueger, const FunktionsTaste& taste,
                         std::function<QString()> gewicht, QObject* parent)
    : QObject(parent), m_tastatur(tastatur), m_einfueger(einfueger), m_taste(taste), m_gewicht(std::move(gewicht)) {
    m_uhr.start();
    if (m_einfueger) {
        // A press made while the last paste waited for its target follows it.
        connect(m_einfueger, &handover::Einfueger::fertig, this, [this] { einfuegenWennOffen(nullptr); });
    }
}

Tastenwache::~Tastenwache() {
    // The source's thread posts to this object; it must be over before the object is.
    if (m_laeuft)
        tastaturbeenden();
}

bool Tastenwache::tastaturstarten() {
    if (!m_tastatur)
        return false;
    if (m_einfueger) {
        m_tastatur->setEventSink([this](const platform::KeyEvent& event) {
            QMetaObject::invokeMethod(
                this, [this, event] { ereignis(event); }, Qt::QueuedConnection);
        });
    }
    m_laeuft = m_tastatur->start();
    if (!m_laeuft) {
        m_erkennung = Erkennung::Keine;
        return false;
    }
    m_erkennung = m_tastatur->reportsEvents() ? Erkennung::Ereignisse : Erkennung::Abfrage;
    m_druck.setVerzoegerungMs(m_tastatur->repeatDelayMs().value_or(handover::Tastendruck::kVorgabeVerzoegerungMs));
    m_druck.setMitEreignissen(m_erkennung == Erkennung::Ereignisse);
    m_echos = m_erkennung == Erkennung::Ereignisse && !m_tastatur->erkenntEigene();
    m_ausfaelle = m_druck.ausfaelle();
    // The events only say what changes; where they come, the keys start out as they are now.
    if (m_erkennung == Erkennung::Ereignisse)
        m_druck.setzen(m_tastatur->read());
    return true;
}

bool Tastenwache::tastaturbeenden() {
    if (!m_tastatur)
        return true;
    m_laeuft = false;
    return m_tastatur->stop();
}

void Tastenwache::zwischenablageLeeren() {
    if (m_einfueger)
        m_einfueger->leeren();
}

handover::Tastendruck::Taste Tastenwache::taste() const {
    return {m_taste.cboTaste()->currentIndex(), m_taste.aktuellercode()};
}

void Tastenwache::erkennungSetzen(Erkennung erkennung) {
    if (erkennung == m_erkennung)
        return;
    m_erkennung = erkennung;
    Q_EMIT erkennungGeaendert(erkennung);
}

void Tastenwache::ereignis(const platform::KeyEvent& event) {
    if (!m_laeuft || !m_einfueger)
        return;
    // Every failure has been seen at the ticks before: whatever comes now comes from a source that reports.
    if (m_erkennung == Erkennung::Ersatzabfrage)
        erkennungSetzen(Erkennung::Ereignisse);
    m_druck.ereignis(event, taste(), m_uhr.elapsed());
    einfuegenWennOffen(nullptr);
}

bool Tastenwache::pruefen() {
    if (!m_laeuft || !m_einfueger)
        return false;
    // Read at every tick, events or not: the events are checked against the keyboard, and a press they
    // missed still pastes. The hotkey's keys are enough for that; only with its main key down may this
    // tick paste, and the keystrokes then need every key held, from the same reading.
    const auto t = taste();
    const std::array<std::uint16_t, 5> hotkey{static_cast<std::uint16_t>(t.code), handover::EinfuegePlan::kStrgLinks,
                                              handover::EinfuegePlan::kStrgRechts, handover::EinfuegePlan::kAltLinks,
                                              handover::EinfuegePlan::kAltGr};
    platform::KeyStateBytes state = m_tastatur->readKeys(hotkey);
    const bool ganz = t.code > 0 && t.code < static_cast<int>(state.size()) && state[hotkey[0]] != 0;
    if (ganz)
        state = m_tastatur->read();
    m_druck.takt(state, t, !m_einfueger->wartet(), m_uhr.elapsed());
    if (m_druck.ausfaelle() != m_ausfaelle) {
        m_ausfaelle = m_druck.ausfaelle();
        erkennungSetzen(Erkennung::Ersatzabfrage);
        m_tastatur->ereignisseErneuern();
    }
    return einfuegenWennOffen(ganz ? &state : nullptr);
}

bool Tastenwache::einfuegenWennOffen(const platform::KeyStateBytes* gelesen) {
    if (!m_laeuft || m_einfueger->wartet() || m_druck.offen() == 0)
        return false;
    const QString gewicht = m_gewicht ? m_gewicht() : QString();
    if (gewicht.isEmpty()) {
        m_druck.verwerfen();
        return false;
    }
    m_druck.entnehmen();
    // The Ctrl+V has to work around the keys held now, which after a short tap are none any more.
    const platform::KeyStateBytes state = gelesen ? *gelesen : m_tastatur->read();
    const auto gesendet = m_einfueger->einfuegen(gewicht.trimmed(), state);
    if (m_echos)
        m_druck.eigene(gesendet, m_uhr.elapsed());
    return m_einfueger->wartet();
}

} // namespace shell
