#include "window/style.h"

#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>

namespace swatchly {

void SwatchlyStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if ((element != CE_MenuBarItem && element != CE_MenuBarEmptyArea) ||
        baseStyle()->name() != QLatin1String("fusion"))
        return;
    // Fusion's own line, drawn on into the next item's first pixel.
    const QColor window = option->palette.window().color();
    const QColor a = window.darker(120), b = window.darker(140).lighter(140);
    auto merged = [](int a, int b) { return a * 60 / 100 + b * 40 / 100; };
    const QColor shadow(merged(a.red(), b.red()), merged(a.green(), b.green()),
                        merged(a.blue(), b.blue()));
    painter->save();
    painter->setPen(QPen(shadow));
    painter->drawLine(option->rect.bottomLeft(), option->rect.bottomRight() + QPoint(1, 0));
    painter->restore();
}

void SwatchlyStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const {
    // Bands of 16 rows: where children cut a group box's clip, a row of its frame makes a few
    // spans, and a band stays well under 96 of them. A scroll bar fits in one band. The first
    // and last band reach out without limit, so nothing drawn beyond the rectangle is cut.
    constexpr int kRows = 16, kFar = 1 << 20;
    const QRect r = option->rect;
    // A band wholly outside what is being repainted would draw nothing: skipped. Grab mode
    // repaints the boxes inside the frames ten times a second.
    QRect painted(QPoint(-kFar, -kFar), QPoint(kFar, kFar));
    if (const QPaintEngine* e = painter->paintEngine(); e && !e->systemClip().isEmpty())
        painted = painter->deviceTransform().inverted().mapRect(e->systemClip().boundingRect());
    for (int top = r.top(); top <= r.bottom(); top += kRows) {
        const int from = top == r.top() ? -kFar : top;
        const int to = top + kRows > r.bottom() ? kFar : top + kRows - 1;
        if (to < painted.top() - 1 || from > painted.bottom() + 1) continue;
        painter->save();
        painter->setClipRect(QRect(QPoint(-kFar, from), QPoint(kFar, to)), Qt::IntersectClip);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        painter->restore();
    }
    // Fusion marks no scroll bar that has the focus; the keyboard user needs to see which.
    const State keyboardFocus = State_HasFocus | State_KeyboardFocusChange;
    if (control == CC_ScrollBar && (option->state & keyboardFocus) == keyboardFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

}  // namespace swatchly
