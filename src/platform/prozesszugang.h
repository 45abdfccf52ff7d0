#pragma once

#include <QtGlobal>
#include <memory>

namespace platform {

// What a second start needs of the program already running, known by its process number. Plain C++ like the
// keyboard adapters, so the single start can be tried against a fake.
class ProzessZugang {
public:
    ProzessZugang() = default;
    virtual ~ProzessZugang() = default;
    ProzessZugang(const ProzessZugang&) = delete;
    ProzessZugang& operator=(const ProzessZugang&) = delete;

    // True when that process runs with more rights than this one (started as administrator), or its rights
    // cannot be read, which only a process with more rights refuses. Windows then keeps this one from
    // reaching it, and waiting for an answer would be in vain.
    virtual bool erhoeht(qint64 pid) = 0;
    // Lets that process take the foreground when this one, just started by the user and so the one Windows
    // lets do it, asks it to come to the front. Without it Windows only flashes its taskbar button.
    virtual void vordergrundErlauben(qint64 pid) = 0;
};

// The platform's own: Windows', or one that has nothing to refuse and nothing to allow.
std::unique_ptr<ProzessZugang> createProzessZugang();

} // namespace platform
