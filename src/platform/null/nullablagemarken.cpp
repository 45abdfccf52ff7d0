#include "platform/ablagemarken.h"

namespace platform {

QList<std::pair<QString, QByteArray>> ablageMarken() {
    return {};
}

} // namespace platform
