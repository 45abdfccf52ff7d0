#pragma once

#include <QString>

namespace platform {

// A program built for the window has no console of its own on Windows. Called first thing in main(): where
// standard output or error reach nowhere, they are joined to the console of the program that started this
// one (cmd.exe, PowerShell), so --help, --export - and every refusal still reach the person who typed the
// command. Elsewhere, and where both already lead to a file, pipe or console, nothing changes.
void konsoleAnbinden();

// For the person who started the program, on standard output (a help text) or standard error (a refusal):
// written in the form the console shows, and where neither reaches anyone (started from a shortcut), shown
// in a message box as well, so that a refusal at start-up is never silent.
void hilfeAusgeben(const QString& text);
void fehlerAusgeben(const QString& text);
// What a run without a window did, on standard output: never in a message box, so that a scheduled job that
// succeeded waits for no one.
void berichtAusgeben(const QString& text);

} // namespace platform
