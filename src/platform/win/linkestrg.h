#pragma once

namespace platform {

// What is known about left Ctrl at one reading. On layouts with AltGr, Windows adds a left Ctrl of its own to
// every AltGr press and takes it away with the release, and GetAsyncKeyState cannot tell that one from the
// key on the keyboard. The keyboard hook can: the added one comes with scan code 0x21D.
struct LinkeStrgLage {
    bool gemeldet = false;       // GetAsyncKeyState has left Ctrl down
    bool rechtsAltUnten = false; // GetAsyncKeyState has right Alt down
    bool hakenSahAltGr = false;  // the hook runs and saw the right Alt press that is still held
    bool echteGesehen = false;   // the hook saw left Ctrl pressed with its own scan code, not released since
    bool kunstGesehen = false;   // the hook saw Windows' added left Ctrl pressed, not released since
    bool altGrBelegung = false;  // the foreground layout has AltGr, so right Alt brings the added Ctrl
};

// Whether left Ctrl counts as held. Plain C++ without Win32 so the rule is tested on every platform.
constexpr bool linkeStrgUnten(const LinkeStrgLage& lage) {
    if (!lage.gemeldet) {
        return false;
    }
    // Windows only adds its Ctrl while right Alt is down; without it every reported left Ctrl is real, even
    // when the hook's account has gone stale.
    if (!lage.rechtsAltUnten) {
        return true;
    }
    if (lage.hakenSahAltGr) {
        return lage.echteGesehen || !lage.kunstGesehen;
    }
    // The hook did not see this right Alt (it could not be installed, Windows dropped it, or the key was
    // down before it started): on an AltGr layout a left Ctrl beside right Alt is taken for the added one.
    // An operator who really holds both is then read as holding AltGr alone.
    return !lage.altGrBelegung;
}

} // namespace platform
