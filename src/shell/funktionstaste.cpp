#include "funktionstaste.h"

#include "einstellungen.h"

#include <QComboBox>

namespace shell {

namespace {
const auto kTaste = QStringLiteral("Taste");
} // namespace

FunktionsTaste::FunktionsTaste(QComboBox* cboTaste, Einstellungen& einstellungen, QObject* parent)
    : QObject(parent), m_cboTaste(cboTaste), m_einstellungen(einstellungen) {}

void FunktionsTaste::fuellen() {
    m_cboTaste->clear();
    m_cboTaste->addItems(handover::SysKey::eintraege());
}

void FunktionsTaste::wiederherstellen() {
    m_cboTaste->setCurrentIndex(
        m_einstellungen.wholeNumber(kTaste, handover::SysKey::kVorgabe, 0, handover::SysKey::kEintraege - 1));
    const int index = m_cboTaste->currentIndex();
    m_syskey.festlegen(index, index);
}

void FunktionsTaste::cboTaste_LostFocus() {
    m_einstellungen.write(kTaste, m_cboTaste->currentIndex());
    // The name comes from what the store holds now, the code from the list's selection.
    const int gespeichert = m_einstellungen.wholeNumber(kTaste, 0, 0, handover::SysKey::kEintraege - 1);
    m_syskey.festlegen(gespeichert, m_cboTaste->currentIndex());
}

bool FunktionsTaste::tastegedrueckt(const platform::KeyStateBytes& state) const {
    return handover::SysKey::tastegedrueckt(state, m_cboTaste->currentIndex(), m_syskey.aktuellercode());
}

} // namespace shell
