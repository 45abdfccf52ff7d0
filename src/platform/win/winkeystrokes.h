#pragma once

#include "platform/keystrokes.h"

namespace platform {

// Synthetic keys through SendInput, to whatever window has the input focus. Every event carries its scan code
// (so the target sees the physical key) and also the virtual key, which some systems need besides.
class WinKeystrokes final : public Keystrokes {
public:
    WinKeystrokes() = default;

    bool send(const std::vector<KeyEvent>& events) override;
};

} // namespace platform
