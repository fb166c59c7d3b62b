#include "tools/pointer_pick.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

namespace swatchly {

namespace {
constexpr int kGrabRetryMs = 50, kGrabTries = 40;
}  // namespace

PointerPick::PointerPick(ScreenProbe& probe, std::function<void(PickResult)> done)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_probe(probe),
      m_done(std::move(done)) {
    // Off the screen, so that no sample is ever of this window; it only has to be mapped to
    // hold the pointer and the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(-10, -10, 1, 1);
    setCursor(Qt::CrossCursor);
    m_ticks.setInterval(100);
    connect(&m_ticks, &QTimer::timeout, this, &PointerPick::sample);
    show();
    grab();
}

void PointerPick::grab() {
    bool forGood = false;
    if (m_probe.holdPointerAndKeyboard(this, &forGood)) {
        // Named only now, so that a script waiting for the name knows its clicks come here.
        setWindowTitle(QStringLiteral("Swatchly pick"));
        sample();
        m_ticks.start();
    } else if (!forGood && ++m_grabTries < kGrabTries) {
        QTimer::singleShot(kGrabRetryMs, this, &PointerPick::grab);
    } else {
        finish({PickResult::Unavailable,
                {},
                QStringLiteral("the pointer and the keyboard could not be taken")});
    }
}

void PointerPick::sample() {
    // Only the loupe shows a sample: the pick itself is read under the press.
    QPoint pointer;
    const QImage region = m_probe.regionUnderPointer(Magnifier::kRadius, &pointer);
    if (m_loupe.stepAside(pointer)) return;
    if (ScreenProbe::centreOf(region))
        m_loupe.show(pointer, region);
    else
        m_loupe.hide();
}

void PointerPick::readPick() {
    m_pixel = m_probe.pixelUnderPointer();
    m_reading = false;
    if (m_released) release();
}

void PointerPick::press() {
    m_ticks.stop();
    // Where the loupe stood over the pixels around the pointer, the window under it needs a
    // moment to paint itself again before it is read.
    m_reading = m_loupe.stepAside(m_probe.cursorPos());
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

void PointerPick::keyPressEvent(QKeyEvent* event) {
    // The arrows move the pointer a device pixel (ten with Shift); Enter or Space picks.
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
        case Qt::Key_Space:
            if (m_pressed != Qt::NoButton) return;  // a button press is picking already
            m_pressed = Qt::LeftButton;
            m_released = true;
            return press();
    }
}

void PointerPick::moveBy(QPoint by) {
    m_probe.movePointer(by);
    if (m_ticks.isActive()) sample();
}

void PointerPick::finish(PickResult result) {
    if (!m_done) return;
    m_ticks.stop();
    m_loupe.hide();
    hide();  // gives the pointer and the keyboard back
    std::exchange(m_done, {})(std::move(result));
}

}  // namespace swatchly
