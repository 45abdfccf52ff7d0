#pragma once

#include <QObject>
#include <QString>

namespace platform {
class KeyboardState;
}

namespace handover {
class Einfueger;
}

namespace shell {

class FunktionsTaste;

// The key watch of Timer1: reads the keyboard once per tick and, while the hotkey is held and a weight is
// shown, pastes it. While a paste waits for its target the key test rests, so one paste never overlaps
// the next; the tick itself goes on. Without a keyboard source or a paster the hotkey simply never fires.
class Tastenwache final : public QObject {
    Q_OBJECT
public:
    Tastenwache(platform::KeyboardState* tastatur, handover::Einfueger* einfueger, QObject* parent = nullptr);

    // The source's own answer; start-up does not look at it.
    bool tastaturstarten();
    bool tastaturbeenden();
    void zwischenablageLeeren();

    // True when a paste has started.
    bool pruefen(const FunktionsTaste& taste, const QString& gewicht);

private:
    platform::KeyboardState* m_tastatur;
    handover::Einfueger* m_einfueger;
};

} // namespace shell
