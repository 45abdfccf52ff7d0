#pragma once

#include "uhr.h"

namespace recording {

// The computer's local clock.
class SystemUhr final : public Uhr {
public:
    QDateTime jetzt() const override { return QDateTime::currentDateTime(); }
};

} // namespace recording
