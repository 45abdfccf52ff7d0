# Every press of the hotkey pastes the weight once into a Win32 edit control (hotkey.sh, target einfuegeziel.cpp,
# built by the script with mingw-w64); AltGr as X's German layout has it in a case of its own, which wine 8 does
# not report as Windows does and so skips.
gramura_windows_test(hotkey hotkey.sh)
gramura_windows_test(hotkey_altgr hotkey.sh altgr)
