#pragma once

#include <memory>

namespace platform {

// Whether synthetic keys can reach the window with the input focus. Windows drops input sent into a
// process of higher integrity (a program run as administrator) without a word, so the weight would stay
// on the clipboard and the operator would see nothing happen. Plain C++ like the keyboard adapters.
class ZielPruefung {
public:
    ZielPruefung() = default;
    virtual ~ZielPruefung() = default;
    ZielPruefung(const ZielPruefung&) = delete;
    ZielPruefung& operator=(const ZielPruefung&) = delete;

    // True when the foreground window's process runs with more rights than this one, or its rights cannot
    // be read (which only a process with more rights refuses).
    virtual bool erhoeht() = 0;
};

// The platform's own (Windows), or one that never objects where every window takes synthetic keys.
std::unique_ptr<ZielPruefung> createZielPruefung();

} // namespace platform
