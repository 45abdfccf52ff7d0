#include "platform/null/nullkeyboardstate.h"
#include "platform/null/nullkeystrokes.h"
#include "x11keyboardstate.h"
#include "x11keystrokes.h"

#include <cstdlib>

namespace platform {

namespace {

// Without DISPLAY there is no X server to ask (a console, or Wayland without XWayland).
bool xDisplayNamed() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

} // namespace

std::unique_ptr<KeyboardState> createKeyboardState() {
    if (!xDisplayNamed())
        return std::make_unique<NullKeyboardState>();
    return std::make_unique<X11KeyboardState>();
}

std::unique_ptr<Keystrokes> createKeystrokes() {
    if (!xDisplayNamed())
        return std::make_unique<NullKeystrokes>();
    return std::make_unique<X11Keystrokes>();
}

} // namespace platform
