#pragma once

#include "platform/keyboardstate.h"

#include <functional>
#include <initializer_list>

// A keyboard whose keys the test holds; counts the calls and can run a check at each of them.
class FakeKeyboardState final : public platform::KeyboardState {
public:
    bool start() override;
    bool stop() override;
    platform::KeyStateBytes read() override;
    // Counted apart from the whole readings.
    platform::KeyStateBytes readKeys(std::span<const std::uint16_t> codes) override;

    void setEventSink(EventSink sink) override { m_sink = std::move(sink); }
    bool reportsEvents() const override { return meldet; }
    std::optional<int> repeatDelayMs() const override { return verzoegerungMs; }
    bool erkenntEigene() const override { return eigeneErkannt; }
    bool ereignisseErneuern() override;

    void halten(std::initializer_list<int> codes);
    void loslassen() { state = {}; }
    // A key moves: the state follows, and with `meldet` the event goes to the sink as the system's would.
    void taste(int code, bool unten);

    platform::KeyStateBytes state{};
    bool startSucceeds = true;
    int starts = 0;
    int stops = 0;
    int reads = 0;
    int teilLesungen = 0;
    std::function<void()> onStart;
    std::function<void()> onStop;
    std::function<void()> onRead;
    bool meldet = false;
    std::optional<int> verzoegerungMs;
    // Like the Windows hook: the program's own keys are known and never come back as events.
    bool eigeneErkannt = false;
    int erneuerungen = 0;
    std::function<void()> onErneuern;

private:
    EventSink m_sink;
};
