#pragma once

#include "platform/abholererkennung.h"

#include <QAbstractNativeEventFilter>
#include <cstdint>

struct xcb_connection_t;

namespace platform {

// On X11 every fetch of our clipboard content is a SelectionRequest that names the requestor's window.
// Qt answers it from its own connection; a native event filter on that connection sees the request just
// before Qt hands the content out, so at that moment the requestor is known. Requestor and focus window
// belong to the same program when their ids share that client's resource-id base: the server cuts every
// id a client makes out of its own range, and applications fetch through a hidden window of their own,
// never through the focused one. The focus window is asked on a connection of our own.
//
// A window manager that keeps the focus on its frame instead of the client window would make every fetch
// look foreign; the paste then holds the text until its time limit, as it did before it could tell.
class X11AbholerErkennung final : public AbholerErkennung, private QAbstractNativeEventFilter {
public:
    X11AbholerErkennung();
    ~X11AbholerErkennung() override;

    void zielMerken() override;
    Abholer abholer() const override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool verbinden();

    xcb_connection_t* m_verbindung = nullptr;
    bool m_versucht = false;
    std::uint32_t m_maske = 0;
    std::uint32_t m_clipboard = 0; // the atom CLIPBOARD
    std::uint32_t m_zielBasis = 0; // 0: no target known
    std::uint32_t m_anfrager = 0;  // requestor of the SelectionRequest being answered, 0 when none
};

} // namespace platform
