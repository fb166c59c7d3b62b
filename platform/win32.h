#pragma once
// What the desktop services ask of Windows directly, where Qt's own request would not do: the
// pointer and the screen in device pixels (the process is per-monitor DPI aware, as Qt makes
// it, so the system speaks device pixels), the foreground window, a move of the window by its
// body, the topmost state, and every click and key while --pick holds them. Everywhere but on
// Windows each says it is not there.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

class QWidget;
class QWindow;

namespace swatchly::win32 {

// True in a Windows build.
bool available();

// The pointer's hotspot in device pixels of the virtual screen, which spans every monitor.
std::optional<QPoint> pointer();
bool movePointer(QPoint by);
// The square of 2 * radius + 1 device pixels centred on `centre`, read from the screen in one
// copy; what lies on no monitor is transparent. A null image when the screen gives no pixels (a
// locked desktop, a secure desktop in front).
QImage region(QPoint centre, int radius);
// The device-pixel rectangles of the monitors.
QList<QRect> monitors();
// Which pixels of a read of `read` lie on a monitor: the others are made transparent.
void clearOffMonitors(QImage& image, QPoint topLeft, const QList<QRect>& monitors);

// An identity of the foreground window where it is one of this process's, else 0.
std::int64_t foregroundWindow();
// The window follows the pointer, as a press on its caption makes it, until the button is up.
void startMove(QWindow* window);
// Topmost or not, keeping place and size and not activating it.
void setTopmost(QWindow* window, bool onTop);

// What this program put on the clipboard handed over to the system, to stay after it ends.
bool flushClipboard();

// Every click and key goes to `target` (as Qt mouse and key events), not to the window under
// the pointer, until `target` is hidden; the pointer still moves. False where it cannot be had.
bool holdInput(QWidget* target);

}  // namespace swatchly::win32
