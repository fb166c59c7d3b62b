// Every caption the window shows fits the part of it that is on screen, in the fonts this
// desktop has. Text is measured in device-independent pixels, so this holds at any scale.

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

#include "app/form1.h"

using namespace swatchly;

class TestCaptions : public QObject {
    Q_OBJECT
private slots:
    void everyVisibleCaptionShowsWhole() {
        Form1 form;
        form.show();
        const QWidget* client = form.centralWidget();
        for (QWidget* w : client->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(w);
            const auto* button = qobject_cast<QAbstractButton*>(w);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (text.isEmpty() || !w->isVisibleTo(&form)) continue;
            // Its own rectangle, cut by every parent's up to the window's client area.
            QRect visible(w->mapTo(client, QPoint()), w->size());
            for (const QWidget* p = w->parentWidget(); p != &form; p = p->parentWidget())
                visible &= QRect(p->mapTo(client, QPoint()), p->size());
            const qreal needed = QFontMetricsF(w->font()).horizontalAdvance(text);
            const QString why = QString("%1 \"%2\": %3 > %4 px")
                                    .arg(w->objectName(), text)
                                    .arg(needed)
                                    .arg(visible.width());
            QVERIFY2(needed <= visible.width(), qPrintable(why));
        }
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
