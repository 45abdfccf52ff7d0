#pragma once

#include <QString>

namespace platform {

// Whether a graphical session is there to show the window in. Returns false with a one-line reason
// instead of letting the toolkit fail with a stack of warnings.
bool displayAvailable(QString* reason);

} // namespace platform
