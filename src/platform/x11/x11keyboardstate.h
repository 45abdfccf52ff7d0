#pragma once

#include "platform/keyboardstate.h"
#include "x11rohtasten.h"

typedef struct _XDisplay Display;

namespace platform {

// The keyboard state of the X server (XQueryKeymap) on a connection of its own. It answers for every key
// whichever client has the focus and takes no key from anyone. With a sink set, the keys' raw events
// (XInput 2) are reported as they happen; without XInput 2 the state is only there to be read.
class X11KeyboardState final : public KeyboardState {
public:
    enum class Ereignisse { Melden, Keine };

    explicit X11KeyboardState(Ereignisse ereignisse = Ereignisse::Melden) : m_ereignisse(ereignisse) {}
    ~X11KeyboardState() override;

    bool start() override;
    bool stop() override;
    KeyStateBytes read() override;

    void setEventSink(EventSink sink) override { m_sink = std::move(sink); }
    bool reportsEvents() const override { return m_rohTasten.laeuft(); }
    std::optional<int> repeatDelayMs() const override { return m_verzoegerungMs; }

private:
    Ereignisse m_ereignisse;
    Display* m_display = nullptr;
    EventSink m_sink;
    X11RohTasten m_rohTasten;
    std::optional<int> m_verzoegerungMs;
};

} // namespace platform
