#include "app/platform/qt_services.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "app/platform/x11.h"

namespace swatchly {

Services withQtDefaults(Services s) {
    if (!s.probe) s.probe = std::make_shared<QtScreenProbe>();
    if (!s.windowManager) s.windowManager = std::make_shared<QtWindowManager>();
    if (!s.shell) s.shell = std::make_shared<QtShell>();
    if (!s.messageBox) s.messageBox = std::make_shared<QtMessageBox>();
    return s;
}

// ---- screen probe

std::int64_t QtScreenProbe::activeWindow() {
    QWidget* active = QApplication::activeWindow();
    return active ? static_cast<std::int64_t>(active->winId()) : 0;
}

QPoint QtScreenProbe::cursorPos() { return QCursor::pos(); }

std::optional<std::int32_t> QtScreenProbe::pixelAt(QPoint pos) {
    QScreen* screen = QGuiApplication::screenAt(pos);
    if (!screen) return std::nullopt;
    const QPoint local = pos - screen->geometry().topLeft();
    const QImage image = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (image.isNull()) return std::nullopt;
    const QRgb c = image.pixel(0, 0);
    return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
}

// ---- window manager

void QtWindowManager::startMove(QWidget* window) {
    QWindow* w = window ? window->windowHandle() : nullptr;
    if (!w) return;
    // On X11 Qt's request always names the left button, so a move begun with another one never
    // ends on its release, and it goes out even when a quick click is already over; our own
    // request names the button still held and is not sent once none is.
    if (x11::available())
        x11::startMove(w);
    else
        w->startSystemMove();
}

void QtWindowManager::setStayOnTop(QWidget* window, bool onTop) {
    if (!window) return;
    QWindow* w = window->windowHandle();
    if (!w) {
        // Not yet on screen: the flag is simply part of how it will be shown.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    // QWidget::setWindowFlags would recreate the native window, hiding it and placing it anew;
    // QWindow::setFlags changes the state of the one that exists (on X11 the window manager's
    // _NET_WM_STATE_ABOVE; on Wayland nothing, as there is no such request). The widget's own
    // record is brought in step without touching the native window.
    Qt::WindowFlags flags = w->flags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    w->setFlags(flags);
    Qt::WindowFlags widgetFlags = window->windowFlags();
    widgetFlags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    window->overrideWindowFlags(widgetFlags);
}

// ---- shell

bool QtShell::open(const QString& address) { return QDesktopServices::openUrl(QUrl(address)); }

// ---- message box

void QtMessageBox::show(QWidget* parent, const QString& text, int style, const QString& title) {
    QMessageBox box(style == Information ? QMessageBox::Information : QMessageBox::NoIcon, title,
                    text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace swatchly
