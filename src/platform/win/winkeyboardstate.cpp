#include "platform/win/winkeyboardstate.h"

#include "platform/win/linkestrg.h"

#include <windows.h>

namespace platform {

namespace {

// The layout that decides which virtual key a physical key produces is the one of the thread that receives
// the keys, which is the foreground window's; with no foreground window our own thread's is as good as any.
HKL foregroundLayout() {
    const HWND foreground = GetForegroundWindow();
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    return GetKeyboardLayout(thread);
}

// The extended keys are the same on every layout. Some systems (Wine's X11 driver) ignore the 0xE0 prefix
// and answer with the key of the main block, which would make right Ctrl and AltGr read as their left twins.
std::uint16_t extendedVirtualKey(std::uint16_t low) {
    switch (low) {
    case 0x1C:
        return VK_RETURN;
    case 0x1D:
        return VK_RCONTROL;
    case 0x35:
        return VK_DIVIDE;
    case 0x37:
        return VK_SNAPSHOT;
    case 0x38:
        return VK_RMENU;
    case 0x45:
        return VK_NUMLOCK;
    case 0x47:
        return VK_HOME;
    case 0x48:
        return VK_UP;
    case 0x49:
        return VK_PRIOR;
    case 0x4B:
        return VK_LEFT;
    case 0x4D:
        return VK_RIGHT;
    case 0x4F:
        return VK_END;
    case 0x50:
        return VK_DOWN;
    case 0x51:
        return VK_NEXT;
    case 0x52:
        return VK_INSERT;
    case 0x53:
        return VK_DELETE;
    case 0x5B:
        return VK_LWIN;
    case 0x5C:
        return VK_RWIN;
    case 0x5D:
        return VK_APPS;
    default:
        return 0;
    }
}

UINT mapScanCode(UINT code, HKL layout) {
    return MapVirtualKeyExW(code, MAPVK_VSC_TO_VK_EX, layout) & 0xFFu;
}

bool asyncUnten(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

constexpr std::uint16_t kStrgLinks = 29;

} // namespace

std::uint16_t WinKeyboardState::virtualKeyFor(std::uint16_t scanCode, void* layout) {
    if (scanCode == 0 || scanCode > 255) {
        return 0;
    }
    const HKL hkl = static_cast<HKL>(layout);
    if (scanCode < 128) {
        return static_cast<std::uint16_t>(mapScanCode(scanCode, hkl));
    }
    // MapVirtualKey takes extended keys with their 0xE0 prefix byte rather than with 128 added.
    const std::uint16_t low = scanCode & 0x7Fu;
    const UINT extended = mapScanCode(0xE000u | low, hkl);
    if (extended == 0 || extended == mapScanCode(low, hkl)) {
        return extendedVirtualKey(low);
    }
    return static_cast<std::uint16_t>(extended);
}

bool WinKeyboardState::hatAltGr(void* layout) {
    // No call answers this directly; a layout has AltGr when it puts a character on Ctrl+Alt. The Latin
    // blocks and the euro sign hold the AltGr characters of every European layout.
    const HKL hkl = static_cast<HKL>(layout);
    auto aufStrgAlt = [hkl](wchar_t character) {
        const SHORT result = VkKeyScanExW(character, hkl);
        return result != -1 && (result & 0x0600) == 0x0600;
    };
    for (wchar_t character = 0x21; character < 0x250; ++character) {
        if (aufStrgAlt(character)) {
            return true;
        }
    }
    return aufStrgAlt(0x20AC);
}

void WinKeyboardState::mapFor(void* layout) {
    for (std::size_t code = 0; code < virtualKeys_.size(); ++code) {
        virtualKeys_[code] = virtualKeyFor(static_cast<std::uint16_t>(code), layout);
    }
    altGrBelegung_ = hatAltGr(layout);
    mappedLayout_ = layout;
}

bool WinKeyboardState::start() {
    mapFor(foregroundLayout());
    // Without the hook the state still serves; only left Ctrl beside AltGr is then judged by the layout.
    haken_.starten(sink_);
    started_ = true;
    return true;
}

bool WinKeyboardState::stop() {
    haken_.beenden();
    started_ = false;
    return true;
}

bool WinKeyboardState::bereit() {
    if (!started_) {
        return false;
    }
    // The operator may switch layouts (or the foreground window may have its own); follow the one in use.
    void* const layout = foregroundLayout();
    if (layout != mappedLayout_) {
        mapFor(layout);
    }
    return true;
}

bool WinKeyboardState::unten(std::uint16_t code) const {
    const std::uint16_t virtualKey = virtualKeys_[code];
    if (virtualKey == 0 || !asyncUnten(virtualKey)) {
        return false;
    }
    if (code != kStrgLinks) {
        return true;
    }
    const LinkeStrgLage lage{.gemeldet = true,
                             .rechtsAltUnten = asyncUnten(VK_RMENU),
                             .hakenSahAltGr = haken_.altGrUnten(),
                             .echteGesehen = haken_.echteStrgUnten(),
                             .kunstGesehen = haken_.kunstStrgUnten(),
                             .altGrBelegung = altGrBelegung_};
    return linkeStrgUnten(lage);
}

KeyStateBytes WinKeyboardState::read() {
    KeyStateBytes state{};
    if (!bereit()) {
        return state;
    }
    for (std::size_t code = 0; code < state.size(); ++code) {
        state[code] = unten(static_cast<std::uint16_t>(code)) ? 0x80 : 0;
    }
    return state;
}

KeyStateBytes WinKeyboardState::readKeys(std::span<const std::uint16_t> codes) {
    KeyStateBytes state{};
    if (!bereit()) {
        return state;
    }
    for (const std::uint16_t code : codes) {
        if (code < state.size()) {
            state[code] = unten(code) ? 0x80 : 0;
        }
    }
    return state;
}

std::optional<int> WinKeyboardState::repeatDelayMs() const {
    // 0 to 3 for a quarter second to one second.
    int stufe = 0;
    if (!SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &stufe, 0) || stufe < 0 || stufe > 3) {
        return std::nullopt;
    }
    return (stufe + 1) * 250;
}

std::unique_ptr<KeyboardState> createKeyboardState() {
    return std::make_unique<WinKeyboardState>();
}

} // namespace platform
