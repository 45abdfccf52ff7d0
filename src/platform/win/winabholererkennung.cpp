#include "platform/win/winabholererkennung.h"

#include <windows.h>

namespace platform {

void WinAbholerErkennung::zielMerken() {
    DWORD pid = 0;
    const HWND vorne = GetForegroundWindow();
    if (vorne == nullptr || GetWindowThreadProcessId(vorne, &pid) == 0) {
        pid = 0;
    }
    m_zielProzess = pid;
}

Abholer WinAbholerErkennung::abholer() const {
    const HWND offen = GetOpenClipboardWindow();
    DWORD pid = 0;
    if (m_zielProzess == 0 || offen == nullptr || GetWindowThreadProcessId(offen, &pid) == 0) {
        return Abholer::Unbekannt;
    }
    return pid == m_zielProzess ? Abholer::Ziel : Abholer::Fremder;
}

std::unique_ptr<AbholerErkennung> createAbholerErkennung() {
    return std::make_unique<WinAbholerErkennung>();
}

} // namespace platform
