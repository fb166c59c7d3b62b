// Swatch slots and colour drag-and-drop: the preview as drag source, the capture of the channel
// texts, the drop contract on every target, and what the drag offers other programs.

#include <QDrag>
#include <QRegularExpression>
#include <QtTest>

#include "support.h"

using namespace swatchly;

namespace {

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), button, button, {});
    QApplication::sendEvent(w, &e);
}
void doubleClick(QWidget* w) { mouse(w, QEvent::MouseButtonDblClick); }

// Everything a drop could touch, to compare before and after.
struct Snapshot {
    QList<int> bars, colours;
    QStringList texts;
    QList<Variant> fields;
    QImage strip;

    explicit Snapshot(Form1& form) {
        for (ScrollBar* bar : form.findChildren<ScrollBar*>()) bars << bar->Value();
        for (PictureBox* box : form.findChildren<PictureBox*>()) colours << box->BackColor();
        for (TextBox* box : form.findChildren<TextBox*>()) texts << box->Text();
        fields = {form.DragR,     form.DragG,      form.DragB,      form.GradLeftR, form.GradLeftG,
                  form.GradLeftB, form.GradRightR, form.GradRightG, form.GradRightB};
        strip = form.Gradient->grab().toImage();
    }
    bool operator==(const Snapshot&) const = default;
};

}  // namespace

class TestSwatches : public QObject {
    Q_OBJECT
    std::unique_ptr<Unhandled> unhandled;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { unhandled = std::make_unique<Unhandled>(); }
    void cleanup() {
        QCOMPARE(unhandled->numbers, QList<int>());
        unhandled.reset();
    }

    // The seven slots are one family: each keeps and gives back only its own colour.
    void slotStoresAndGivesBack_data() {
        QTest::addColumn<QString>("name");
        for (int n = 1; n <= 7; ++n) QTest::addRow("SaveC%d", n) << QString("SaveC%1").arg(n);
    }
    void slotStoresAndGivesBack() {
        QFETCH(QString, name);
        Form1 form;
        auto* slot = form.findChild<PictureBox*>(name);
        QCOMPARE(slot->toolTip(), QString("Doubleclick to set as current color"));
        setBars(form, {12, 34, 56});
        Drag drag;
        QVERIFY(drag.previewOnto(form, slot));
        for (PictureBox* other : form.findChildren<PictureBox*>(QRegularExpression("^SaveC")))
            QCOMPARE(other->BackColor(), other == slot ? 3678732 : 0);
        QCOMPARE(form.Text1->Text(), QString("#0C2238"));  // the current colour stays

        setBars(form, {200, 0, 99});
        doubleClick(slot);
        QCOMPARE(bars(form), (Rgb{12, 34, 56}));
        QCOMPARE(form.NewPrev->BackColor(), 3678732);
        QCOMPARE(form.Text1->Text(), QString("#0C2238"));
        QCOMPARE(slot->BackColor(), 3678732);
        // With the slot's colour current nothing repaints: a typed text stays.
        type(form.Rtxt, "77");
        doubleClick(slot);
        QCOMPARE(form.Rtxt->Text(), QString("77"));

        // A second drop replaces the colour; a slot never dropped on gives black.
        setBars(form, {40, 50, 60});
        drag.previewOnto(form, slot);
        QCOMPARE(slot->BackColor(), rgb(40, 50, 60));
        doubleClick(slot == form.SaveC1 ? form.SaveC2 : form.SaveC1);
        QCOMPARE(bars(form), (Rgb{0, 0, 0}));
        QCOMPARE(form.Text1->Text(), QString("#000000"));
    }

