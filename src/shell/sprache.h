#pragma once

#include <QStringList>

namespace shell {

// The program speaks German whatever the language of the computer or of the job that starts it: dates, times
// and numbers in their German form, and Qt's own words (the file and overwrite dialogs, the calendar, the
// command line's help and refusals) from Qt's German translations. What is pasted or exported keeps its own
// form. Called once for each application object, before the command line is read or a window is made.
// Returns the translation files it installed; one that is nowhere to be found leaves Qt's English words.
QStringList spracheEinrichten();

} // namespace shell
