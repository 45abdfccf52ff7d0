#pragma once

#include "platform/keystrokes.h"

#include <cstdint>

namespace platform {

// Synthetic keys through SendInput, to whatever window has the input focus. Every event carries its scan code
// (so the target sees the physical key) and also the virtual key, which some systems need besides.
class WinKeystrokes final : public Keystrokes {
public:
    // Carried by every key this program puts in (as the event's extra information), so the keyboard hook knows
    // them exactly rather than by value and time. The letters "GRMU".
    static constexpr std::uintptr_t kKennung = 0x47524D55u;

    WinKeystrokes() = default;

    bool send(const std::vector<KeyEvent>& events) override;
    // Windows matches Ctrl+V by virtual key, so the key is the one the foreground thread's layout gives VK 'V'.
    std::uint16_t vTaste() override;

    // The key (set-1 scan code, extended keys plus 128) on which the given layout (an HKL) puts VK 'V'; the
    // QWERTZ position where the layout has none.
    static std::uint16_t vTasteIn(void* layout);
    // The key of MapVirtualKeyEx's answer for MAPVK_VK_TO_VSC_EX, which carries 0xE0 in its high byte for an
    // extended key; the QWERTZ V where the answer names no key. Plain C++, so it is checked on every build.
    static constexpr std::uint16_t tasteAusScanCode(std::uint32_t antwort) {
        const std::uint32_t niedrig = antwort & 0xFFu;
        const std::uint32_t vorsatz = antwort & 0xFF00u;
        if (niedrig == 0 || niedrig >= 0x80u || (vorsatz != 0 && vorsatz != 0xE000u) || antwort > 0xFFFFu) {
            return kVQwertz;
        }
        return static_cast<std::uint16_t>(niedrig + (vorsatz == 0xE000u ? 128u : 0u));
    }
};

} // namespace platform
