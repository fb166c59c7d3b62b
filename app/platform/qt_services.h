#pragma once
// The Qt implementations of the desktop services.

#include "app/platform/services.h"

namespace swatchly {

class QtScreenProbe : public ScreenProbe {
public:
    std::int64_t activeWindow() override;
    QPoint cursorPos() override;
    std::optional<std::int32_t> pixelAt(QPoint screenPos) override;
};

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
