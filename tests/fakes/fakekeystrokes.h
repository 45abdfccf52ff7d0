#pragma once

#include "platform/keystrokes.h"

#include <functional>

// Records what would have been typed; a hook plays the target application's part.
class FakeKeystrokes final : public platform::Keystrokes {
public:
    bool send(const std::vector<platform::KeyEvent>& events) override;

    bool sendSucceeds = true;
    std::vector<std::vector<platform::KeyEvent>> sent;
    std::function<void()> onSend;
};
