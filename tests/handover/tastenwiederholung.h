#pragma once

// Switches the X server's key auto-repeat off, so a held key sends one press and one release.
void tastenwiederholungAus();
