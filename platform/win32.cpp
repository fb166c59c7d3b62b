#include "platform/win32.h"

#include <QList>
#include <algorithm>

#ifdef Q_OS_WIN
#include <ole2.h>
#include <windows.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#endif

namespace swatchly::win32 {

void clearOffMonitors(QImage& image, QPoint topLeft, const QList<QRect>& monitors) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPoint at = topLeft + QPoint(x, y);
            if (std::none_of(monitors.begin(), monitors.end(),
                             [&](const QRect& m) { return m.contains(at); }))
                image.setPixel(x, y, 0);
        }
}

#ifdef Q_OS_WIN

namespace {

HWND handleOf(QWindow* window) {
    return window ? reinterpret_cast<HWND>(window->winId()) : nullptr;
}

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<QList<QRect>*>(list)->append(
        QRect(QPoint(r->left, r->top), QPoint(r->right - 1, r->bottom - 1)));
    return TRUE;
}

}  // namespace

bool available() { return true; }

std::optional<QPoint> pointer() {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;  // a secure desktop in front, say
    return QPoint(p.x, p.y);
}

bool movePointer(QPoint by) {
    const std::optional<QPoint> at = pointer();
    return at && SetCursorPos(at->x() + by.x(), at->y() + by.y());
}

QList<QRect> monitors() {
    QList<QRect> list;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

QImage region(QPoint centre, int radius) {
    const int side = 2 * radius + 1;
    const QPoint topLeft = centre - QPoint(radius, radius);
    HDC screen = GetDC(nullptr);
    if (!screen) return {};
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    QImage image;
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        // Without CAPTUREBLT: layered windows, the loupe among them, are not read.
        if (BitBlt(memory, 0, 0, side, side, screen, topLeft.x(), topLeft.y(), SRCCOPY)) {
            GdiFlush();
            image =
                QImage(static_cast<const uchar*>(bits), side, side, side * 4, QImage::Format_RGB32)
                    .convertToFormat(QImage::Format_ARGB32);
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!image.isNull()) clearOffMonitors(image, topLeft, monitors());
    return image;
}

std::int64_t foregroundWindow() {
    HWND window = GetForegroundWindow();
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId())
        return 0;
    return reinterpret_cast<std::int64_t>(window);
}

void startMove(QWindow* window) {
    HWND handle = handleOf(window);
    if (!handle) return;
    // The press on the body, told to the window as one on its caption: the system moves it
    // until the button is up. Qt holds the mouse for the press; it must let it go first.
    ReleaseCapture();
    SendMessageW(handle, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void setTopmost(QWindow* window, bool onTop) {
    if (HWND handle = handleOf(window))
        SetWindowPos(handle, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool flushClipboard() { return SUCCEEDED(OleFlushClipboard()); }

namespace {

// The one window --pick holds input for; the hooks live while it is shown.
QPointer<QWidget> g_target;
HHOOK g_mouseHook = nullptr, g_keyHook = nullptr;

void release() {
    if (g_mouseHook) UnhookWindowsHookEx(g_mouseHook);
    if (g_keyHook) UnhookWindowsHookEx(g_keyHook);
    g_mouseHook = g_keyHook = nullptr;
    g_target = nullptr;
}

LRESULT CALLBACK mouse(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && g_target && g_target->isVisible()) {
        const auto* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        Qt::MouseButton button = Qt::NoButton;
        QEvent::Type type = QEvent::None;
        switch (message) {
            case WM_LBUTTONDOWN:
                button = Qt::LeftButton, type = QEvent::MouseButtonPress;
                break;
            case WM_LBUTTONUP:
                button = Qt::LeftButton, type = QEvent::MouseButtonRelease;
                break;
            case WM_RBUTTONDOWN:
                button = Qt::RightButton, type = QEvent::MouseButtonPress;
                break;
            case WM_RBUTTONUP:
                button = Qt::RightButton, type = QEvent::MouseButtonRelease;
                break;
            case WM_MBUTTONDOWN:
                button = Qt::MiddleButton, type = QEvent::MouseButtonPress;
                break;
            case WM_MBUTTONUP:
                button = Qt::MiddleButton, type = QEvent::MouseButtonRelease;
                break;
        }
        if (type != QEvent::None) {
            const QPointF global(m->pt.x, m->pt.y);
            QCoreApplication::postEvent(
                g_target, new QMouseEvent(type, QPointF(), global, button,
                                          type == QEvent::MouseButtonPress ? button : Qt::NoButton,
                                          Qt::NoModifier));
            return 1;  // no other window sees it
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK keyboard(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && g_target && g_target->isVisible() &&
        (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        static const std::pair<DWORD, Qt::Key> keys[] = {
            {VK_ESCAPE, Qt::Key_Escape}, {VK_LEFT, Qt::Key_Left}, {VK_RIGHT, Qt::Key_Right},
            {VK_UP, Qt::Key_Up},         {VK_DOWN, Qt::Key_Down}, {VK_RETURN, Qt::Key_Return},
            {VK_SPACE, Qt::Key_Space}};
        for (const auto& [vk, key] : keys)
            if (k->vkCode == vk) {
                const Qt::KeyboardModifiers shift =
                    GetAsyncKeyState(VK_SHIFT) < 0 ? Qt::ShiftModifier : Qt::NoModifier;
                QCoreApplication::postEvent(g_target, new QKeyEvent(QEvent::KeyPress, key, shift));
                return 1;
            }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// Lets the hooks go once the window they serve is hidden or gone.
class Releaser : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == g_target && event->type() == QEvent::Hide) release();
        return false;
    }
};

}  // namespace

bool holdInput(QWidget* target) {
    release();
    HINSTANCE self = GetModuleHandleW(nullptr);
    g_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouse, self, 0);
    g_keyHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboard, self, 0);
    if (!g_mouseHook || !g_keyHook) {
        release();
        return false;
    }
    g_target = target;
    target->installEventFilter(new Releaser(target));
    QObject::connect(target, &QObject::destroyed, [] { release(); });
    return true;
}

#else

bool available() { return false; }
std::optional<QPoint> pointer() { return std::nullopt; }
bool movePointer(QPoint) { return false; }
QImage region(QPoint, int) { return {}; }
QList<QRect> monitors() { return {}; }
std::int64_t foregroundWindow() { return 0; }
void startMove(QWindow*) {}
void setTopmost(QWindow*, bool) {}
bool holdInput(QWidget*) { return false; }
bool flushClipboard() { return false; }

#endif

}  // namespace swatchly::win32
