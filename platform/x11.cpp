#include "platform/x11.h"

#include <QGuiApplication>
#include <QWindow>
#include <bit>

#ifdef SWATCHLY_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace swatchly::x11 {

QRect readable(QPoint centre, int radius, QSize root) {
    return QRect(centre - QPoint(radius, radius), QSize(2 * radius + 1, 2 * radius + 1)) &
           QRect(QPoint(), root);
}

QRgb toRgb(std::uint32_t pixel, std::uint32_t redMask, std::uint32_t greenMask,
           std::uint32_t blueMask) {
    // A channel's bits scaled to 0..255, wherever its mask puts them.
    auto channel = [pixel](std::uint32_t mask) {
        if (!mask) return 0u;
        const int shift = std::countr_zero(mask);
        const std::uint32_t top = mask >> shift;
        return ((pixel & mask) >> shift) * 255 / top;
    };
    return qRgb(int(channel(redMask)), int(channel(greenMask)), int(channel(blueMask)));
}

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

xcb_screen_t* rootScreen(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data;
}

}  // namespace

bool available() { return connection() != nullptr; }

std::optional<QPoint> pointer() {
    xcb_connection_t* c = connection();
    if (!c) return std::nullopt;
    const Reply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, rootScreen(c)->root), nullptr), &std::free);
    if (!reply || !reply->same_screen) return std::nullopt;
    return QPoint(reply->root_x, reply->root_y);
}

bool movePointer(QPoint by) {
    xcb_connection_t* c = connection();
    if (!c) return false;
    xcb_warp_pointer(c, XCB_NONE, XCB_NONE, 0, 0, 0, 0, std::int16_t(by.x()), std::int16_t(by.y()));
    xcb_flush(c);
    return true;
}

QImage region(QPoint centre, int radius) {
    xcb_connection_t* c = connection();
    if (!c) return {};
    const xcb_screen_t* screen = rootScreen(c);
    const QRect read =
        readable(centre, radius, QSize(screen->width_in_pixels, screen->height_in_pixels));
    if (read.isEmpty()) return {};
    const Reply<xcb_get_image_reply_t> image(
        xcb_get_image_reply(
            c,
            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, std::int16_t(read.x()),
                          std::int16_t(read.y()), std::uint16_t(read.width()),
                          std::uint16_t(read.height()), ~0u),
            nullptr),
        &std::free);
    if (!image) return {};
    // The visual's masks say where each channel sits; the pixmap format, how wide a pixel and a
    // row are.
    const xcb_visualtype_t* visual = nullptr;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem && !visual; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen->root_visual) visual = v.data;
    int bits = 0, pad = 32;
    for (auto f = xcb_setup_pixmap_formats_iterator(xcb_get_setup(c)); f.rem; xcb_format_next(&f))
        if (f.data->depth == image->depth)
            bits = f.data->bits_per_pixel, pad = f.data->scanline_pad;
    if (!visual || (bits != 32 && bits != 24 && bits != 16 && bits != 8)) return {};
    const bool lsbFirst = xcb_get_setup(c)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    const int stride = (read.width() * bits + pad - 1) / pad * pad / 8;
    const std::uint8_t* data = xcb_get_image_data(image.get());
    QImage out(2 * radius + 1, 2 * radius + 1, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QPoint corner = centre - QPoint(radius, radius);
    for (int y = 0; y < read.height(); ++y)
        for (int x = 0; x < read.width(); ++x) {
            const std::uint8_t* p = data + y * stride + x * bits / 8;
            std::uint32_t pixel = 0;
            for (int b = 0; b < bits / 8; ++b)
                pixel |= std::uint32_t(p[b]) << 8 * (lsbFirst ? b : bits / 8 - 1 - b);
            out.setPixel(read.topLeft() - corner + QPoint(x, y),
                         toRgb(pixel, visual->red_mask, visual->green_mask, visual->blue_mask));
        }
    return out;
}

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
std::optional<QPoint> pointer() { return std::nullopt; }
bool movePointer(QPoint) { return false; }
QImage region(QPoint, int) { return {}; }

#endif

}  // namespace swatchly::x11
