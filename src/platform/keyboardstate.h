#pragma once

#include "platform/keyevent.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

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
    // The state now of the given keys only, every other key reading as up: what a tick needs to check the
    // hotkey, where the system is asked key by key and a whole reading costs (Windows, and more so Wine).
    virtual KeyStateBytes readKeys(std::span<const std::uint16_t> codes) {
        const KeyStateBytes alle = read();
        KeyStateBytes teil{};
        for (const std::uint16_t code : codes) {
            if (code < teil.size())
                teil[code] = alle[code];
        }
        return teil;
    }

    // Where the system reports keys as they go down and up, the source hands each such event to the sink,
    // from start() until stop(), on a thread of its own and in the order the keys moved; the sink must be
    // quick and must not call back into the source. Set before start(). Without events a key that goes
    // down and up between two reads is never seen.
    using EventSink = std::function<void(const KeyEvent&)>;
    virtual void setEventSink(EventSink sink) { (void)sink; }
    // Whether events reach the sink; known after start().
    virtual bool reportsEvents() const { return false; }
    // The system's delay before a held key starts repeating, where the source knows it.
    virtual std::optional<int> repeatDelayMs() const { return std::nullopt; }
    // Whether the source tells the program's own synthetic keys apart and keeps them from the sink; where it
    // does not, they come back like the operator's and the key watch has to expect them.
    virtual bool erkenntEigene() const { return false; }
    // Sets up the reporting of events anew, for when the key watch finds keys moving that were never
    // reported (Windows silently removes a keyboard hook that answered too late). May take effect only
    // later; false where there is nothing to renew.
    virtual bool ereignisseErneuern() { return false; }
};

// The platform's source (X11, Win32), or one whose start() fails where neither is available.
std::unique_ptr<KeyboardState> createKeyboardState();

} // namespace platform
