#include "einfueger.h"

namespace handover {

Einfueger::~Einfueger() = default;

} // namespace handover
