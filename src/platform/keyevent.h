#pragma once

#include <cstdint>

namespace platform {

// One key going down or up, by set-1 scan code (extended keys plus 128).
struct KeyEvent {
    std::uint16_t scanCode;
    bool down;
    bool operator==(const KeyEvent&) const = default;
};

} // namespace platform
