#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace platform {

// The up/down state of every key, indexed by set-1 scan code (extended keys plus 128): non-zero is down.
using KeyStateBytes = std::array<std::uint8_t, 256>;

// A system-wide keyboard state source: it answers for every key whatever window has the focus, and it
// never takes a key away from the application that receives it. Plain C++ so the Windows implementation
// builds and is tested without Qt.
class KeyboardState {
public:
    KeyboardState() = default;
    virtual ~KeyboardState() = default;
    KeyboardState(const KeyboardState&) = delete;
    KeyboardState& operator=(const KeyboardState&) = delete;

    // Sets the source up; false when that is not possible here (no display, unsupported session).
    virtual bool start() = 0;
    // Releases the source; false when that fails.
    virtual bool stop() = 0;
    // The state now; all zero when the source is not set up.
    virtual KeyStateBytes read() = 0;
};

// The platform's source (X11, Win32), or one whose start() fails where neither is available.
std::unique_ptr<KeyboardState> createKeyboardState();

} // namespace platform
