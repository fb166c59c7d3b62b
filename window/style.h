#pragma once
// The look of the window on top of the desktop's style.

#include <QProxyStyle>

namespace swatchly {

// Qt's raster engine hands each blend of 96 spans or more to its thread pool, and two complex
// controls painted in one piece are such blends: a group box's frame, a picture stretched
// smoothly over its height, and a scroll bar's antialiased groove lines. So the window's first
// paint started two pooled threads. This style paints complex controls in bands, each under its
// own clip: the same pixels, all on the one user-interface thread (at 100 % scale; at 200 % the
// antialiased outlines of buttons reach the pool as well).
// It also mends the menu bar's bottom line, which Fusion draws per item from its first pixel to
// the middle of its last: scaled, a device pixel is missing where two items meet.
class SwatchlyStyle : public QProxyStyle {
    Q_OBJECT
  public:
    using QProxyStyle::QProxyStyle;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace swatchly
