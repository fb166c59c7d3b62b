#include "picker/pointer_pick.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <utility>

namespace swatchly {

namespace {
constexpr int kGrabRetryMs = 50, kGrabTries = 40;
}  // namespace

PointerPick::PointerPick(PickSession& session)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_session(session) {
    // Off the screen, so that no sample is ever of this window; it only has to be mapped to
    // hold the pointer and the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(-10, -10, 1, 1);
    setCursor(Qt::CrossCursor);
    show();
    grab();
}

void PointerPick::grab() {
    bool forGood = false;
    if (m_session.probe().holdPointerAndKeyboard(this, &forGood)) {
        // Named only now, so that a script waiting for the name knows its clicks come here.
        setWindowTitle(QStringLiteral("Swatchly pick"));
        // Only the loupe shows a sample: the pick itself is read under the press.
        m_session.startTicking();
    } else if (!forGood && ++m_grabTries < kGrabTries) {
        QTimer::singleShot(kGrabRetryMs, this, &PointerPick::grab);
    } else {
        finish({PickResult::Unavailable,
                {},
                QStringLiteral("the pointer and the keyboard could not be taken")});
    }
}

void PointerPick::readPick() {
    m_pixel = m_session.readUnderPointer();
    m_reading = false;
    if (m_released) release();
}

void PointerPick::press() {
    m_session.stop();
    m_reading = m_session.loupeStepsAside(m_session.probe().cursorPos());
    if (m_reading)
        QTimer::singleShot(100, this, &PointerPick::readPick);
    else
        readPick();
}

void PointerPick::mousePressEvent(QMouseEvent* event) {
    // The pick is the pixel under the pointer as the button goes down; it ends on the release,
    // so that no other window gets a release without its press.
    m_pressed = event->button();
    if (m_pressed == Qt::LeftButton) press();
}

void PointerPick::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != m_pressed) return;
    if (m_pressed == Qt::RightButton) return finish({PickResult::Cancelled, {}, {}});
    if (m_pressed != Qt::LeftButton) return;
    m_released = true;
    if (!m_reading) release();
}

void PointerPick::release() {
    if (!m_pixel)
        return finish(
            {PickResult::Unavailable, {}, QStringLiteral("the screen could not be read")});
    finish({PickResult::Picked, unpack(*m_pixel), {}});
}

void PointerPick::wheelEvent(QWheelEvent* event) { m_session.choose(event); }

void PointerPick::keyPressEvent(QKeyEvent* event) {
    // Space freezes and thaws, + and - zoom, 1 to 9 choose the square.
    if (m_session.choose(event)) return;
    // The arrows move the pointer a device pixel (ten with Shift); Enter picks.
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
        case Qt::Key_Escape:
            return finish({PickResult::Cancelled, {}, {}});
        case Qt::Key_Left:
            return moveBy({-step, 0});
        case Qt::Key_Right:
            return moveBy({step, 0});
        case Qt::Key_Up:
            return moveBy({0, -step});
        case Qt::Key_Down:
            return moveBy({0, step});
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_pressed != Qt::NoButton) return;  // a button press is picking already
            m_pressed = Qt::LeftButton;
            m_released = true;
            return press();
    }
}

void PointerPick::moveBy(QPoint by) {
    m_session.probe().movePointer(by);
    if (m_session.isTicking()) m_session.sample();
}

void PointerPick::finish(const PickResult& result) {
    if (std::exchange(m_finished, true)) return;
    hide();  // gives the pointer and the keyboard back
    m_session.finish(result);
}

}  // namespace swatchly
