#pragma once
// The desktop services the window needs, one small interface each, so the handlers can be
// driven by fakes in tests and by Qt for real use.

#include <QImage>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "colour/forms.h"
#include "runtime/rgb.h"

class QWidget;

namespace swatchly {

class Store;

// What a pick gave.
struct PickResult {
    enum Kind { Picked, Cancelled, Unavailable } kind = Unavailable;
    Channels colour;  // for Picked
    QString why;      // for Unavailable: what is missing
};

class ScreenProbe {
  public:
    virtual ~ScreenProbe() = default;
    // False in a session that gives applications no screen pixels (Wayland); the colour then
    // comes from the desktop's own picker through pickColour().
    virtual bool readsScreen() { return true; }
    // Lets the user pick a colour with the desktop's picker; `done` runs once, later, from the
    // event loop.
    virtual void pickColour(QWidget* window, std::function<void(PickResult)> done) {
        (void)window;
        done({PickResult::Unavailable, {}, QStringLiteral("no colour picker")});
    }
    // An identity of this program's active window, 0 when none of ours is active.
    virtual std::int64_t activeWindow() = 0;
    // The pointer position in screen pixels.
    virtual QPoint cursorPos() = 0;
    // Moves the pointer by so many device pixels (screen pixels where the platform knows no
    // others).
    virtual void movePointer(QPoint by) = 0;
    // Takes the pointer and the keyboard for a window, so that every click and key comes to it;
    // false where they cannot be had: held by another program, or never given (a platform
    // without grabs), in which case `forGood` says that trying again is useless.
    virtual bool holdPointerAndKeyboard(QWidget* window, bool* forGood) = 0;
    // The screen pixels around a position from cursorPos(), in one read: a square 2 * radius + 1
    // device pixels a side whose centre is the pixel that position stands for, on the screen
    // under it; pixels off that screen are transparent. A null image when the platform gives no
    // pixels.
    virtual QImage regionAt(QPoint screenPos, int radius) = 0;
    // The packed colour (red in the low byte) of a region's centre pixel, nothing for no region.
    static std::optional<std::int32_t> centreOf(const QImage& region) {
        if (region.isNull()) return std::nullopt;
        const QRgb c = region.pixel(region.width() / 2, region.height() / 2);
        return rgb(std::int16_t(qRed(c)), std::int16_t(qGreen(c)), std::int16_t(qBlue(c)));
    }
    // The region around the pixel under the pointer's hotspot, as regionAt() gives it; where
    // the platform knows the pointer only in scaled, rounded logical pixels, the pixel that
    // cursorPos() stands for. `pointer`, where given, gets the position as cursorPos() gives it,
    // from the same reading.
    virtual QImage regionUnderPointer(int radius, QPoint* pointer = nullptr) {
        const QPoint at = cursorPos();
        if (pointer) *pointer = at;
        return regionAt(at, radius);
    }
};

class WindowManager {
  public:
    virtual ~WindowManager() = default;
    // An interactive move of the window that follows the mouse until the button is released.
    virtual void startMove(QWidget* window) = 0;
    // Always-on-top set or cleared, keeping position and size.
    virtual void setStayOnTop(QWidget* window, bool onTop) = 0;
    // False where the desktop gives a program no way to keep its window on top.
    virtual bool canStayOnTop() { return true; }
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens an address with the user's default handler; false when that could not be done.
    virtual bool open(const QString& address) = 0;
};

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    enum Style { OkOnly = 0, Information = 64 };
    // A modal box; returns when the user has closed it.
    virtual void show(QWidget* parent, const QString& text, int style, const QString& title) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // Puts the colour on the clipboard: as a colour for programs that take colours, and as its
    // text in a form for those that take text.
    virtual void copy(Channels colour, const QString& text) = 0;
    // The colour the clipboard offers: its colour, else its text read as a colour in `context`;
    // nothing, and in `why` what is wrong, where it offers neither.
    virtual std::optional<Channels> paste(QString* why, ReadContext context) = 0;
    // Whether what a program put on the clipboard can stay there after it ends.
    virtual bool outlivesPrograms() { return true; }
    // Puts the colour on the clipboard to stay there after this program has ended; false where
    // that could not be done.
    virtual bool copyToOutlive(Channels colour, const QString& text) {
        copy(colour, text);
        return outlivesPrograms();
    }
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // The user's choice of a file to write (`suggested` first) or to read (from `folder`), of
    // the kinds `filter` names as a file dialog does; empty when the user cancels.
    virtual QString fileToSave(QWidget* parent, const QString& title, const QString& suggested,
                               const QString& filter) = 0;
    virtual QString fileToOpen(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter) = 0;
};

// What screen readers are told without the focus moving: a colour under the loupe, a pick.
class Announcer {
  public:
    virtual ~Announcer() = default;
    virtual void announce(const QString& text) = 0;
};

struct Services {
    std::shared_ptr<ScreenProbe> probe;
    std::shared_ptr<WindowManager> windowManager;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<MessageBox> messageBox;
    std::shared_ptr<Store> store;  // what the user keeps between runs
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<FileChooser> files;
    std::shared_ptr<Announcer> announcer;
};

// Fills every service left empty with its Qt implementation.
Services withQtDefaults(Services services);

}  // namespace swatchly
