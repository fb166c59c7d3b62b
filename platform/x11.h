#pragma once
// What the desktop services ask of an X server directly, where Qt's own request would not do:
// a move by any mouse button, and the pointer and the screen in device pixels, which Qt gives
// only in its scaled, rounded logical ones.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

class QWindow;

namespace swatchly::x11 {

// True when the program runs on an X server and this build can talk to it.
bool available();

// Asks the window manager (_NET_WM_MOVERESIZE) for an interactive move of the window that
// follows the pointer until the mouse button held now is released. Nothing happens when no
// button is held any more.
void startMove(QWindow* window);

// The pointer's hotspot in device pixels of the root window, which spans every screen.
std::optional<QPoint> pointer();
// Moves the pointer by so many device pixels.
bool movePointer(QPoint by);
// The square of 2 * radius + 1 device pixels centred on `centre`, read in one request; what lies
// beyond the root window is transparent. A null image when the server gives no pixels.
QImage region(QPoint centre, int radius);

// The part of the square around `centre` that lies on a root window of `root` size: what a read
// may ask for.
QRect readable(QPoint centre, int radius, QSize root);
// A pixel as the server sends it (`bits` of 8, 16 or 32 bits) to an opaque colour, from the
// root visual's channel masks.
QRgb toRgb(std::uint32_t pixel, std::uint32_t redMask, std::uint32_t greenMask,
           std::uint32_t blueMask);

}  // namespace swatchly::x11
