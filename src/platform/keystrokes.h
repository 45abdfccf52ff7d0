#pragma once

#include "platform/keyevent.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Delivers synthetic key events to whatever window has the input focus. Plain C++ like KeyboardState.
class Keystrokes {
public:
    Keystrokes() = default;
    virtual ~Keystrokes() = default;
    Keystrokes(const Keystrokes&) = delete;
    Keystrokes& operator=(const Keystrokes&) = delete;

    // Sends the events in order and returns once the system has taken them; false when it did not.
    virtual bool send(const std::vector<KeyEvent>& events) = 0;
    // The scan code of the key that types V in the layout of the window with the focus, which is what its
    // Ctrl+V shortcut listens for; on Dvorak or Neo that is not the key that QWERTY prints V on.
    virtual std::uint16_t vTaste() { return kVQwertz; }

    static constexpr std::uint16_t kVQwertz = 47;
};

std::unique_ptr<Keystrokes> createKeystrokes();

} // namespace platform
