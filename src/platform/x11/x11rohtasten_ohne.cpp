// Built without XInput 2: there are no raw events to report, and the key watch samples the state.
#include "x11rohtasten.h"

namespace platform {

X11RohTasten::~X11RohTasten() = default;

bool X11RohTasten::starten(KeyboardState::EventSink) {
    return false;
}

void X11RohTasten::beenden() {}

} // namespace platform
