#include "runtime/controls.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>
#include <exception>
#include <utility>

#include "runtime/rgb.h"
#include "runtime/runtime_error.h"

namespace swatchly {

namespace {
UnhandledErrorHook& unhandledHook() {
    static UnhandledErrorHook hook = [](int number, const QString& description) {
        qWarning("swatchly: unhandled error %d: %s", number, qPrintable(description));
    };
    return hook;
}
}  // namespace

UnhandledErrorHook setUnhandledErrorHook(UnhandledErrorHook hook) {
    std::swap(unhandledHook(), hook);
    return hook;
}

namespace {
const QString kControlDragFormat = QStringLiteral("application/x-swatchly-control-drag");
QByteArray thisProcess() { return QByteArray::number(QCoreApplication::applicationPid()); }
}  // namespace

void markControlDrag(QMimeData& data) { data.setData(kControlDragFormat, thisProcess()); }

bool isControlDrag(const QMimeData* data) {
    // A drag of another program offers its formats first; ask for ours only when it is there.
    return data && data->hasFormat(kControlDragFormat) &&
           data->data(kControlDragFormat) == thisProcess();
}

void fire(const Event& handler) {
    if (handler) handler();
}

void guard(const Event& handler) noexcept {
    try {
        fire(handler);
    } catch (const RuntimeError& e) {
        if (unhandledHook()) unhandledHook()(e.number, e.description);
    } catch (const std::exception& e) {
        if (unhandledHook()) unhandledHook()(-1, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        if (unhandledHook()) unhandledHook()(-1, QStringLiteral("unknown error"));
    }
}

// ---- ScrollBar

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (m_writing) return;
        guard(isSliderDown() ? Scroll : Change);
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { guard(Change); });
}

void ScrollBar::keyPressEvent(QKeyEvent* e) {
    // Qt inverts a scroll bar's controls so that Page Up and the wheel go towards the start,
    // and in Qt 6.4 that turns Left and Right around too; the thumb should move the way the
    // arrow key points, as on every other desktop.
    if (orientation() == Qt::Horizontal &&
        (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)) {
        const bool towardsMaximum = (e->key() == Qt::Key_Right) != isRightToLeft();
        triggerAction(towardsMaximum ? SliderSingleStepAdd : SliderSingleStepSub);
        e->accept();
        return;
    }
    QScrollBar::keyPressEvent(e);
}

void ScrollBar::setValue(int v) {
    if (v < minimum() || v > maximum()) throw RuntimeError::invalidPropertyValue();
    if (v == value()) return;
    m_writing = true;
    QScrollBar::setValue(v);
    m_writing = false;
    fire(Change);
}

// ---- TextBox

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_writing) guard(Change);
    });
}

void TextBox::setText(const QString& t) {
    if (t == text()) return;
    m_writing = true;
    QLineEdit::setText(t);
    m_writing = false;
    fire(Change);
}

void TextBox::setSelStart(int start) {
    setSelection(start, 0);
    setCursorPosition(start);
}

void TextBox::setSelLength(int length) {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    if (length <= 0)
        setCursorPosition(start);
    else
        setSelection(start, length);
}

void TextBox::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // A closing context menu hands the focus back to a box that, for the user, never lost it;
    // selecting everything then would make its Paste replace the whole text.
    if (e->reason() == Qt::PopupFocusReason) return;
    m_focusByMouse = GotFocus && e->reason() == Qt::MouseFocusReason;
    guard(GotFocus);
}

void TextBox::focusOutEvent(QFocusEvent* e) {
    m_focusByMouse = m_keepSelection = false;
    QLineEdit::focusOutEvent(e);
}

