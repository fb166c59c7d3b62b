#include "platform/x11.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef SWATCHLY_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace swatchly::x11 {

#if defined(SWATCHLY_HAVE_XCB) && QT_CONFIG(xcb)

namespace {

xcb_connection_t* connection() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace

bool available() { return connection() != nullptr; }

void startMove(QWindow* window) {
    xcb_connection_t* c = connection();
    if (!c || !window) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // The server's own button state: the press may already be over by the time it reaches us,
    // and a move started then would stick the window to the pointer until the next click.
    const Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, id), nullptr), &std::free);
    if (!pointer) return;
    std::uint32_t button = 0;
    for (std::uint32_t b = 1; b <= 5 && !button; ++b)
        if (pointer->mask & (XCB_BUTTON_MASK_1 << (b - 1))) button = b;
    if (!button) return;

    const xcb_atom_t moveResize = atom(c, "_NET_WM_MOVERESIZE");
    if (moveResize == XCB_ATOM_NONE) return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = moveResize;
    message.data.data32[0] = static_cast<std::uint32_t>(pointer->root_x);
    message.data.data32[1] = static_cast<std::uint32_t>(pointer->root_y);
    message.data.data32[2] = 8;  // _NET_WM_MOVERESIZE_MOVE
    message.data.data32[3] = button;
    message.data.data32[4] = 1;  // from an application
    // The window manager can only take the pointer once our implicit grab is gone.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_send_event(c, 0, pointer->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

#else

bool available() { return false; }
void startMove(QWindow*) {}

#endif

}  // namespace swatchly::x11
