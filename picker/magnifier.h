#pragma once
// The loupe shown while grabbing: the screen pixels around the pointer enlarged, the centre one
// framed, and that pixel's HTML hex text below. A window of its own beside the pointer that
// never becomes active, never takes the focus and lets every click through, so that grabbing
// and picking work exactly as without it.

#include <QImage>
#include <QPoint>
#include <QWidget>

class QLabel;

namespace swatchly {

class Magnifier : public QWidget {
  public:
    static constexpr int kRadius = 5;  // 11 x 11 pixels at the first zoom
    static constexpr int kZoom = 8;    // each drawn 8 x 8 at first
    static constexpr int kMinZoom = 2, kMaxZoom = 16;
    // The pixels shown each side of the centre at `zoom` device pixels a square, the loupe
    // keeping its size: 5 at 8, 21 at 2, 2 at 16.
    static int radiusAt(int zoom);

    Magnifier();
    // Shows `region` beside the pointer at `pointerGlobal`: a square of 2 * kRadius + 1 screen
    // pixels centred on the one under the pointer, as ScreenProbe::regionAt reads it, with the
    // `average` x `average` square taken framed, and `taken` (packed) as its text.
    void show(QPoint pointerGlobal, const QImage& region, int average, std::int32_t taken);
    // Each pixel drawn zoom x zoom, kMinZoom to kMaxZoom; the next show() draws it.
    void setZoom(int zoom) { m_zoom = zoom; }
    // Whether a read of the screen around `pointerGlobal` would take in the loupe, which stands
    // where the pointer was. Then the loupe moves beside the pointer and the read has to wait
    // for the next tick, once the window it uncovered has painted itself again.
    bool stepAside(QPoint pointerGlobal);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QPoint placeFor(QPoint pointer) const;
    // How far round the pointer the screen is read: the pixels shown, or the square taken.
    int reach() const { return std::max(radiusAt(m_zoom), m_average / 2); }

    QImage m_region;
    int m_average = 1;
    int m_zoom = kZoom, m_shownZoom = kZoom;
    QLabel* m_hex;
};

}  // namespace swatchly
