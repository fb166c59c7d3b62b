#pragma once
// Helpers the window tests share: the colour as a triple, typing without applying, a shown and
// active window, drags of the preview and what escapes to the unhandled-error hook.

#include <QApplication>
#include <QtTest>
#include <memory>

#include "app/form1.h"
#include "colour/swatches.h"

namespace swatchly {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline Rgb bars(const Form1& f) {
    return {f.RScroll->Value(), f.GScroll->Value(), f.BScroll->Value()};
}
inline int packed(Rgb c) { return rgb(c.r, c.g, c.b); }
inline void setBars(Form1& f, Rgb c) {
    f.SetBars(std::int16_t(c.r), std::int16_t(c.g), std::int16_t(c.b));
}

// Typed into a box and not applied: through Qt's own setter, as the keyboard writes.
inline void type(TextBox* box, const QString& text) { box->QLineEdit::setText(text); }

// Shows the window and makes it the active one, ready for keys and clicks.
[[nodiscard]] inline bool showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// A drag of one of our controls as the window system hands it to the boxes it passes.
struct Drag {
    std::unique_ptr<QMimeData> data = colourMimeData(0);

    template <typename Event>
    bool send(QWidget* w) {
        Event e(QPoint(3, 3), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
        return e.isAccepted();
    }
    bool enter(QWidget* w) { return send<QDragEnterEvent>(w); }
    bool move(QWidget* w) { return send<QDragMoveEvent>(w); }
    bool drop(QWidget* w) { return send<QDropEvent>(w); }
    void leave(QWidget* w) {
        QDragLeaveEvent e;
        QApplication::sendEvent(w, &e);
    }
    // Out of the preview, which captures the channel texts, and dropped on the target.
    bool previewOnto(Form1& form, QWidget* target) {
        enter(form.NewPrev);
        leave(form.NewPrev);
        enter(target);
        return drop(target);
    }
};

// Collects the errors that reach the unhandled-error hook while it lives.
struct Unhandled {
    QList<int> numbers;
    UnhandledErrorHook previous =
        setUnhandledErrorHook([this](int n, const QString&) { numbers << n; });
    ~Unhandled() { setUnhandledErrorHook(previous); }
};

}  // namespace swatchly

Q_DECLARE_METATYPE(swatchly::Rgb)

namespace QTest {
template <>
inline char* toString(const swatchly::Rgb& c) {
    return qstrdup(qPrintable(QString("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b)));
}
}  // namespace QTest
