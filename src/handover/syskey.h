#pragma once

#include "platform/keyboardstate.h"

#include <QString>
#include <QStringList>

namespace handover {

// The selectable hotkeys and the catalogue that gives each key name its scan code. The hotkey in force is
// always recomputed as a pair from the list index: first the name, then the code of its main key.
class SysKey {
public:
    static constexpr int kEintraege = 64;
    static constexpr int kVorgabe = 36; // "STR - Y"
    static constexpr int kErsteStrg = 12;
    static constexpr int kErsteAlt = 38;

    // The text of list entry `index` ("F1", "STR - A", "ALT - Z").
    static QString eintrag(int index);
    static QStringList eintraege();

    // Internal key name of a list index; -1 (no selection) gives "F0".
    static QString tastenname(int index);
    // Scan code of the main key, looked up from the name and the selected index; 0 when not catalogued.
    static int tastencode(const QString& aktuelletaste, int index);
    // Whether the hotkey of list index `index` with main key `aktuellercode` is held in `state`.
    static bool tastegedrueckt(const platform::KeyStateBytes& state, int index, int aktuellercode);

    // aktuelletaste := tastenname(namensIndex), then aktuellercode := tastencode(aktuelletaste, index).
    void festlegen(int namensIndex, int index);

    QString aktuelletaste() const { return m_aktuelletaste; }
    int aktuellercode() const { return m_aktuellercode; }

private:
    QString m_aktuelletaste;
    int m_aktuellercode = 0;
};

} // namespace handover
