#include "platform/win/strghaken.h"

#include <windows.h>

namespace platform {

namespace {

// A low-level hook procedure gets no pointer of its own; it is called on the thread that installed it, so the
// hook that thread serves is found through a thread-local pointer.
thread_local StrgHaken* aktiverHaken = nullptr;

LRESULT CALLBACK hakenProzedur(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && aktiverHaken != nullptr) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool unten = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        aktiverHaken->taste(info->vkCode, info->scanCode, (info->flags & LLKHF_EXTENDED) != 0, unten);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool asyncUnten(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

enum : int { kWartet = 0, kLaeuft = 1, kAbgelehnt = 2 };

} // namespace

StrgHaken::~StrgHaken() {
    beenden();
}

void StrgHaken::taste(std::uint32_t virtualKey, std::uint32_t scanCode, bool erweitert, bool unten) {
    if (virtualKey == VK_LCONTROL) {
        (scanCode == kKunstScanCode ? kunstStrg_ : echteStrg_).store(unten);
    } else if (virtualKey == VK_RMENU) {
        altGr_.store(unten);
    }
    // Windows' own Ctrl of an AltGr press (and any key without a set-1 code) is no key the operator pressed.
    if (sink_ && scanCode > 0 && scanCode < 128) {
        sink_(KeyEvent{static_cast<std::uint16_t>(scanCode + (erweitert ? 128 : 0)), unten});
    }
}

bool StrgHaken::starten(KeyboardState::EventSink sink) {
    if (thread_.joinable()) {
        return laeuft();
    }
    sink_ = std::move(sink);
    {
        const std::lock_guard<std::mutex> sperre(startMutex_);
        start_ = kWartet;
    }
    thread_ = std::thread([this] { schleife(); });
    int ergebnis = kWartet;
    {
        std::unique_lock<std::mutex> sperre(startMutex_);
        startBereit_.wait(sperre, [this] { return start_ != kWartet; });
        ergebnis = start_;
    }
    if (ergebnis != kLaeuft) {
        thread_.join();
        sink_ = nullptr;
        return false;
    }
    return true;
}

void StrgHaken::beenden() {
    if (!thread_.joinable()) {
        return;
    }
    // The thread's queue exists before it reports back, so the message cannot get lost.
    PostThreadMessageW(threadId_.load(), WM_QUIT, 0, 0);
    thread_.join();
    sink_ = nullptr;
}

void StrgHaken::schleife() {
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    threadId_.store(GetCurrentThreadId());
    aktiverHaken = this;
    // A left Ctrl held since before the hook cannot be told apart; it counts as the real one unless right Alt
    // is down too, when it is as likely Windows' own.
    echteStrg_.store(asyncUnten(VK_LCONTROL) && !asyncUnten(VK_RMENU));
    kunstStrg_.store(false);
    altGr_.store(false);
    HHOOK haken = SetWindowsHookExW(WH_KEYBOARD_LL, hakenProzedur, GetModuleHandleW(nullptr), 0);
    laeuft_.store(haken != nullptr);
    {
        const std::lock_guard<std::mutex> sperre(startMutex_);
        start_ = haken != nullptr ? kLaeuft : kAbgelehnt;
    }
    startBereit_.notify_one();
    if (haken == nullptr) {
        aktiverHaken = nullptr;
        return;
    }
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(haken);
    laeuft_.store(false);
    aktiverHaken = nullptr;
}

} // namespace platform
