#include "testwindow.h"

#include <cstring>

namespace wintest {

namespace {

const wchar_t* windowClass() {
    static const wchar_t* const name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GramuraPasteTarget";
        RegisterClassW(&wc);
        return L"GramuraPasteTarget";
    }();
    return name;
}

} // namespace

TestWindow::TestWindow() {
    window_ = CreateWindowExW(0, windowClass(), L"Paste target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 120,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) {
        return;
    }
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 360, 24,
                            window_, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool TestWindow::focusEdit() {
    if (!created()) {
        return false;
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(edit_);
    return pumpUntil([this] { return GetForegroundWindow() == window_ && GetFocus() == edit_; },
                     std::chrono::milliseconds(3000));
}

std::wstring TestWindow::text() const {
    const int length = GetWindowTextLengthW(edit_);
    std::wstring result(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(edit_, result.data(), length + 1);
    result.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return result;
}

void TestWindow::clear() {
    SetWindowTextW(edit_, L"");
}

bool TestWindow::pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return done();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool putOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!placed) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

} // namespace wintest
