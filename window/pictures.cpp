#include "window/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace swatchly {

namespace {

void paintIcon(QPainter& p, const QRectF& box) {
    // The icon's own proportions are 24 x 21; centre that shape in the box.
    const double side = std::min(box.width(), box.height() * 24.0 / 21.0);
    const QRectF r(box.center().x() - side / 2, box.center().y() - side * 21.0 / 48.0, side,
                   side * 21.0 / 24.0);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x26, 0x2b));
    p.drawRoundedRect(r, side * 0.08, side * 0.08);
    static const QColor patches[9] = {
        {0x2e, 0xb8, 0x3c}, {0xe0, 0x26, 0x26}, {0x25, 0x5c, 0xe6},  //
        {0xf2, 0x8c, 0xc8}, {0xf5, 0xd0, 0x20}, {0xff, 0xff, 0xff},  //
        {0x8c, 0x55, 0x2a}, {0xf5, 0xd0, 0x20}, {0x8e, 0x3c, 0xc8}};
    const double margin = side * 0.09, gap = side * 0.05;
    const double cw = (r.width() - 2 * margin - 2 * gap) / 3;
    const double ch = (r.height() - 2 * margin - 2 * gap) / 3;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(patches[row * 3 + col]);
            p.drawRect(QRectF(r.left() + margin + col * (cw + gap),
                              r.top() + margin + row * (ch + gap), cw, ch));
        }
}

// Paints on demand, so no pixmap is made before the platform asks for one.
class IconEngine : public QIconEngine {
  public:
    void paint(QPainter* p, const QRect& rect, QIcon::Mode, QIcon::State) override {
        paintIcon(*p, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(), size), mode, state);
        return pm;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}};
    }
    QIconEngine* clone() const override { return new IconEngine; }
    QString key() const override { return QStringLiteral("swatchly"); }
};

}  // namespace

QIcon appIcon() { return QIcon(new IconEngine); }

QImage renderAppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintIcon(p, QRectF(0, 0, side, side));
    return image;
}

QImage shapeMask() {
    constexpr int w = 354, h = 272, radius = 5;
    // One bit a pixel: 12 KB where 32 bits would take 376 KB, for a picture never shown.
    QImage mask(w, h, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    const uint white = 1;
    // Corners rounded off: white outside a quarter circle of the given radius.
    for (int y = 0; y < radius; ++y)
        for (int x = 0; x < radius; ++x) {
            const double dx = radius - x - 0.5, dy = radius - y - 0.5;
            if (dx * dx + dy * dy <= radius * radius) continue;
            mask.setPixel(x, y, white);
            mask.setPixel(w - 1 - x, y, white);
            mask.setPixel(x, h - 1 - y, white);
            mask.setPixel(w - 1 - x, h - 1 - y, white);
        }
    for (int left : {6, 19, 32})
        for (int y = 5; y <= 12; ++y)
            for (int x = left; x < left + 7; ++x) mask.setPixel(x, y, white);
    return mask;
}

}  // namespace swatchly
