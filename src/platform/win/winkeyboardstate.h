#pragma once

#include "platform/keyboardstate.h"
#include "platform/win/strghaken.h"

#include <cstdint>

namespace platform {

// Keyboard state from GetAsyncKeyState: it answers for the whole session whatever window has the focus and
// leaves every key to the application that gets it. The state is kept by virtual key, so each scan code is
// first turned into the virtual key that the keyboard layout of the foreground window gives it. Left Ctrl
// counts only when it is the operator's, not the one Windows adds to AltGr (see linkestrg.h); a keyboard
// hook tells the two apart where Windows allows one.
class WinKeyboardState final : public KeyboardState {
public:
    WinKeyboardState() = default;

    bool start() override;
    bool stop() override;
    KeyStateBytes read() override;
    KeyStateBytes readKeys(std::span<const std::uint16_t> codes) override;

    void setEventSink(EventSink sink) override { sink_ = std::move(sink); }
    bool reportsEvents() const override { return sink_ && haken_.laeuft(); }
    std::optional<int> repeatDelayMs() const override;
    // The hook knows the keys WinKeystrokes puts in by their extra information.
    bool erkenntEigene() const override { return true; }
    bool ereignisseErneuern() override { return sink_ && haken_.erneuern(); }

    // The virtual key (left and right modifiers told apart) that the given layout gives the key at a set-1
    // scan code with 128 added for extended keys; 0 when the layout has no key there. layout is an HKL.
    static std::uint16_t virtualKeyFor(std::uint16_t scanCode, void* layout);
    // Whether the layout (an HKL) types characters with AltGr, which Windows then reports as Ctrl+Alt.
    static bool hatAltGr(void* layout);

    // Whether the keyboard hook runs; without it left Ctrl beside right Alt is judged by the layout alone.
    bool hakenLaeuft() const { return haken_.laeuft(); }
    // How often the hook has been installed since the start.
    int hakenInstallationen() const { return haken_.installationen(); }

private:
    void mapFor(void* layout);
    // Follows the foreground window's layout; false while the source is not started.
    bool bereit();
    // The state of one key, left Ctrl judged as linkestrg.h says.
    bool unten(std::uint16_t code) const;

    bool started_ = false;
    void* mappedLayout_ = nullptr;
    bool altGrBelegung_ = false;
    std::array<std::uint16_t, 256> virtualKeys_{};
    EventSink sink_;
    StrgHaken haken_;
};

} // namespace platform
