#include "platform/win/strghaken.h"

#include "platform/win/winkeystrokes.h"

#include <windows.h>

namespace platform {

namespace {

// A low-level hook procedure gets no pointer of its own; it is called on the thread that installed it, so the
// hook that thread serves is found through a thread-local pointer.
thread_local StrgHaken* aktiverHaken = nullptr;
// While a hook is installed anew, the old one may still be in place for a moment, and then Windows calls the
// procedure twice for the same key, back to back; a real key never comes twice with the same time stamp.
thread_local KBDLLHOOKSTRUCT zuletzt{};
thread_local WPARAM zuletztArt = 0;

bool doppelt(WPARAM art, const KBDLLHOOKSTRUCT& info) {
    return art == zuletztArt && info.vkCode == zuletzt.vkCode && info.scanCode == zuletzt.scanCode &&
           info.flags == zuletzt.flags && info.time == zuletzt.time && info.dwExtraInfo == zuletzt.dwExtraInfo;
}

LRESULT CALLBACK hakenProzedur(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && aktiverHaken != nullptr) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (!doppelt(wParam, *info)) {
            zuletzt = *info;
            zuletztArt = wParam;
            aktiverHaken->taste({.virtualKey = info->vkCode,
                                 .scanCode = info->scanCode,
                                 .erweitert = (info->flags & LLKHF_EXTENDED) != 0,
                                 .unten = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN,
                                 .injiziert = (info->flags & LLKHF_INJECTED) != 0,
                                 .eigene = info->dwExtraInfo == WinKeystrokes::kKennung});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool asyncUnten(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The modifiers of the hotkey rule by scan code; each has a virtual key of its own on every layout.
int umschalterVk(std::uint16_t scanCode) {
    switch (scanCode) {
    case 29:
        return VK_LCONTROL;
    case 157:
        return VK_RCONTROL;
    case 56:
        return VK_LMENU;
    case 184:
        return VK_RMENU;
    default:
        return 0;
    }
}

HHOOK installieren() {
    return SetWindowsHookExW(WH_KEYBOARD_LL, hakenProzedur, GetModuleHandleW(nullptr), 0);
}

enum : int { kWartet = 0, kLaeuft = 1, kAbgelehnt = 2 };
constexpr UINT kErneuern = WM_APP + 1;

} // namespace

StrgHaken::~StrgHaken() {
    beenden();
}

void StrgHaken::taste(const Taste& t) {
    // Inside the hook the system's key state is still the one before this event. A Ctrl or AltGr it has up is
    // up, whatever the hook missed on the secure desktop or in an elevated window; otherwise a stale account
    // would take the Ctrl of the next AltGr for the operator's.
    if (!asyncUnten(VK_LCONTROL)) {
        echteStrg_.store(false);
        kunstStrg_.store(false);
    }
    if (!asyncUnten(VK_RMENU)) {
        altGr_.store(false);
    }
    // The program's own keys change what is held like any others; the accounts follow them.
    if (t.virtualKey == VK_LCONTROL) {
        (t.scanCode == kKunstScanCode ? kunstStrg_ : echteStrg_).store(t.unten);
    } else if (t.virtualKey == VK_RMENU) {
        altGr_.store(t.unten);
    }
    // The program's own keystrokes are known for what they are and go to nobody: the key watch need not guess.
    if (!sink_ || t.eigene) {
        return;
    }
    const auto code = static_cast<std::uint16_t>(t.scanCode + (t.erweitert ? 128 : 0));
    const auto system = [&](std::uint16_t frage) {
        if (frage == code) {
            return asyncUnten(static_cast<int>(t.virtualKey));
        }
        const int virtualKey = umschalterVk(frage);
        return virtualKey == 0 || asyncUnten(virtualKey);
    };
    if (t.scanCode == kKunstScanCode) {
        // Windows' own Ctrl is no key of the operator's, but it comes before the AltGr press it belongs to, while
        // the system still shows whether the operator's Ctrl is held: the last moment a Ctrl left stale can be
        // told from the one Windows adds, which would otherwise let AltGr characters pass for Ctrl hotkeys. One
        // put in by a program comes with an AltGr of that program, ours among them, and says nothing.
        if (t.unten && !t.injiziert) {
            abgleich_.abgleichen(system, sink_);
        }
        return;
    }
    // Any other key without a set-1 code is no key the state numbers.
    if (t.scanCode > 0 && t.scanCode < 128) {
        abgleich_.weitergeben(KeyEvent{code, t.unten}, system, sink_);
    }
}

bool StrgHaken::starten(KeyboardState::EventSink sink) {
    if (thread_.joinable()) {
        return laeuft();
    }
    sink_ = std::move(sink);
    abgleich_ = TastenAbgleich{};
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

bool StrgHaken::erneuern() {
    return laeuft() && PostThreadMessageW(threadId_.load(), kErneuern, 0, 0) != 0;
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
    HHOOK haken = installieren();
    laeuft_.store(haken != nullptr);
    installationen_.store(haken != nullptr ? 1 : 0);
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
        if (message.hwnd == nullptr && message.message == kErneuern) {
            // Where Windows removed the old hook, unhooking it only fails; where it did not, the new one serves.
            if (HHOOK neu = installieren()) {
                UnhookWindowsHookEx(haken);
                haken = neu;
                installationen_.fetch_add(1);
            }
            continue;
        }
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(haken);
    laeuft_.store(false);
    aktiverHaken = nullptr;
}

} // namespace platform