void TextBox::mousePressEvent(QMouseEvent* e) {
    m_keepSelection = std::exchange(m_focusByMouse, false) && e->button() == Qt::LeftButton;
    if (m_keepSelection) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void TextBox::mouseMoveEvent(QMouseEvent* e) {
    if (m_keepSelection) {
        e->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void TextBox::mouseReleaseEvent(QMouseEvent* e) {
    m_keepSelection = false;
    QLineEdit::mouseReleaseEvent(e);
}

// ---- PictureBox

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

QColor PictureBox::toQColor(std::int32_t packed) {
    // Only the low three bytes are a colour; what lies above them is not painted.
    const Channels c = unpack(packed & 0xFFFFFF);
    return QColor(c.red, c.green, c.blue);
}

void PictureBox::setBackColor(std::int32_t packed) {
    if (packed == m_backColor) return;
    m_backColor = packed;
    if (m_colourText) nameWithColour(m_colourName, m_colourText);
    update();
}

void PictureBox::nameWithColour(const QString& name, ColourText text) {
    m_colourName = name;
    m_colourText = text;
    setAccessibleName(name + QStringLiteral(", ") + text(unpack(m_backColor)));
}

namespace {
// A dotted black line on a white one: seen on any colour.
void drawFocusMark(QWidget* w) {
    QPainter p(w);
    const QRect r = w->rect().adjusted(0, 0, -1, -1);
    p.setPen(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 0, Qt::DotLine));
    p.drawRect(r);
}
}  // namespace

bool showsFocus(const QWidget* w) {
    return w->hasFocus() && w->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (e->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(e);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && DblClick)
        guard(DblClick);
    else if (key == kKeepKey && Keep)
        guard(Keep);
    else
        QWidget::keyPressEvent(e);
}

void PictureBox::line(QPoint from, QPoint to, std::int32_t packed) {
    if (m_surface.size() != size()) {
        QImage grown(size(), QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        if (!m_surface.isNull()) QPainter(&grown).drawImage(0, 0, m_surface);
        m_surface = grown;
    }
    QPainter p(&m_surface);
    p.setPen(QPen(toQColor(packed), 1));
    p.drawLine(from, to);
    update();
}

std::int32_t PictureBox::colourAt(QPoint at) const {
    if (!m_surface.rect().contains(at) || qAlpha(m_surface.pixel(at)) != 255) return m_backColor;
    const QRgb c = m_surface.pixel(at);
    return rgb(std::int16_t(qRed(c)), std::int16_t(qGreen(c)), std::int16_t(qBlue(c)));
}

void PictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull()) resize(m_picture.size());
    update();
}

void PictureBox::setAutoSize(bool on) {
    m_autoSize = on;
    if (on && !m_picture.isNull()) resize(m_picture.size());
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(m_backColor));
    if (!m_picture.isNull()) p.drawImage(0, 0, m_picture);
    if (!m_surface.isNull()) p.drawImage(0, 0, m_surface);
    p.end();
    if (showsFocus(this)) drawFocusMark(this);
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
    m_pressed = true;
    m_mousePos = e->position().toPoint();
    if (dragModeAutomatic && StartDrag && e->button() == Qt::LeftButton) {
        // The drag runs its own loop and swallows the release, so no Click follows it.
        m_pressed = false;
        guard([&] { StartDrag(e); });
        return;
    }
    QWidget::mousePressEvent(e);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = m_pressed && rect().contains(e->position().toPoint());
    m_pressed = false;
    if (click) guard(Click);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    // On a drag source the second press of a double click is a press like any other.
    if (dragModeAutomatic && StartDrag) {
        mousePressEvent(e);
        return;
    }
    m_pressed = true;
    m_mousePos = e->position().toPoint();
    guard(DblClick);
}

void PictureBox::dragEnterEvent(QDragEnterEvent* e) {
    if (!isControlDrag(e->mimeData())) {
        e->ignore();
        return;
    }
    // Accepting the enter keeps the moves coming, which DragOver needs even where no drop is
    // taken.
    m_dragInside = true;
    e->acceptProposedAction();
    guard(DragOver);
}

void PictureBox::dragMoveEvent(QDragMoveEvent* e) {
    if (!isControlDrag(e->mimeData())) {
        e->ignore();
        return;
    }
    guard(DragOver);
    if (DragDrop)
        e->acceptProposedAction();
    else
        e->ignore();
}

void PictureBox::dragLeaveEvent(QDragLeaveEvent*) {
    if (!m_dragInside) return;
    m_dragInside = false;
    guard(DragOver);
}

void PictureBox::dropEvent(QDropEvent* e) {
    m_dragInside = false;
    if (!DragDrop || !isControlDrag(e->mimeData())) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    guard(DragDrop);
}

// ---- Label

void Label::mousePressEvent(QMouseEvent* e) {
    e->accept();
    guard(MouseDown);
}

namespace {
// A link to assistive technology: its role, and the press that follows it.
class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(Label* label) : QAccessibleWidget(label, QAccessible::Link) {}
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<const Label*>(widget())->follow();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* linkAccessible(const QString&, QObject* object) {
    auto* label = qobject_cast<Label*>(object);
    return label && label->isLink() ? new LinkAccessible(label) : nullptr;
}
}  // namespace

void Label::makeLink(Event follow) {
    static const bool installed = (QAccessible::installFactory(linkAccessible), true);
    Q_UNUSED(installed);
    m_follow = std::move(follow);
    setFocusPolicy(Qt::StrongFocus);
}

void Label::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (isLink() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space))
        follow();
    else
        QLabel::keyPressEvent(e);
}

void Label::paintEvent(QPaintEvent* e) {
    if (!isLink()) return QLabel::paintEvent(e);
    // A label that takes the focus draws its text through a text document, whose glyphs fall a
    // device pixel differently at some scales: the link draws it as a plain label does.
    {
        QPainter p(this);
        style()->drawItemText(
            &p, contentsRect(),
            int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextForceLeftToRight,
            palette(), isEnabled(), text(), foregroundRole());
    }
    if (showsFocus(this)) drawFocusMark(this);
}

// ---- Timer

Timer::Timer(QObject* parent) : QObject(parent) {
    connect(&m_timer, &QTimer::timeout, this, [this] { guard(Tick); });
}

void Timer::setEnabled(bool on) {
    m_enabled = on;
    update();
}

void Timer::setInterval(int ms) {
    m_interval = ms < 0 ? 0 : ms;
    update();
}

void Timer::update() {
    if (m_enabled && m_interval > 0) {
        if (!m_timer.isActive() || m_timer.interval() != m_interval) m_timer.start(m_interval);
    } else {
        m_timer.stop();
    }
}

}  // namespace swatchly
