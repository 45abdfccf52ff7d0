#include "schreibwache.h"

#include "focusout.h"

#include <QComboBox>
#include <QLineEdit>

namespace shell {

Schreibwache::Schreibwache(QObject* parent) : QObject(parent) {}

std::size_t Schreibwache::eintragen(QWidget* control, std::function<void()> handler) {
    const std::size_t index = m_eintraege.size();
    m_eintraege.push_back({control, std::move(handler)});
    // The controls may outlive the watch while their window is torn down, and lose the focus then.
    onLostFocus(control, [wache = QPointer<Schreibwache>(this), index] {
        if (wache)
            wache->verlassen(index);
    });
    return index;
}

// The signals below come from the operator's hand alone (keys, wheel, pop-up list, typing), so the values
// put back at start-up count as no change.
void Schreibwache::anmelden(QComboBox* liste, std::function<void()> handler) {
    const std::size_t index = eintragen(liste, std::move(handler));
    connect(liste, &QComboBox::activated, this, [this, index] { m_eintraege[index].geaendert = true; });
}

void Schreibwache::anmelden(QLineEdit* feld, std::function<void()> handler) {
    const std::size_t index = eintragen(feld, std::move(handler));
    connect(feld, &QLineEdit::textEdited, this, [this, index] { m_eintraege[index].geaendert = true; });
}

void Schreibwache::verlassen(std::size_t index) {
    m_eintraege[index].geaendert = false;
    m_eintraege[index].handler();
}

void Schreibwache::schreiben() {
    for (std::size_t i = 0; i < m_eintraege.size(); ++i) {
        if (m_eintraege[i].geaendert && m_eintraege[i].control)
            verlassen(i);
    }
}

} // namespace shell
