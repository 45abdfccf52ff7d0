#include "nullkeyboardstate.h"
#include "nullkeystrokes.h"

namespace platform {

std::unique_ptr<KeyboardState> createKeyboardState() {
    return std::make_unique<NullKeyboardState>();
}

std::unique_ptr<Keystrokes> createKeystrokes() {
    return std::make_unique<NullKeystrokes>();
}

} // namespace platform
