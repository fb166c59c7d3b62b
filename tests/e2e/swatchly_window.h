#pragma once
// The real Swatchly program on an XSession, seen as its user meets it: its framed window,
// points of its client area (296 x 255 logical pixels under the menu bar, at any scale) in
// root pixels, clicks on them, the colour its preview shows and its menus.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>

#include "xsession.h"

// A control's place in client pixels from its place in twips (15 to a pixel), as the window
// lays it out.
constexpr QRect fromTwips(int left, int top, int width, int height) {
    auto px = [](int twips) { return (twips + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

// The solid rectangle of the colour at `inside`, grown from that point along its row and its
// column until the colour changes (image coordinates).
QRect solidBlock(const QImage& image, QPoint inside);

class SwatchlyWindow {
public:
    static constexpr int kClientWidth = 296, kClientHeight = 255;
    static constexpr QRect kPreview = fromTwips(2760, 285, 1455, 1305);  // NewPrev

    // scale: the QT_SCALE_FACTOR to start the program with.
    explicit SwatchlyWindow(XSession& x, int scale = 1) : m_x(x), m_scale(scale) {}
    ~SwatchlyWindow() { stop(); }
    SwatchlyWindow(const SwatchlyWindow&) = delete;
    SwatchlyWindow& operator=(const SwatchlyWindow&) = delete;

    // Starts the program and waits until the window manager has framed its window; false if
    // that does not happen within ten seconds.
    bool launch(const QProcessEnvironment& extra = {});
    // Ends the program if it still runs.
    void stop();

    QProcess* process() const { return m_process; }
    qulonglong id() const { return m_id; }

    // The window without the window manager's frame, and with it, in root pixels.
    QRect geometry();
    QRect frameGeometry();
    // The root pixel where a point of the client area (in logical pixels) is shown.
    QPoint at(QPoint client);
    void click(QPoint client, int button = 1);
    // The colour in the middle of the preview.
    QColor preview();

    // Opens a menu of the menu bar with the mouse and picks its item (counted from 0) with the
    // keyboard; false if the menu did not open.
    enum Menu { File, Options };
    bool pickMenuItem(Menu menu, int item);

private:
    int visibleWindows();

    XSession& m_x;
    int m_scale;
    QProcess* m_process = nullptr;
    qulonglong m_id = 0;
};
