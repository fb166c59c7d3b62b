#include "platform/qt_services.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "platform/clipboard.h"
#ifdef SWATCHLY_HAVE_PORTAL
#include "platform/portal_picker.h"
#endif
#include "platform/store.h"
#include "platform/win32.h"
#include "platform/x11.h"

namespace swatchly {

Services withQtDefaults(Services s) {
    if (!s.probe) s.probe = std::make_shared<QtScreenProbe>();
    if (!s.windowManager) s.windowManager = std::make_shared<QtWindowManager>();
    if (!s.shell) s.shell = std::make_shared<QtShell>();
    if (!s.messageBox) s.messageBox = std::make_shared<QtMessageBox>();
    if (!s.store) s.store = std::make_shared<Store>();
    if (!s.clipboard) s.clipboard = std::make_shared<QtClipboard>();
    if (!s.files) s.files = std::make_shared<QtFileChooser>();
    if (!s.announcer) s.announcer = std::make_shared<AtspiAnnouncer>();
    return s;
}

// ---- screen probe

bool sessionReadsScreen(const QString& platformName, bool waylandSession,
                        const std::function<bool()>& portalOffersPick) {
    if (platformName.startsWith(QLatin1String("wayland"))) return false;
    if (platformName == QLatin1String("xcb") && waylandSession) return !portalOffersPick();
    return true;
}

#ifdef SWATCHLY_HAVE_PORTAL
QtScreenProbe::QtScreenProbe(std::optional<QDBusConnection> bus) : m_bus(std::move(bus)) {}
#else
QtScreenProbe::QtScreenProbe() = default;
#endif
QtScreenProbe::~QtScreenProbe() = default;

#ifdef SWATCHLY_HAVE_PORTAL
PortalColourPicker& QtScreenProbe::picker() {
    // The bus is first touched here, on a grab, never at start-up.
    if (!m_picker)
        m_picker =
            std::make_unique<PortalColourPicker>(m_bus ? *m_bus : QDBusConnection::sessionBus());
    return *m_picker;
}
#endif

bool QtScreenProbe::readsScreen() {
    if (!m_readsScreen) {
        const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
                             qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#ifdef SWATCHLY_HAVE_PORTAL
        const auto portalOffersPick = [this] { return picker().offersPick(); };
#else
        const auto portalOffersPick = [] { return false; };
#endif
        m_readsScreen =
            sessionReadsScreen(QGuiApplication::platformName(), wayland, portalOffersPick);
    }
    return *m_readsScreen;
}

void QtScreenProbe::pickColour(QWidget* window, std::function<void(PickResult)> done) {
#ifdef SWATCHLY_HAVE_PORTAL
    // The portal places its picker over our window when it knows it; Qt 6.4 can name only an
    // X11 window to it.
    QString parent;
    if (window && QGuiApplication::platformName() == QLatin1String("xcb"))
        parent = QStringLiteral("x11:%1").arg(window->winId(), 0, 16);
    picker().pick(parent, std::move(done));
#else
    ScreenProbe::pickColour(window, std::move(done));
#endif
}

std::int64_t QtScreenProbe::activeWindow() {
    // Qt learns of a click on another program's window late on Windows; the system knows now.
    if (win32::available()) return win32::foregroundWindow();
    QWidget* active = QApplication::activeWindow();
    return active ? static_cast<std::int64_t>(active->winId()) : 0;
}

QPoint QtScreenProbe::cursorPos() { return QCursor::pos(); }

bool QtScreenProbe::holdPointerAndKeyboard(QWidget* window, bool* forGood) {
    // Windows gives a capture only of clicks on our own windows: its input hooks take the rest.
    if (win32::available()) return *forGood = true, win32::holdInput(window);
    // Only an X server gives grabs; it may refuse one for a moment, while the desktop still holds
    // the keyboard for the shortcut that started us.
    *forGood = !x11::available();
    QWindow* w = window->windowHandle();
    return !*forGood && w && w->setKeyboardGrabEnabled(true) && w->setMouseGrabEnabled(true);
}

void QtScreenProbe::movePointer(QPoint by) {
    if (!x11::movePointer(by) && !win32::movePointer(by)) QCursor::setPos(QCursor::pos() + by);
}

std::optional<ScreenSpot> locateOnScreens(const QList<QRect>& geometries, QPoint pos) {
    for (qsizetype i = 0; i < geometries.size(); ++i)
        if (geometries[i].contains(pos)) return ScreenSpot{i, pos - geometries[i].topLeft()};
    for (qsizetype i = 0; i < geometries.size(); ++i) {
        const QRect& g = geometries[i];
        if (g.isEmpty() || !g.adjusted(0, 0, 1, 1).contains(pos)) continue;
        const QPoint last(std::min(pos.x(), g.right()), std::min(pos.y(), g.bottom()));
        return ScreenSpot{i, last - g.topLeft()};
    }
    return std::nullopt;
}

QImage QtScreenProbe::regionAt(QPoint pos, int radius) {
    // Runs ten times a second while grabbing: one lookup over the few screens, one small grab.
    const QList<QScreen*> screens = QGuiApplication::screens();
    QList<QRect> geometries;
    geometries.reserve(screens.size());
    for (const QScreen* screen : screens) geometries << screen->geometry();
    const std::optional<ScreenSpot> spot = locateOnScreens(geometries, pos);
    if (!spot) return {};
    QScreen* screen = screens[spot->screen];
    // grabWindow(0, ...) takes the screen's own logical coordinates, relative to the screen, and
    // reads the device pixels from r times the corner to r times the far edge, rounded, at a
    // device pixel ratio r. Qt reported the pointer at its device position divided by r and
    // rounded, so the device pixel nearest to r times that point is the one under the pointer
    // (within r/2). Enough logical pixels are read to hold the radius on every side, and no more
    // than the screen has: beyond it the X server gives no defined pixels.
    const qreal ratio = screen->devicePixelRatio();
    const int reach = int(std::ceil(radius / ratio)) + 1;
    const QRect wanted =
        QRect(spot->local - QPoint(reach, reach), spot->local + QPoint(reach, reach)) &
        QRect(QPoint(), geometries[spot->screen].size());
    const QPixmap grab =
        screen->grabWindow(0, wanted.x(), wanted.y(), wanted.width(), wanted.height());
    if (grab.isNull()) return {};  // as on a Wayland session
    const QImage image = grab.toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return {};
    const QPoint centre(qRound(spot->local.x() * ratio) - qRound(wanted.x() * ratio),
                        qRound(spot->local.y() * ratio) - qRound(wanted.y() * ratio));
    // Outside the image, copy() gives transparent pixels.
    QImage region =
        image.copy(centre.x() - radius, centre.y() - radius, 2 * radius + 1, 2 * radius + 1);
    region.setDevicePixelRatio(1);
    return region;
}

QImage QtScreenProbe::regionUnderPointer(int radius, QPoint* pointer) {
    // The X server, and Windows for a process aware of each monitor's scale, know the pointer
    // and the screen in device pixels: exact at any scale, on any screen.
    const bool windows = win32::available();
    const std::optional<QPoint> device = windows ? win32::pointer() : x11::pointer();
    if (!device) return windows ? QImage() : ScreenProbe::regionUnderPointer(radius, pointer);
    if (pointer) {
        QList<std::pair<QRect, qreal>> screens;
        for (const QScreen* s : QGuiApplication::screens())
            screens.append({s->geometry(), s->devicePixelRatio()});
        *pointer = logicalPosition(*device, screens).value_or(QCursor::pos());
    }
    return windows ? win32::region(*device, radius) : x11::region(*device, radius);
}

std::optional<QPoint> logicalPosition(QPoint device,
                                      const QList<std::pair<QRect, qreal>>& screens) {
    // As QCursor::pos() maps it, without asking the server again: a screen's logical corner is
    // its device corner, and from there the distance shrinks by the screen's ratio.
    for (const auto& [g, ratio] : screens)
        if (QRect(g.topLeft(), g.size() * ratio).contains(device))
            return g.topLeft() + (device - g.topLeft()) / ratio;
    return std::nullopt;
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
    else if (win32::available())
        win32::startMove(w);
    else
        w->startSystemMove();
}

bool QtWindowManager::canStayOnTop() {
    // The Wayland protocol has no such request, and Qt offers no capability to ask.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
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
    // Windows: asked of the system directly too, which keeps place and size and the activation.
    win32::setTopmost(w, onTop);
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
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);  // an address in it can be copied
    box.exec();
}

// ---- file chooser

QString QtFileChooser::fileToSave(QWidget* parent, const QString& title, const QString& suggested,
                                  const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

QString QtFileChooser::fileToOpen(QWidget* parent, const QString& title, const QString& folder,
                                  const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

}  // namespace swatchly
