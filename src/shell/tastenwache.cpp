#include "tastenwache.h"

#include "funktionstaste.h"
#include "handover/einfueger.h"
#include "platform/keyboardstate.h"

namespace shell {

Tastenwache::Tastenwache(platform::KeyboardState* tastatur, handover::Einfueger* einfueger, QObject* parent)
    : QObject(parent), m_tastatur(tastatur), m_einfueger(einfueger) {}

bool Tastenwache::tastaturstarten() {
    return m_tastatur && m_tastatur->start();
}

bool Tastenwache::tastaturbeenden() {
    return !m_tastatur || m_tastatur->stop();
}

void Tastenwache::zwischenablageLeeren() {
    if (m_einfueger)
        m_einfueger->leeren();
}

bool Tastenwache::pruefen(const FunktionsTaste& taste, const QString& gewicht) {
    // No keyboard read while a paste waits: the keys held now belong to the paste under way.
    if (!m_tastatur || !m_einfueger || m_einfueger->wartet())
        return false;
    // One read serves both the hotkey test and the keys the paste has to work around.
    const platform::KeyStateBytes state = m_tastatur->read();
    if (!taste.tastegedrueckt(state) || gewicht.isEmpty())
        return false;
    m_einfueger->einfuegen(gewicht.trimmed(), state);
    return m_einfueger->wartet();
}

} // namespace shell
