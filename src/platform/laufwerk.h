#pragma once

#include <QString>

namespace platform {

// Whether a path names a folder on a network share in Windows' notation: \\server\share\… (also with slashes,
// as Qt writes it, and in the long form \\?\UNC\server\share\…). The device namespace (\\.\COM10) is no share.
bool windowsNetzwerkpfad(const QString& pfad);

// Whether the folder lies on another computer: on Windows a share named as above or a drive letter the system
// reports as a network drive. Elsewhere the system's own mounts count as local.
bool imNetzwerk(const QString& pfad);

} // namespace platform
