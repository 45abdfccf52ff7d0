#pragma once

#include <QString>
#include <optional>

namespace recording {

// The name under which the folder holds a plain (not hidden) file called `file`, letter case and surrounding
// blanks ignored on both sides; nothing when there is none or anything goes wrong. The caller opens the name
// returned, so "ZEL.MDB" is used as found rather than a second, empty "zel.mdb" beside it.
std::optional<QString> fileexist(const QString& ordner, const QString& file);

} // namespace recording
