#pragma once

#include "platform/keyboardstate.h"

namespace platform::x11 {

// The key numbering of the keyboard state (set-1 scan codes, extended keys plus 128) against the keycodes
// of an X server with the evdev keymap, where a keycode is the Linux input code plus 8.

// The scan code of an X keycode, 0 for keys the state does not number.
int scanCodeOfKeycode(int keycode);
// The X keycode of a scan code, 0 when there is none.
int keycodeOfScanCode(int scanCode);
// The keyboard state of an XQueryKeymap answer (one bit per keycode).
KeyStateBytes stateOfKeymap(const char (&keys)[32]);

} // namespace platform::x11
