#pragma once

#include <QIcon>

namespace shell {

// The program's icon: a platform scale with a digital display, drawn at every size it is asked for.
QIcon programmIcon();
// One rendering, for the installed PNG files.
QImage programmIconBild(int size);

} // namespace shell
