#pragma once

#include "platform/keyevent.h"

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
};

std::unique_ptr<Keystrokes> createKeystrokes();

} // namespace platform