    // The drop converts the texts as typed, whether or not they were applied.
    void typedTextGoesIntoTheDrop_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("red");
        QTest::newRow("300 counts as 255") << "300" << 255;
        QTest::newRow("12.5 to even") << "12.5" << 12;
        QTest::newRow("13.5 to even") << "13.5" << 14;
        QTest::newRow("hexadecimal") << "&HFF" << 255;
        QTest::newRow("top of the range") << "32767" << 255;
    }
    void typedTextGoesIntoTheDrop() {
        QFETCH(QString, typed);
        QFETCH(int, red);
        Form1 form;
        setBars(form, {5, 6, 7});
        type(form.Rtxt, typed);
        QVERIFY(Drag().previewOnto(form, form.SaveC4));
        QCOMPARE(form.SaveC4->BackColor(), rgb(red, 6, 7));
        QCOMPARE(bars(form), (Rgb{5, 6, 7}));
        QCOMPARE(form.Rtxt->Text(), typed);
    }

    void captureTakesTheTextsAsTheyStand() {
        Form1 form;
        Drag drag;
        // The capture runs on the enter, on each move and on the leave, the last one counting.
        type(form.Rtxt, " 7x ");
        QVERIFY(drag.enter(form.NewPrev));
        QCOMPARE(form.DragR, Variant(" 7x "));  // not trimmed, not checked
        type(form.Gtxt, "20");
        drag.move(form.NewPrev);
        QCOMPARE(form.DragG, Variant("20"));
        type(form.Rtxt, "40");
        type(form.Btxt, "30");
        drag.leave(form.NewPrev);
        QCOMPARE(form.DragB, Variant("30"));
        // The capture outlives the drag: drops without a pass over the preview use it.
        type(form.Rtxt, "99");
        for (PictureBox* slot : {form.SaveC5, form.SaveC6}) {
            drag.enter(slot);
            QVERIFY(drag.drop(slot));
            QCOMPARE(slot->BackColor(), rgb(40, 20, 30));
        }
    }

    // A drop whose captured texts give no colour, a release anywhere but a slot or a gradient
    // end, or a drag from another program, leaves every box, text and field as it was.
    void dropChangingNothing_data() {
        QTest::addColumn<QString>("typed");   // into the box of the row's channel
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("target");  // empty: every slot and both gradient ends
        QTest::addColumn<QString>("from");    // empty: a drag of our preview
        QTest::newRow("letters") << "abc" << 0 << "" << "";
        QTest::newRow("empty") << "" << 1 << "" << "";
        QTest::newRow("blanks") << "   " << 2 << "" << "";
        QTest::newRow("negative") << "-1" << 2 << "" << "";
        QTest::newRow("rounds to -1") << "-0.6" << 0 << "" << "";
        QTest::newRow("hexadecimal -1") << "&HFFFF" << 1 << "" << "";
        QTest::newRow("above 16 bits") << "40000" << 0 << "" << "";
        QTest::newRow("rounds above 16 bits") << "32767.5" << 1 << "" << "";
        QTest::newRow("too large to read") << "1e400" << 0 << "" << "";
        QTest::newRow("on the preview itself") << "9" << 0 << "NewPrev" << "";
        QTest::newRow("on a scroll bar") << "9" << 0 << "RScroll" << "";
        QTest::newRow("on the strip") << "9" << 0 << "Gradient" << "";
        QTest::newRow("another program's colour") << "9" << 0 << "" << "application/x-color";
        QTest::newRow("another copy of us")
            << "9" << 0 << "" << "application/x-swatchly-control-drag";
    }
    void dropChangingNothing() {
        QFETCH(QString, typed);
        QFETCH(int, channel);
        QFETCH(QString, target);
        QFETCH(QString, from);
        Form1 form;
        form.show();
        Drag drag;
        // Earlier good drops: a stored slot and a blend on the strip.
        setBars(form, {12, 34, 56});
        drag.previewOnto(form, form.SaveC2);
        drag.previewOnto(form, form.GradientL);
        setBars(form, {200, 100, 50});
        drag.previewOnto(form, form.GradientR);

        type(QList{form.Rtxt, form.Gtxt, form.Btxt}[channel], typed);
        if (!from.isEmpty()) {
            drag.data = std::make_unique<QMimeData>();
            drag.data->setData(from, "1");
            drag.data->setText("#090909");
        }
        drag.enter(form.NewPrev);
        drag.leave(form.NewPrev);
        const QString captured = from.isEmpty() ? typed : "200";  // a foreign drag captures none
        QCOMPARE(QList({form.DragR, form.DragG, form.DragB})[channel], Variant(captured));
        const Snapshot before(form);
        const auto targets = form.findChildren<QWidget*>(QRegularExpression(
            "^" + (target.isEmpty() ? "(SaveC.|GradientL|GradientR)" : target) + "$"));
        QCOMPARE(targets.size(), target.isEmpty() ? 9 : 1);
        for (QWidget* w : targets) {
            drag.enter(w);
            drag.move(w);
            QVERIFY(!drag.drop(w) || (target.isEmpty() && from.isEmpty()));
        }
        QVERIFY(Snapshot(form) == before);
        QCOMPARE(form.SaveC2->BackColor(), rgb(12, 34, 56));
    }

    // The drag carries the colour to other programs; only the preview is a drag source.
    void pressOnThePreviewStartsADrag() {
        Form1 form;
        form.show();
        setBars(form, {255, 128, 0});
        // This platform ends a drag at once; the drag object stays until events are processed.
        mouse(form.NewPrev, QEvent::MouseButtonPress);
        const auto drags = form.NewPrev->findChildren<QDrag*>();
        QCOMPARE(drags.size(), 1);
        QCOMPARE(drags[0]->source(), form.NewPrev);
        QVERIFY(drags[0]->pixmap().isNull());  // the platform's own appearance
        QVERIFY(isControlDrag(drags[0]->mimeData()));
        QTRY_COMPARE(form.NewPrev->findChildren<QDrag*>().size(), 0);  // Qt disposes of it

        mouse(form.NewPrev, QEvent::MouseButtonPress, Qt::RightButton);
        mouse(form.SaveC1, QEvent::MouseButtonPress);
        mouse(form.GradientL, QEvent::MouseButtonPress);
        QCOMPARE(form.findChildren<QDrag*>().size(), 0);
    }
};

QTEST_MAIN(TestSwatches)
#include "test_swatches.moc"
