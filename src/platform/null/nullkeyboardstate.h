#pragma once

#include "platform/keyboardstate.h"

namespace platform {

// Where no keyboard state can be read for the whole system (no display, Wayland without XWayland): the
// set-up fails and every key reads as up, so the hotkey never fires and the rest of the program runs.
class NullKeyboardState final : public KeyboardState {
public:
    bool start() override { return false; }
    bool stop() override { return true; }
    KeyStateBytes read() override { return {}; }
};

} // namespace platform
