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

platform::KeyStateBytes FakeKeyboardState::readKeys(std::span<const std::uint16_t> codes) {
    ++teilLesungen;
    if (onRead)
        onRead();
    platform::KeyStateBytes teil{};
    for (const auto code : codes)
        teil[code] = state[code];
    return teil;
}

void FakeKeyboardState::halten(std::initializer_list<int> codes) {
    for (const int code : codes)
        state[static_cast<std::size_t>(code)] = 0x80;
}

void FakeKeyboardState::taste(int code, bool unten) {
    state[static_cast<std::size_t>(code)] = unten ? 0x80 : 0;
    if (meldet && m_sink)
        m_sink({static_cast<std::uint16_t>(code), unten});
}

bool FakeKeyboardState::ereignisseErneuern() {
    ++erneuerungen;
    if (onErneuern)
        onErneuern();
    return true;
}
