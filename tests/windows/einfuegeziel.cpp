// The operator's application in the hotkey test: a plain Win32 window with one edit control, as simple as
// the programs the weight is pasted into. It writes down what happens to it, one line each, with the time in
// microseconds since 1970 (the Linux clock under wine, so the test's own times compare):
//   <us> TASTE v|^ vk=.. scan=.. flags=..   every key event the system's low-level hook sees: the operator's
//                                           and the program's own (flags bit 0x10: injected by SendInput)
//   <us> TEXT <utf-8>                       the edit's whole text after each change
//   <us> AKTIV | INAKTIV | FOKUS            the window coming to the front or losing it, the edit's focus
//   <us> MENUE auf | MENUE zu               the window's menu loop entered and left
//   <us> ABLAGE name=hex;...                with --ablage only: the clipboard changed; its formats that have
//                                           names, each with its first four bytes in hex (read on the window's
//                                           thread, so the edit's own paste never finds the clipboard held by
//                                           this; it delays the paste by the renderings, so not in timings)
// The key lines come from a hook of its own rather than from the edit's messages: the hook sees the keys as
// the key watch does, before any window, so a press the system lost and a press the program lost tell apart.
// Cross-built with mingw-w64 by einfuegeziel_bauen in wine_umgebung.sh; static, so it needs no DLL beside it.
// Usage: einfuegeziel.exe LOGFILE [--ablage]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HANDLE protokoll = INVALID_HANDLE_VALUE;
HWND feld = nullptr;

unsigned long long mikrosekunden() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const unsigned long long zehntel = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    // FILETIME counts tenths of microseconds since 1601.
    return (zehntel - 116444736000000000ULL) / 10;
}

// One write per line, so a reader never sees half of one.
void zeile(const std::string& inhalt) {
    const std::string text = std::to_string(mikrosekunden()) + ' ' + inhalt + '\n';
    DWORD geschrieben = 0;
    WriteFile(protokoll, text.data(), static_cast<DWORD>(text.size()), &geschrieben, nullptr);
}

