#pragma once
// The colour that the pattern program paints at each device pixel of the desktop, different for
// every one: red = x mod 256, green = y mod 256, blue = a tag of x div 256, y div 256 and the
// screen. x and y are device pixels of the root window.

#include <QColor>
#include <QPoint>

inline QRgb patternAt(QPoint device, int screen) {
    return qRgb(device.x() % 256, device.y() % 256,
                128 * screen + 16 * (device.x() / 256) + device.y() / 256);
}
