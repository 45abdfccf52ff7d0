#pragma once

#include "einfueger.h"

#include <QPointer>
#include <QTimer>

class QClipboard;

namespace platform {
class Keystrokes;
}

namespace handover {

class AbholMimeData;

// The paste through the system clipboard. The target asks for the text only after it has handled the
// Ctrl+V, so the text stays on the clipboard until it has been fetched (plus a short grace for targets that
// fetch several formats) or the wait runs out; then the clipboard is emptied. All waiting is by timers: the
// event loop keeps running, and it must, because on X11 the target's request is answered from it.
class ZwischenablageEinfueger final : public Einfueger {
    Q_OBJECT
public:
    static constexpr int kNachlaufMs = 75;
    static constexpr int kHoechstwartezeitMs = 1500;

    ZwischenablageEinfueger(platform::Keystrokes& keystrokes, QClipboard& clipboard, QObject* parent = nullptr);
    ~ZwischenablageEinfueger() override;

    void einfuegen(const QString& text, const platform::KeyStateBytes& gehalten) override;
    bool wartet() const override { return m_wartet; }
    void leeren() override;

    void setWartezeiten(int nachlaufMs, int hoechstMs);

private:
    void onAbgeholt();
    void beenden();

    platform::Keystrokes& m_keystrokes;
    QClipboard& m_clipboard;
    QPointer<AbholMimeData> m_daten;
    QTimer m_nachlauf;
    QTimer m_zeitlimit;
    bool m_wartet = false;
    bool m_abgeholt = false;
};

} // namespace handover
