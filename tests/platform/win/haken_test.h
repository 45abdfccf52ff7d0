#pragma once

namespace wintest {

// Checks of the keyboard hook's events against the system's key state, of the program's own keys, of the hook
// installed anew, and of the key Ctrl+V takes for V; under Wine or on Windows, on the German layout.
void testStale();
void testEigene();
void testErneuern();
void testVTaste();

} // namespace wintest
