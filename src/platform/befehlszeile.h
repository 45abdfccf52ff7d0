#pragma once

#include <QStringList>

namespace platform {

// The program's arguments as the user typed them. On Windows argv holds them in the ANSI code page, in which
// a folder named in Greek or Cyrillic letters ("Gewichte-Ω") is lost to question marks; the command line
// itself is read as Unicode there. Elsewhere argv is decoded as the locale has it.
QStringList befehlszeile(int argc, char** argv);

} // namespace platform
