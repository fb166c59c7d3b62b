#include "swatchly_window.h"

#include <QDeadlineTimer>
#include <QThread>
#include <functional>

namespace {
bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
    return true;
}
QStringList xy(QPoint p) { return {QString::number(p.x()), QString::number(p.y())}; }
}  // namespace

QRect solidBlock(const QImage& image, QPoint inside) {
    const QColor colour = image.pixelColor(inside);
    auto same = [&](int x, int y) {
        return image.rect().contains(x, y) && image.pixelColor(x, y) == colour;
    };
    int left = inside.x(), right = inside.x(), top = inside.y(), bottom = inside.y();
    while (same(left - 1, inside.y())) --left;
    while (same(right + 1, inside.y())) ++right;
    while (same(inside.x(), top - 1)) --top;
    while (same(inside.x(), bottom + 1)) ++bottom;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool SwatchlyWindow::launch(const QProcessEnvironment& extra) {
    QProcessEnvironment env = extra;
    if (m_scale != 1) env.insert("QT_SCALE_FACTOR", QString::number(m_scale));
    m_process = m_x.launch(SWATCHLY_BIN, {}, env);
    m_id = m_x.waitForWindow("^Swatchly$");
    return m_id &&
           waitUntil([&] { return m_x.xprop(m_id, "_NET_FRAME_EXTENTS").contains('='); }, 10000);
}

void SwatchlyWindow::stop() {
    if (!m_process || m_process->state() == QProcess::NotRunning) return;
    m_process->terminate();
    m_process->waitForFinished(5000);
}

QRect SwatchlyWindow::geometry() { return m_x.geometry(m_id); }

QRect SwatchlyWindow::frameGeometry() {
    // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
    const QStringList e = m_x.xprop(m_id, "_NET_FRAME_EXTENTS").section('=', 1).split(',');
    if (e.size() != 4) return geometry();
    return geometry().adjusted(-e[0].trimmed().toInt(), -e[2].trimmed().toInt(),
                               e[1].trimmed().toInt(), e[3].trimmed().toInt());
}

QPoint SwatchlyWindow::at(QPoint client) {
    const QRect g = geometry();
    // The client area is the bottom of the window; the menu bar is above it.
    return QPoint(g.left(), g.bottom() + 1 - kClientHeight * m_scale) + client * m_scale;
}

void SwatchlyWindow::click(QPoint client, int button) {
    m_x.xdotool(QStringList{"mousemove"} + xy(at(client)) +
                QStringList{"click", QString::number(button)});
}

QColor SwatchlyWindow::preview() { return m_x.pixel(at(kPreview.center())); }

int SwatchlyWindow::visibleWindows() {
    // The program's popup menus are windows of its class too.
    return m_x.run("xdotool", {"search", "--onlyvisible", "--class", "swatchly"})
        .split('\n', Qt::SkipEmptyParts)
        .size();
}

bool SwatchlyWindow::pickMenuItem(Menu menu, int item) {
    const QRect g = geometry();
    const int titleX = (menu == File ? 20 : 65) * m_scale;
    const QPoint title = g.topLeft() + QPoint(titleX, (g.height() - kClientHeight * m_scale) / 2);
    const int before = visibleWindows();
    m_x.xdotool(QStringList{"mousemove"} + xy(title) + QStringList{"click", "1"});
    if (!waitUntil([&] { return visibleWindows() > before; }, 5000)) return false;
    QStringList keys{"key"};
    for (int i = 0; i <= item; ++i) keys << "Down";
    m_x.xdotool(keys << "Return");
    return true;
}
