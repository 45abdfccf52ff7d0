#include "nullabholererkennung.h"

namespace platform {

std::unique_ptr<AbholerErkennung> createAbholerErkennung() {
    return std::make_unique<NullAbholerErkennung>();
}

} // namespace platform
