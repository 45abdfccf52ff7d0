#pragma once

#include "platform/abholererkennung.h"

#include <functional>

// The test says who each fetch comes from; counts the targets noted.
class FakeAbholerErkennung final : public platform::AbholerErkennung {
public:
    void zielMerken() override {
        ++gemerkt;
        if (onZielMerken)
            onZielMerken();
    }
    platform::Abholer abholer() const override { return antwort; }

    platform::Abholer antwort = platform::Abholer::Ziel;
    int gemerkt = 0;
    std::function<void()> onZielMerken;
};
