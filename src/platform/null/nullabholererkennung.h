#pragma once

#include "platform/abholererkennung.h"

namespace platform {

// Where the system does not say who reads the clipboard (Windows, Wayland, no display): every fetch is of
// unknown origin, and the paste falls back to keeping the text for a fixed time.
class NullAbholerErkennung final : public AbholerErkennung {
public:
    void zielMerken() override {}
    Abholer abholer() const override { return Abholer::Unbekannt; }
};

} // namespace platform
