#include "tools/pointer_pick.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
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
    // Started from a keyboard shortcut, the desktop may still hold the keyboard for a moment.
    QWindow* window = windowHandle();
    if (window->setKeyboardGrabEnabled(true) && window->setMouseGrabEnabled(true)) {
        // Named only now, so that a script waiting for the name knows its clicks come here.
        setWindowTitle(QStringLiteral("Swatchly pick"));
        sample();
        m_ticks.start();
    } else if (++m_grabTries < kGrabTries) {
        QTimer::singleShot(kGrabRetryMs, this, &PointerPick::grab);
    } else {
        finish({PickResult::Unavailable,
                {},
                QStringLiteral("the pointer and the keyboard could not be taken")});
    }
}

void PointerPick::sample() {
    const QPoint pointer = m_probe.cursorPos();
    if (m_loupe.stepAside(pointer)) return;
    // Only the loupe shows a sample: the pick itself is read under the press.
    const QImage region = m_probe.regionAt(pointer, Magnifier::kRadius);
    if (ScreenProbe::centreOf(region))
        m_loupe.show(pointer, region);
    else
        m_loupe.hide();
}

void PointerPick::pickAt(QPoint pointer) {
    m_pixel = m_probe.pixelAt(pointer);
    m_reading = false;
    if (m_released) release();
}

void PointerPick::mousePressEvent(QMouseEvent* event) {
    // The pick is the pixel under the pointer as the button goes down; it ends on the release,
    // so that no other window gets a release without its press.
    m_pressed = event->button();
    if (m_pressed != Qt::LeftButton) return;
    m_ticks.stop();
    const QPoint pointer = m_probe.cursorPos();
    // Where the loupe stood over the pixels around the click, the window under it needs a
    // moment to paint itself again before it is read.
    m_reading = m_loupe.stepAside(pointer);
    if (m_reading)
        QTimer::singleShot(100, this, [this, pointer] { pickAt(pointer); });
    else
        pickAt(pointer);
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
    if (event->key() == Qt::Key_Escape) finish({PickResult::Cancelled, {}, {}});
}

void PointerPick::finish(PickResult result) {
    if (!m_done) return;
    m_ticks.stop();
    m_loupe.hide();
    hide();  // gives the pointer and the keyboard back
    std::exchange(m_done, {})(std::move(result));
}

}  // namespace swatchly
