#pragma once

#include "handover/syskey.h"

#include <QObject>

class QComboBox;

namespace shell {

class Einstellungen;

// The hotkey list `cboTaste` and the hotkey in force that it yields. The hotkey changes only when the
// list is left, not while the operator scrolls through it.
class FunktionsTaste final : public QObject {
    Q_OBJECT
public:
    FunktionsTaste(QComboBox* cboTaste, Einstellungen& einstellungen, QObject* parent = nullptr);

    // Start-up: the 64 entries, then the stored choice and the hotkey it gives.
    void fuellen();
    void wiederherstellen();
    void cboTaste_LostFocus();

    // Whether the hotkey in force is held in `state`.
    bool tastegedrueckt(const platform::KeyStateBytes& state) const;

    QComboBox* cboTaste() const { return m_cboTaste; }
    QString aktuelletaste() const { return m_syskey.aktuelletaste(); }
    int aktuellercode() const { return m_syskey.aktuellercode(); }

private:
    QComboBox* m_cboTaste;
    Einstellungen& m_einstellungen;
    handover::SysKey m_syskey;
};

} // namespace shell
