#pragma once

#include "einfueger.h"

#include <QPointer>
#include <QTimer>
#include <memory>

class QClipboard;
class QMimeData;

namespace platform {
class AbholerErkennung;
class KeyboardState;
class Keystrokes;
class ZielPruefung;
} // namespace platform

namespace handover {

class AbholMimeData;
class Ablage;

// The paste through the system clipboard. The target asks for the text only after it has handled the
// Ctrl+V, so the text stays on the clipboard until the target has fetched it (plus a short grace for
// targets that fetch several formats) or the wait runs out; then what the clipboard held before comes
// back, unless somebody else has set it meanwhile. A clipboard manager reads every new content at once,
// long before a busy target does; such reads do not count. Where the system does not say who reads, any
// fetch counts, but the text stays at least kHaltezeitMs after the Ctrl+V, so a manager's early read does
// not take it away from a target that is slower. No Ctrl+V goes out unless the clipboard holds this
// weight: otherwise the target would get whatever it held. All waiting is by timers: the event loop keeps
// running, and it must, because on X11 the target's request is answered from it.
class ZwischenablageEinfueger final : public Einfueger {
    Q_OBJECT
public:
    static constexpr int kNachlaufMs = 75;
    static constexpr int kHoechstwartezeitMs = 1500;
    // Long enough for a browser-based ERP or a loaded terminal server (a quarter second and more), short
    // enough that a held hotkey still pastes about once a second.
    static constexpr int kHaltezeitMs = 1000;
    // How long a clipboard that another program holds open is tried again; the operator is waiting.
    static constexpr int kSetzfristMs = 400;
    static constexpr int kSetzpauseMs = 25;

    // With the platform's own clipboard readers' detection and target check.
    ZwischenablageEinfueger(platform::Keystrokes& keystrokes, QClipboard& clipboard, QObject* parent = nullptr);
    ZwischenablageEinfueger(platform::Keystrokes& keystrokes, Ablage& ablage, platform::AbholerErkennung& erkennung,
                            platform::ZielPruefung& ziel, QObject* parent = nullptr);
    ~ZwischenablageEinfueger() override;

    std::vector<platform::KeyEvent> einfuegen(const QString& text, const platform::KeyStateBytes& gehalten) override;
    bool wartet() const override { return m_wartet; }
    void leeren() override;

    void setWartezeiten(int nachlaufMs, int hoechstMs, int halteMs);
    // Where the keys are read again just before the Ctrl+V goes out: setting the clipboard takes its time,
    // and a Ctrl that the operator held at the press may be up by then.
    void setTastatur(platform::KeyboardState* tastatur) { m_tastatur = tastatur; }

private:
    void einrichten();
    AbholMimeData* aufDieAblage(const QString& text);
    void onAbgeholt();
    void endeWennFaellig();
    void beenden();
    void zurueckgeben();

    platform::Keystrokes& m_keystrokes;
    std::unique_ptr<Ablage> m_eigeneAblage;
    std::unique_ptr<platform::AbholerErkennung> m_eigeneErkennung;
    std::unique_ptr<platform::ZielPruefung> m_eigenesZiel;
    Ablage* m_ablage;
    platform::AbholerErkennung* m_erkennung;
    platform::ZielPruefung* m_ziel;
    platform::KeyboardState* m_tastatur = nullptr;
    QPointer<AbholMimeData> m_daten;
    std::unique_ptr<QMimeData> m_vorher;
    QTimer m_nachlauf;
    QTimer m_haltezeit;
    QTimer m_zeitlimit;
    bool m_wartet = false;
    bool m_abgeholt = false;
    bool m_herkunftUnbekannt = false;
};

} // namespace handover
