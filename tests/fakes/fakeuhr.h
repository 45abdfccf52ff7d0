#pragma once

#include "recording/uhr.h"

// A clock that shows what the test sets.
class FakeUhr final : public recording::Uhr {
public:
    explicit FakeUhr(QDateTime start = QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0))) : zeit(std::move(start)) {}
    QDateTime jetzt() const override { return zeit; }

    QDateTime zeit;
};
