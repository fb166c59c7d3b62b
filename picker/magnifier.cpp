// The loupe shown while grabbing.

#include "picker/magnifier.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "colour/forms.h"
#include "platform/services.h"

namespace swatchly {

namespace {
constexpr int kBorder = 1;
constexpr int kView = (2 * Magnifier::kRadius + 1) * Magnifier::kZoom;
constexpr int kSide = kView + 2 * kBorder;
// From the pointer to the loupe, on both axes, beyond the pixels read around the pointer, which
// reach the zoom's radius in device pixels and so at most that in logical ones.
int gapAt(int reach) { return reach + 11; }
// How far the loupe may stand from its place before it follows the pointer.
constexpr int kSlack = 32;

QRect readAround(QPoint pointer, int radius) {
    const QPoint reach(radius, radius);
    return QRect(pointer - reach, pointer + reach);
}
}  // namespace

int Magnifier::radiusAt(int zoom) {
    const int shown = kView / std::clamp(zoom, kMinZoom, kMaxZoom);
    return (shown % 2 ? shown : shown - 1) / 2;
}

Magnifier::Magnifier()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput) {
    setWindowTitle(QStringLiteral("Swatchly magnifier"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    m_hex = new QLabel(this);
    m_hex->setAlignment(Qt::AlignCenter);
    // Two lines: the colour taken, and under it the size of the square it averages.
    m_hex->setGeometry(0, kSide, kSide, 2 * m_hex->fontMetrics().height() + 4);
    setFixedSize(kSide, kSide + m_hex->height());
}

void Magnifier::show(QPoint pointerGlobal, const QImage& region, int average, std::int32_t taken) {
    // The reach of the read, which the loupe keeps clear of, takes in the square taken.
    const bool otherSquare = std::exchange(m_average, average) != average;
    // Each move costs a round of configure and expose events with the desktop, for us and for
    // the windows the loupe uncovers: it stays while it is still clear of the pixels read around
    // the pointer and near its place beside it, and follows in steps.
    const QPoint place = placeFor(pointerGlobal);
    const QPoint drift = pos() - place;
    if (!isVisible() || std::max(std::abs(drift.x()), std::abs(drift.y())) > kSlack ||
        geometry().intersects(readAround(pointerGlobal, reach())))
        move(place);
    // At rest a tick costs the read alone: nothing is drawn again. Only the middle of a larger
    // read is shown: the loupe keeps its size.
    const int radius = radiusAt(m_zoom), extra = region.width() / 2 - radius;
    const QImage shown =
        extra > 0 ? region.copy(extra, extra, 2 * radius + 1, 2 * radius + 1) : region;
    if (shown != m_region || otherSquare || m_zoom != m_shownZoom) {
        m_region = shown;
        m_shownZoom = m_zoom;
        const QString hex = htmlHex(unpack(taken));
        m_hex->setText(average > 1 ? QStringLiteral("%1\n%2 x %2").arg(hex).arg(average) : hex);
        update();
    }
    if (!isVisible()) {
        QWidget::show();
        // Qt's X11 plugin gives a tooltip window its input back each time it maps one, so that
        // clicks would stop on the loupe: taken away again here.
        windowHandle()->setFlag(Qt::WindowTransparentForInput, false);
        windowHandle()->setFlag(Qt::WindowTransparentForInput, true);
    }
}

bool Magnifier::stepAside(QPoint pointerGlobal) {
    if (!isVisible() || !geometry().intersects(readAround(pointerGlobal, reach()))) return false;
    move(placeFor(pointerGlobal));
    return true;
}

QPoint Magnifier::placeFor(QPoint pointer) const {
    const QScreen* s = QGuiApplication::screenAt(pointer);
    const QRect area = (s ? s : screen())->geometry();
    // Down and right of the pointer; up or left of it where the screen ends.
    const int gap = gapAt(reach());
    QPoint at = pointer + QPoint(gap, gap);
    if (at.x() + width() > area.x() + area.width()) at.rx() = pointer.x() - gap - width();
    if (at.y() + height() > area.y() + area.height()) at.ry() = pointer.y() - gap - height();
    return at;
}

void Magnifier::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(0, 0, kSide, kSide, palette().windowText());
    // Each pixel a zoom x zoom block (no smoothing: the painter's default), centred, what lies
    // off the screen grey.
    const int zoom = m_shownZoom, radius = m_region.width() / 2;
    const int drawn = m_region.width() * zoom, margin = kBorder + (kView - drawn) / 2;
    p.fillRect(kBorder, kBorder, kView, kView, Qt::darkGray);
    const QRect zoomed(margin, margin, drawn, drawn);
    // Premultiplied, the enlargement takes the painter's fast path.
    p.drawImage(zoomed, m_region.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    // The square taken, framed by a black and a white ring, seen on any colour.
    p.setClipRect(kBorder, kBorder, kView, kView);
    const int reach = m_average / 2, side = m_average;
    const QRect taken(zoomed.topLeft() + QPoint(radius - reach, radius - reach) * zoom,
                      QSize(side, side) * zoom);
    const QRect source(m_region.width() / 2 - reach, m_region.height() / 2 - reach, side, side);
    p.fillRect(taken.adjusted(-2, -2, 2, 2), Qt::black);
    p.fillRect(taken.adjusted(-1, -1, 1, 1), Qt::white);
    p.drawImage(taken, m_region, source);
}

}  // namespace swatchly
