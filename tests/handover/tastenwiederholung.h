#pragma once

// Switches the X server's key auto-repeat off, so a held key sends one press and one release.
void tastenwiederholungAus();
// Sets the delay after which the server would start repeating a held key.
void wiederholVerzoegerungSetzen(int ms);
// The character the key at a scan code types without modifiers in the server's layout; 0 for none.
char zeichenDerTaste(int scanCode);
