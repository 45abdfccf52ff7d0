#include "platform/zielpruefung.h"

namespace platform {

namespace {

class OffenesZiel final : public ZielPruefung {
public:
    bool erhoeht() override { return false; }
};

} // namespace

std::unique_ptr<ZielPruefung> createZielPruefung() {
    return std::make_unique<OffenesZiel>();
}

} // namespace platform
