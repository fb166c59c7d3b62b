#pragma once
// One colour picked from the screen with the pointer, without the main window, read where Grab
// Color reads it.

#include <QWidget>

#include "picker/pick_session.h"

namespace swatchly {

// Where the screen can be read: the pointer and the keyboard are held by a one-pixel window off
// the screen that never becomes active, the cursor is a crosshair, and the session samples the
// screen for the loupe. A left click, or Enter, picks the pixel under the pointer; the arrow
// keys move the pointer a device pixel, ten with Shift; 1, 3, 5, 7 and 9 (or the wheel with
// Ctrl) choose the square averaged, + and - (or the wheel) zoom the loupe, Space freezes the
// screen and thaws it; Escape or a right click cancels.
// The session's signals tell the result, once.
class PointerPick : public QWidget {
  public:
    explicit PointerPick(PickSession& session);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void grab();
    // A left press, or Enter: the pixel under the pointer read, at once or once the window
    // under the loupe has repainted.
    void press();
    void readPick();
    void moveBy(QPoint by);
    void release();
    void finish(const PickResult& result);

    PickSession& m_session;
    int m_grabTries = 0;
    bool m_finished = false;
    Qt::MouseButton m_pressed = Qt::NoButton;
    std::optional<std::int32_t> m_pixel;  // packed, read under the press
    bool m_reading = false;   // the pick waits for the screen under the loupe to repaint
    bool m_released = false;  // the left button is up
};

}  // namespace swatchly
