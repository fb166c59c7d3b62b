#pragma once
// The Qt implementations of the desktop services.

#include <QList>
#include <QRect>

#include "app/platform/services.h"

namespace swatchly {

class QtScreenProbe : public ScreenProbe {
public:
    std::int64_t activeWindow() override;
    QPoint cursorPos() override;
    std::optional<std::int32_t> pixelAt(QPoint screenPos) override;
};

// Where a global position lies on a desktop of several screens: the index of the screen
// (in the order of the geometries given) and the position relative to its top-left corner.
struct ScreenSpot {
    qsizetype screen;
    QPoint local;
};
// Screens left of or above the primary have negative origins. A position just past a screen's
// right or bottom edge, where rounding a scaled pointer position can put it, counts as that
// screen's last pixel. Nothing when the position is on no screen.
std::optional<ScreenSpot> locateOnScreens(const QList<QRect>& geometries, QPoint pos);

class QtWindowManager : public WindowManager {
public:
    void startMove(QWidget* window) override;
    void setStayOnTop(QWidget* window, bool onTop) override;
};

class QtShell : public Shell {
public:
    bool open(const QString& address) override;
};

class QtMessageBox : public MessageBox {
public:
    void show(QWidget* parent, const QString& text, int style, const QString& title) override;
};

}  // namespace swatchly
