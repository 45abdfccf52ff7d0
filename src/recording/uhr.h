#pragma once

#include <QDateTime>

namespace recording {

// The local date and time as the recording tick reads it; tests put a clock of their own in its place.
class Uhr {
public:
    Uhr() = default;
    virtual ~Uhr() = default;
    Uhr(const Uhr&) = delete;
    Uhr& operator=(const Uhr&) = delete;

    virtual QDateTime jetzt() const = 0;
};

} // namespace recording
