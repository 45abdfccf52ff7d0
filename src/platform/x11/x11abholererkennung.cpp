#include "x11abholererkennung.h"

#include "platform/null/nullabholererkennung.h"

#include <QCoreApplication>
#include <cstdlib>
#include <xcb/xcb.h>

namespace platform {

namespace {

// Focus values that name no window: no focus at all, or "whatever lies under the pointer".
constexpr std::uint32_t kPointerRoot = 1;

} // namespace

X11AbholerErkennung::X11AbholerErkennung() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installNativeEventFilter(this);
}

X11AbholerErkennung::~X11AbholerErkennung() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    if (m_verbindung)
        xcb_disconnect(m_verbindung);
}

bool X11AbholerErkennung::verbinden() {
    if (m_verbindung || m_versucht)
        return m_verbindung != nullptr;
    m_versucht = true;
    xcb_connection_t* verbindung = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(verbindung)) {
        xcb_disconnect(verbindung);
        return false;
    }
    // The server hands every client the same mask; only the base differs.
    m_maske = xcb_get_setup(verbindung)->resource_id_mask;
    static constexpr char kName[] = "CLIPBOARD";
    if (xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(verbindung, xcb_intern_atom(verbindung, 0, sizeof kName - 1, kName), nullptr)) {
        m_clipboard = atom->atom;
        std::free(atom);
    }
    m_verbindung = verbindung;
    return true;
}

void X11AbholerErkennung::zielMerken() {
    m_zielBasis = 0;
    if (!verbinden())
        return;
    xcb_get_input_focus_reply_t* fokus =
        xcb_get_input_focus_reply(m_verbindung, xcb_get_input_focus(m_verbindung), nullptr);
    if (!fokus)
        return;
    if (fokus->focus != XCB_NONE && fokus->focus != kPointerRoot)
        m_zielBasis = fokus->focus & ~m_maske; // the root window and the server's own give 0: unknown
    std::free(fokus);
}

Abholer X11AbholerErkennung::abholer() const {
    if (!m_zielBasis || !m_anfrager)
        return Abholer::Unbekannt;
    return (m_anfrager & ~m_maske) == m_zielBasis ? Abholer::Ziel : Abholer::Fremder;
}

bool X11AbholerErkennung::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* ereignis = static_cast<const xcb_generic_event_t*>(message);
    // Qt hands the content out while it handles the request, before the next event comes through here;
    // any other event ends the request's turn.
    m_anfrager = 0;
    if ((ereignis->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
        const auto* anfrage = reinterpret_cast<const xcb_selection_request_event_t*>(ereignis);
        if (!m_clipboard || anfrage->selection == m_clipboard)
            m_anfrager = anfrage->requestor;
    }
    return false;
}

std::unique_ptr<AbholerErkennung> createAbholerErkennung() {
    // Without DISPLAY there is no X server to ask (a console, or Wayland without XWayland).
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return std::make_unique<NullAbholerErkennung>();
    return std::make_unique<X11AbholerErkennung>();
}

} // namespace platform
