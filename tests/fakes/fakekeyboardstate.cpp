#include "fakekeyboardstate.h"

bool FakeKeyboardState::start() {
    ++starts;
    if (onStart)
        onStart();
    return startSucceeds;
}

bool FakeKeyboardState::stop() {
    ++stops;
    if (onStop)
        onStop();
    return true;
}

platform::KeyStateBytes FakeKeyboardState::read() {
    ++reads;
    if (onRead)
        onRead();
    return state;
}

void FakeKeyboardState::halten(std::initializer_list<int> codes) {
    for (const int code : codes)
        state[static_cast<std::size_t>(code)] = 0x80;
}
