#pragma once
// Stand-ins for the desktop services, for unit tests only: each records the calls it gets and
// answers at once.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

#include "platform/services.h"
#include "platform/store.h"

namespace swatchly {

struct FakeScreenProbe : ScreenProbe {
    std::int64_t active = 0;
    QPoint cursor;
    // The screen: every pixel `pixel` (its top byte as alpha; nothing: reads fail), the
    // picture `screen` where one is set, or a 1-pixel black and white checkerboard, white where
    // x + y is odd, with `checker`.
    std::optional<std::int32_t> pixel;
    QImage screen;
    bool checker = false;
    QList<QPoint> reads;
    int reach = 0;         // the radius of the last read
    int pointerLooks = 0;  // calls of cursorPos(): one a tick, frozen or not
    // Where set, the screen cannot be read and the desktop's picker gives this colour.
    std::optional<Channels> desktopPick;
    std::int64_t activeWindow() override { return active; }
    QPoint cursorPos() override { return ++pointerLooks, cursor; }
    void movePointer(QPoint by) override { cursor += by; }
    bool holdPointerAndKeyboard(QWidget*, bool*) override { return true; }
    bool readsScreen() override { return !desktopPick; }
    void pickColour(QWidget*, std::function<void(PickResult)> done) override {
        done({PickResult::Picked, *desktopPick, {}});
    }
    QImage regionAt(QPoint at, int radius) override {
        reads << at;
        reach = radius;
        const int side = 2 * radius + 1;
        if (!screen.isNull()) return screen.copy(at.x() - radius, at.y() - radius, side, side);
        if (checker) {
            QImage region(side, side, QImage::Format_ARGB32);
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    region.setPixel(
                        x, y, (at.x() + at.y() + x + y + 2 * radius) & 1 ? 0xFFFFFFFF : 0xFF000000);
            return region;
        }
        if (!pixel) return {};
        QImage region(side, side, QImage::Format_ARGB32);
        const auto p = std::uint32_t(*pixel);
        region.fill(qRgba(p & 255, p >> 8 & 255, p >> 16 & 255, p >> 24));
        return region;
    }
};

struct FakeWindowManager : WindowManager {
    int moves = 0;
    QList<bool> stayOnTopCalls;
    void startMove(QWidget*) override { ++moves; }
    void setStayOnTop(QWidget*, bool onTop) override { stayOnTopCalls << onTop; }
};

struct FakeShell : Shell {
    QStringList opened;
    bool opens = true;  // false: no browser is set up
    bool open(const QString& address) override { return opened << address, opens; }
};

struct FakeMessageBox : MessageBox {
    struct Call {
        QString text, title;
        int style;
    };
    QList<Call> calls;
    std::function<void()> whileOpen;  // runs while the box is open, before show() returns
    void show(QWidget*, const QString& text, int style, const QString& title) override {
        calls << Call{text, title, style};
        if (whileOpen) whileOpen();
    }
};

struct FakeFileChooser : FileChooser {
    QString chosen;  // the file the user picks; empty: the user cancels
    QString fileToSave(QWidget*, const QString&, const QString&, const QString&) override {
        return chosen;
    }
    QString fileToOpen(QWidget*, const QString&, const QString&, const QString&) override {
        return chosen;
    }
};

struct FakeAnnouncer : Announcer {
    QStringList said;
    void announce(const QString& text) override { said << text; }
};

struct Fakes {
    std::shared_ptr<FakeScreenProbe> probe = std::make_shared<FakeScreenProbe>();
    std::shared_ptr<FakeWindowManager> windowManager = std::make_shared<FakeWindowManager>();
    std::shared_ptr<FakeShell> shell = std::make_shared<FakeShell>();
    std::shared_ptr<FakeMessageBox> messageBox = std::make_shared<FakeMessageBox>();
    // Not a fake: the real store, on a file of the test's own.
    std::shared_ptr<QTemporaryDir> home = std::make_shared<QTemporaryDir>();
    std::shared_ptr<Store> store = std::make_shared<Store>(home->filePath("swatchly.conf"));
    std::shared_ptr<FakeFileChooser> files = std::make_shared<FakeFileChooser>();
    std::shared_ptr<FakeAnnouncer> announcer = std::make_shared<FakeAnnouncer>();
    // The clipboard is Qt's own: the offscreen platform keeps it in the process.
    Services services() const {
        return {probe, windowManager, shell, messageBox, store, nullptr, files, announcer};
    }
};

}  // namespace swatchly
