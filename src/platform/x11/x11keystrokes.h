#pragma once

#include "platform/keystrokes.h"

typedef struct _XDisplay Display;

namespace platform {

// Synthetic key events through the XTest extension, delivered like the keyboard's own to the client with
// the focus. send() returns after XSync, when the server has taken every event.
class X11Keystrokes final : public Keystrokes {
public:
    X11Keystrokes() = default;
    ~X11Keystrokes() override;

    bool send(const std::vector<KeyEvent>& events) override;
    // The key whose first level types v in the keyboard group in force; asked anew each time, since the
    // operator may switch groups or layouts at any moment.
    std::uint16_t vTaste() override;

private:
    bool verbinden();

    Display* m_display = nullptr;
    bool m_versucht = false;
};

} // namespace platform
