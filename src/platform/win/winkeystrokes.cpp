#include "platform/win/winkeystrokes.h"

#include "platform/win/winkeyboardstate.h"

#include <windows.h>

namespace platform {

namespace {

// The layout that turns the keys into characters and shortcuts is the one of the thread that receives them.
HKL vordergrundBelegung() {
    const HWND foreground = GetForegroundWindow();
    return GetKeyboardLayout(foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0);
}

} // namespace

bool WinKeystrokes::send(const std::vector<KeyEvent>& events) {
    if (events.empty()) {
        return true;
    }
    const HKL layout = vordergrundBelegung();

    std::vector<INPUT> inputs(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        const KeyEvent& event = events[i];
        if (event.scanCode == 0 || event.scanCode > 255) {
            return false;
        }
        INPUT& input = inputs[i];
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = static_cast<WORD>(event.scanCode & 0x7F);
        // Windows itself goes by the scan code alone; Wine drops scan-code-only events, so the virtual key
        // that the target's layout gives the same key goes along.
        input.ki.wVk = WinKeyboardState::virtualKeyFor(event.scanCode, layout);
        input.ki.dwFlags = KEYEVENTF_SCANCODE;
        if (event.scanCode >= 128) {
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        }
        if (!event.down) {
            input.ki.dwFlags |= KEYEVENTF_KEYUP;
        }
        input.ki.dwExtraInfo = kKennung;
    }
    const UINT taken = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return taken == inputs.size();
}

std::uint16_t WinKeystrokes::vTaste() {
    return vTasteIn(vordergrundBelegung());
}

std::uint16_t WinKeystrokes::vTasteIn(void* layout) {
    return tasteAusScanCode(MapVirtualKeyExW('V', MAPVK_VK_TO_VSC_EX, static_cast<HKL>(layout)));
}

std::unique_ptr<Keystrokes> createKeystrokes() {
    return std::make_unique<WinKeystrokes>();
}

} // namespace platform
