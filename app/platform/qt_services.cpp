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
    if (QWindow* w = window ? window->windowHandle() : nullptr) w->startSystemMove();
}

void QtWindowManager::setStayOnTop(QWidget* window, bool onTop) {
    QWindow* w = window ? window->windowHandle() : nullptr;
    if (!w) return;
    // On the existing native window: QWidget::setWindowFlags would recreate and hide it.
    w->setFlags(onTop ? w->flags() | Qt::WindowStaysOnTopHint : w->flags() & ~Qt::WindowStaysOnTopHint);
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
