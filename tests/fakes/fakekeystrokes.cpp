#include "fakekeystrokes.h"

bool FakeKeystrokes::send(const std::vector<platform::KeyEvent>& events) {
    sent.push_back(events);
    if (onSend)
        onSend();
    return sendSucceeds;
}
