#pragma once

#include "platform/keyboardstate.h"

typedef struct _XDisplay Display;

namespace platform {

// The keyboard state of the X server (XQueryKeymap) on a connection of its own. It answers for every key
// whichever client has the focus and takes no key from anyone.
class X11KeyboardState final : public KeyboardState {
public:
    X11KeyboardState() = default;
    ~X11KeyboardState() override;

    bool start() override;
    bool stop() override;
    KeyStateBytes read() override;

private:
    Display* m_display = nullptr;
};

} // namespace platform
