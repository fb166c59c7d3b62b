#pragma once
// One colour picked from the screen with the pointer, without the main window, read where Grab
// Color reads it.

#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/services.h"
#include "tools/magnifier.h"

namespace swatchly {

// Where the screen can be read: the pointer and the keyboard are held by a one-pixel window off
// the screen that never becomes active, the cursor is a crosshair, and the screen under the
// pointer is sampled at grab mode's pace. A left click, or Enter or Space, picks the pixel under
// the pointer; the arrow keys move the pointer a device pixel, ten with Shift; Escape or a right
// click cancels.
class PointerPick : public QWidget {
  public:
    // `done` runs once, from the event loop.
    PointerPick(ScreenProbe& probe, std::function<void(PickResult)> done);

    // One sample: the screen read at the pointer. Whatever shows the sample is updated here.
    void sample();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void grab();
    // A left press, or Enter: the pixel under the pointer read, at once or once the window
    // under the loupe has repainted.
    void press();
    void readPick();
    void moveBy(QPoint by);
    void release();
    void finish(PickResult result);

    ScreenProbe& m_probe;
    std::function<void(PickResult)> m_done;
    QTimer m_ticks;
    int m_grabTries = 0;
    Qt::MouseButton m_pressed = Qt::NoButton;
    std::optional<std::int32_t> m_pixel;  // packed, read under the press
    bool m_reading = false;   // the pick waits for the screen under the loupe to repaint
    bool m_released = false;  // the left button is up
    Magnifier m_loupe;
};

}  // namespace swatchly
