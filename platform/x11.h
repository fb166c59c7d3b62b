#pragma once
// What the window manager service asks of an X11 window manager directly, where Qt's own
// request would not do.

class QWindow;

namespace swatchly::x11 {

// True when the program runs on an X server and this build can talk to it.
bool available();

// Asks the window manager (_NET_WM_MOVERESIZE) for an interactive move of the window that
// follows the pointer until the mouse button held now is released. Nothing happens when no
// button is held any more.
void startMove(QWindow* window);

}  // namespace swatchly::x11
