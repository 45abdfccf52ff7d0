#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace platform {

// Extra clipboard formats that keep a weight out of the system's clipboard history and cloud clipboard:
// pairs of MIME type and data as QMimeData takes them. A weight is a moment's value, and every monitor that
// copies it also makes the paste wait for a fetch that is not the target's. Empty where the system has no
// such convention.
QList<std::pair<QString, QByteArray>> ablageMarken();

} // namespace platform
