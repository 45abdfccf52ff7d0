#pragma once

#include "platform/keyboardstate.h"
#include "platform/keystrokes.h"

#include <vector>

namespace handover {

// The key events of one Ctrl+V, fitted to the keys the operator holds at that moment.
class EinfuegePlan {
public:
    static constexpr std::uint16_t kStrgLinks = 29;
    static constexpr std::uint16_t kStrgRechts = 157;
    static constexpr std::uint16_t kAltLinks = 56;
    static constexpr std::uint16_t kAltGr = 184;
    static constexpr std::uint16_t kUmschaltLinks = 42;
    static constexpr std::uint16_t kUmschaltRechts = 54;
    static constexpr std::uint16_t kV = 47;

    // `v` is the scan code of the key that types V for the target.
    static std::vector<platform::KeyEvent> strgV(const platform::KeyStateBytes& gehalten, std::uint16_t v = kV);
};

} // namespace handover
