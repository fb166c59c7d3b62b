#pragma once
// Thin control classes over Qt widgets that behave the way the window's handlers rely on:
// a program write of a scroll bar's value or a text raises Change synchronously, inside the
// write, and only on a real change; user actions raise the same events through Qt's signals.
// Events are plain callbacks; a callback reached from a user action runs under guard(), so
// no error ever crosses Qt's event loop.

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QObject>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "runtime/rgb.h"

namespace swatchly {

using Event = std::function<void()>;

// Runs a handler reached from the event loop; an error that escapes it is reported to the
// unhandled-error hook (by default a warning on standard error) and goes no further.
void guard(const Event& handler) noexcept;
void fire(const Event& handler);  // calls the handler if it is set
using UnhandledErrorHook = std::function<void(int number, const QString& description)>;
UnhandledErrorHook setUnhandledErrorHook(UnhandledErrorHook hook);

// Marks drag data as a drag of one of this process's own controls. Only such drags raise
// DragOver and DragDrop: a drag from another program, or another copy of this one, passes the
// boxes by.
void markControlDrag(QMimeData& data);
bool isControlDrag(const QMimeData* data);

// Twips to pixels at 96 dpi; Qt's high-DPI scaling does the rest.
constexpr int twips(int t) { return (t + 7) / 15; }

// Scroll bar with Change (arrow, trough, key, thumb release, program write) and Scroll (each
// thumb position while it is dragged).
class ScrollBar : public QScrollBar {
    Q_OBJECT
  public:
    explicit ScrollBar(QWidget* parent);
    std::int16_t Value() const { return static_cast<std::int16_t>(value()); }
    // Outside Min..Max throws an invalid property value and writes nothing; a new value raises Change
    // before the write returns, and an error in that handler passes to the caller.
    void setValue(int v);

    Event Change, Scroll;

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    bool m_writing = false;
};

// Single-line text box with Change on every change of text and GotFocus.
class TextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent);
    QString Text() const { return text(); }
    // Raises Change before returning when the text differs; an error in it passes to the caller.
    void setText(const QString& t);
    void setSelStart(int start);
    void setSelLength(int length);

    Event Change, GotFocus;

  protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    bool m_writing = false;
    // The left click that brings the focus leaves the selection GotFocus made: its press
    // would place the cursor and its moves would drag a new selection.
    bool m_focusByMouse = false, m_keepSelection = false;
};

// Picture box: a background colour, a drawing surface that keeps what line() drew across
// repaints, an optional picture, Click and DblClick, and drag-and-drop hooks.
class PictureBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
  public:
    explicit PictureBox(QWidget* parent);
    std::int32_t BackColor() const { return m_backColor; }
    void setBackColor(std::int32_t packed);
    // A straight line in the box's own pixel coordinates, kept until the box is destroyed.
    void line(QPoint from, QPoint to, std::int32_t packed);
    // The drawing surface (transparent where nothing was drawn).
    const QImage& surface() const { return m_surface; }
    // The packed colour shown at a point of the box: what was drawn there, else the background.
    std::int32_t colourAt(QPoint at) const;
    // Where the mouse last went down or double-clicked on the box.
    QPoint mousePos() const { return m_mousePos; }
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    // With AutoSize the box takes its picture's size.
    void setAutoSize(bool on);
    // Names the box for assistive technology as `name` and the colour it shows, written by
    // `text`, kept current.
    using ColourText = QString (*)(Channels);
    void nameWithColour(const QString& name, ColourText text);

    // Pressing the left mouse button on the box starts a drag of it.
    bool dragModeAutomatic = false;
    Event Click, DblClick;
    // Called with the pressing mouse event when dragModeAutomatic is set.
    std::function<void(QMouseEvent*)> StartDrag;
    // For control drags only (see markControlDrag): DragOver on enter, move and leave;
    // DragDrop when a drag is released over the box. A box without DragDrop refuses the drop.
    Event DragOver, DragDrop;
    // With the focus: Enter or Space raises DblClick; kKeepKey raises Keep.
    Event Keep;
    static constexpr Qt::Key kKeepKey = Qt::Key_Insert;

    static QColor toQColor(std::int32_t packed);

  protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void dragEnterEvent(QDragEnterEvent*) override;
    void dragMoveEvent(QDragMoveEvent*) override;
    void dragLeaveEvent(QDragLeaveEvent*) override;
    void dropEvent(QDropEvent*) override;

  private:
    std::int32_t m_backColor = 0;
    QImage m_surface, m_picture;
    bool m_autoSize = false;
    bool m_pressed = false;
    bool m_dragInside = false;
    QPoint m_mousePos;
    QString m_colourName;
    ColourText m_colourText = nullptr;
};

// Label whose mouse presses stop at it; MouseDown is raised for every button.
class Label : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    Event MouseDown;
    // Makes the label a link that takes the focus and follows on Enter or Space, as a press
    // does, and that assistive technology reports as a link. Before the label is first shown.
    void makeLink(Event follow);
    bool isLink() const { return bool(m_follow); }
    void follow() const { guard(m_follow); }

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    Event m_follow;
};

// Whether `w` has the focus and its window took the last change of focus from the keyboard:
// when Qt's styles show a focus mark.
bool showsFocus(const QWidget* w);

// Timer that ticks every Interval milliseconds while Enabled is true and Interval is not 0.
class Timer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)
  public:
    explicit Timer(QObject* parent);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on);
    int Interval() const { return m_interval; }
    void setInterval(int ms);
    // True while ticks are being delivered.
    bool isTicking() const { return m_timer.isActive(); }

    Event Tick;

  private:
    void update();
    QTimer m_timer;
    bool m_enabled = false;
    int m_interval = 0;
};

}  // namespace swatchly
