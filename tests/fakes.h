#pragma once
// Stand-ins for the desktop services, for unit tests only: each records the calls it gets and
// answers at once.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "app/platform/services.h"
#include "app/runtime/runtime_error.h"

namespace swatchly {

struct FakeScreenProbe : ScreenProbe {
    std::int64_t active = 0;
    QPoint cursor;
    // The screen: every pixel `pixel` (its top byte as alpha; nothing: reads fail), or the
    // picture `screen` where one is set.
    std::optional<std::int32_t> pixel;
    QImage screen;
    int cursorCalls = 0;
    QList<QPoint> pixelReads;

    std::int64_t activeWindow() override { return active; }
    QPoint cursorPos() override { return ++cursorCalls, cursor; }
    QImage regionAt(QPoint pos, int radius) override {
        pixelReads << pos;
        const int side = 2 * radius + 1;
        if (!screen.isNull()) return screen.copy(pos.x() - radius, pos.y() - radius, side, side);
        if (!pixel) return {};
        QImage region(side, side, QImage::Format_ARGB32);
        const auto p = std::uint32_t(*pixel);
        region.fill(qRgba(p & 255, p >> 8 & 255, p >> 16 & 255, p >> 24));
        return region;
    }

    // A session without screen reads: picks go to `pick`, answered when the test calls it.
    bool screenReadable = true;
    std::function<void(PickResult)> pick;
    int pickCalls = 0;
    bool readsScreen() override { return screenReadable; }
    void pickColour(QWidget*, std::function<void(PickResult)> done) override {
        ++pickCalls;
        pick = std::move(done);
    }
};

// `fail` makes each service fail the way its platform can: a move that cannot start raises,
// an address that cannot be opened gives false.
struct FakeWindowManager : WindowManager {
    int moves = 0;
    QList<bool> stayOnTopCalls;
    bool fail = false;

    void startMove(QWidget*) override {
        ++moves;
        if (fail) throw RuntimeError::invalidCall();
    }
    void setStayOnTop(QWidget*, bool onTop) override { stayOnTopCalls << onTop; }
};

struct FakeShell : Shell {
    QStringList opened;
    bool fail = false;
    bool open(const QString& address) override { return opened << address, !fail; }
};

struct FakeMessageBox : MessageBox {
    struct Call {
        QString text;
        int style;
        QString title;
        bool operator==(const Call&) const = default;
    };
    QList<Call> calls;
    // Runs while the box would be open, before show() returns.
    std::function<void()> whileOpen;

    void show(QWidget*, const QString& text, int style, const QString& title) override {
        calls << Call{text, style, title};
        if (whileOpen) whileOpen();
    }
};

// Every service faked, with typed handles to each fake.
struct Fakes {
    std::shared_ptr<FakeScreenProbe> probe = std::make_shared<FakeScreenProbe>();
    std::shared_ptr<FakeWindowManager> windowManager = std::make_shared<FakeWindowManager>();
    std::shared_ptr<FakeShell> shell = std::make_shared<FakeShell>();
    std::shared_ptr<FakeMessageBox> messageBox = std::make_shared<FakeMessageBox>();

    Services services() const { return {probe, windowManager, shell, messageBox}; }
};

}  // namespace swatchly
