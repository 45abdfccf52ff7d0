#include "display.h"

#include <QtGlobal>

namespace platform {

bool displayAvailable(QString* reason) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(reason);
    return true;
#else
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    *reason = QStringLiteral("Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt): "
                             "bitte in einer grafischen Sitzung starten, oder unter xvfb-run.");
    return false;
#endif
}

} // namespace platform