std::string utf8(const std::wstring& breit) {
    if (breit.empty())
        return {};
    const int laenge = WideCharToMultiByte(CP_UTF8, 0, breit.data(), static_cast<int>(breit.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string schmal(static_cast<std::size_t>(laenge), '\0');
    WideCharToMultiByte(CP_UTF8, 0, breit.data(), static_cast<int>(breit.size()), schmal.data(), laenge, nullptr,
                        nullptr);
    return schmal;
}

LRESULT CALLBACK haken(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool unten = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        char text[80];
        std::snprintf(text, sizeof text, "TASTE %c vk=%02lX scan=%lX flags=%lX", unten ? 'v' : '^', info->vkCode,
                      info->scanCode, info->flags);
        zeile(text);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK fensterProzedur(HWND fenster, UINT nachricht, WPARAM wParam, LPARAM lParam) {
    switch (nachricht) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            zeile("AKTIV");
            SetFocus(feld);
        } else {
            zeile("INAKTIV");
        }
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == feld && HIWORD(wParam) == EN_CHANGE) {
            const int laenge = GetWindowTextLengthW(feld);
            std::wstring text(static_cast<std::size_t>(laenge) + 1, L'\0');
            text.resize(static_cast<std::size_t>(GetWindowTextW(feld, text.data(), laenge + 1)));
            zeile("TEXT " + utf8(text));
        } else if (reinterpret_cast<HWND>(lParam) == feld && HIWORD(wParam) == EN_SETFOCUS) {
            // Every paste then lands behind the last, whatever the caret did before.
            const int laenge = GetWindowTextLengthW(feld);
            SendMessageW(feld, EM_SETSEL, static_cast<WPARAM>(laenge), static_cast<LPARAM>(laenge));
            zeile("FOKUS");
        }
        return 0;
    case WM_CLIPBOARDUPDATE:
        if (OpenClipboard(fenster)) {
            std::string formate;
            UINT format = 0;
            while ((format = EnumClipboardFormats(format)) != 0) {
                wchar_t name[256];
                const int laenge = GetClipboardFormatNameW(format, name, 256);
                if (laenge <= 0)
                    continue;
                formate += (formate.empty() ? "" : ";") + utf8(std::wstring(name, static_cast<std::size_t>(laenge)));
                const HANDLE daten = GetClipboardData(format);
                const auto* bytes = daten != nullptr ? static_cast<const unsigned char*>(GlobalLock(daten)) : nullptr;
                if (bytes != nullptr) {
                    char hex[16];
                    if (GlobalSize(daten) >= 4) {
                        std::snprintf(hex, sizeof hex, "=%02x%02x%02x%02x", bytes[0], bytes[1], bytes[2], bytes[3]);
                        formate += hex;
                    }
                    GlobalUnlock(daten);
                }
            }
            CloseClipboard();
            zeile("ABLAGE " + formate);
        }
        return 0;
    case WM_ENTERMENULOOP:
        // Entered on a lone Alt tap: the menu bar then has the keys, and the edit none.
        zeile("MENUE auf");
        break;
    case WM_EXITMENULOOP:
        zeile("MENUE zu");
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(fenster, nachricht, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    const bool ablageZeigen = argc == 3 && std::string(argv[2]) == "--ablage";
    if (argc != 2 && !ablageZeigen) {
        std::fprintf(stderr, "Aufruf: einfuegeziel.exe PROTOKOLLDATEI [--ablage]\n");
        return 2;
    }
    protokoll = CreateFileA(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (protokoll == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "%s: nicht zu öffnen\n", argv[1]);
        return 1;
    }
    const HINSTANCE instanz = GetModuleHandleW(nullptr);
    WNDCLASSW klasse{};
    klasse.lpfnWndProc = fensterProzedur;
    klasse.hInstance = instanz;
    klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasse.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    klasse.lpszClassName = L"GramuraEinfuegeziel";
    RegisterClassW(&klasse);
    // A menu bar, as the operator's programs have one: a lone Alt tap reaching the window enters it.
    const HMENU leiste = CreateMenu();
    const HMENU datei = CreatePopupMenu();
    AppendMenuW(datei, MF_STRING, 1, L"&Neu");
    AppendMenuW(leiste, MF_POPUP, reinterpret_cast<UINT_PTR>(datei), L"&Datei");
    // Low on the screen, clear of the program's window in the middle, where the test's click finds it.
    const HWND fenster = CreateWindowExW(0, klasse.lpszClassName, L"Einfuegeziel", WS_OVERLAPPEDWINDOW, 40, 820, 600,
                                         150, nullptr, leiste, instanz, nullptr);
    feld = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 560, 28,
                           fenster, nullptr, instanz, nullptr);
    if (fenster == nullptr || feld == nullptr) {
        std::fprintf(stderr, "Fenster nicht angelegt\n");
        return 1;
    }
    SendMessageW(feld, EM_SETLIMITTEXT, 0, 0);
    if (ablageZeigen)
        AddClipboardFormatListener(fenster);
    // On this thread, which does nothing but wait for messages, so the hook always answers at once.
    const HHOOK tastenhaken = SetWindowsHookExW(WH_KEYBOARD_LL, haken, instanz, 0);
    if (tastenhaken == nullptr) {
        std::fprintf(stderr, "kein Tastaturhaken\n");
        return 1;
    }
    ShowWindow(fenster, SW_SHOWNORMAL);
    UpdateWindow(fenster);
    zeile("BEREIT");
    MSG nachricht;
    while (GetMessageW(&nachricht, nullptr, 0, 0) > 0) {
        TranslateMessage(&nachricht);
        DispatchMessageW(&nachricht);
    }
    UnhookWindowsHookEx(tastenhaken);
    zeile("ENDE");
    CloseHandle(protokoll);
    return 0;
}
