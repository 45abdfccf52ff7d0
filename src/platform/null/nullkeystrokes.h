#pragma once

#include "platform/keystrokes.h"

namespace platform {

// Where no keystrokes can be synthesised: nothing is sent, and the caller hears so.
class NullKeystrokes final : public Keystrokes {
public:
    bool send(const std::vector<KeyEvent>&) override { return false; }
};

} // namespace platform
