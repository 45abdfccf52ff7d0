#pragma once

#include "handover/tastendruck.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

namespace platform {
class KeyboardState;
}

namespace handover {
class Einfueger;
}

namespace shell {

class FunktionsTaste;

// The key watch: pastes the weight shown for each press of the hotkey and, held on, again at the ticks
// once the key-repeat delay has passed. Where the system reports the keys as they move, a press pastes at
// once; each tick reads the keyboard besides, which catches what the events miss: a press whose event
// never comes means the system has stopped reporting (Windows removes a hook that answers late), and the
// watch then samples until events come again, and asks the source to set them up anew. One paste never
// overlaps the next: a press meanwhile waits for the one under way. Without a keyboard source or a paster
// the hotkey simply never fires.
class Tastenwache final : public QObject {
    Q_OBJECT
public:
    // Ersatzabfrage: the events were found missing; sampled at the ticks until they come again.
    enum class Erkennung { Keine, Abfrage, Ereignisse, Ersatzabfrage };

    Tastenwache(platform::KeyboardState* tastatur, handover::Einfueger* einfueger, const FunktionsTaste& taste,
                std::function<QString()> gewicht, QObject* parent = nullptr);
    ~Tastenwache() override;

    // The source's own answer; start-up does not look at it.
    bool tastaturstarten();
    bool tastaturbeenden();
    void zwischenablageLeeren();
    // How presses are recognised since the start.
    Erkennung erkennung() const { return m_erkennung; }

    // The tick's part; true when a paste has started.
    bool pruefen();

Q_SIGNALS:
    // How presses are recognised has changed while the watch runs.
    void erkennungGeaendert(shell::Tastenwache::Erkennung erkennung);

private:
    void ereignis(const platform::KeyEvent& event);
    bool einfuegenWennOffen(const platform::KeyStateBytes* gelesen);
    handover::Tastendruck::Taste taste() const;
    void erkennungSetzen(Erkennung erkennung);

    platform::KeyboardState* m_tastatur;
    handover::Einfueger* m_einfueger;
    const FunktionsTaste& m_taste;
    std::function<QString()> m_gewicht;
    handover::Tastendruck m_druck;
    QElapsedTimer m_uhr;
    Erkennung m_erkennung = Erkennung::Keine;
    int m_ausfaelle = 0;
    // Whether the program's own keys come back as events and have to be registered beforehand.
    bool m_echos = false;
    bool m_laeuft = false;
};

} // namespace shell
