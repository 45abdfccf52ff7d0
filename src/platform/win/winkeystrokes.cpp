#include "platform/win/winkeystrokes.h"

#include "platform/win/winkeyboardstate.h"

#include <windows.h>

namespace platform {

bool WinKeystrokes::send(const std::vector<KeyEvent>& events) {
    if (events.empty()) {
        return true;
    }
    const HWND foreground = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0);

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
    }
    const UINT taken = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return taken == inputs.size();
}

std::unique_ptr<Keystrokes> createKeystrokes() {
    return std::make_unique<WinKeystrokes>();
}

} // namespace platform
