#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <windows.h>

namespace wintest {

// A top-level window holding one edit control: the stand-in for the application the operator pastes into.
class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    bool created() const { return window_ != nullptr && edit_ != nullptr; }
    // Brings the window to the front and gives the edit control the keyboard focus.
    bool focusEdit();
    std::wstring text() const;
    void clear();

    // Dispatches this thread's messages until done() holds or the time is up; the answer is done()'s last.
    static bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

private:
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

// Puts a Unicode text on the clipboard as the program does before it sends Ctrl+V.
bool putOnClipboard(const std::wstring& text);

} // namespace wintest
