// Swatch slots and colour drag-and-drop: the preview as drag source, the capture of the channel
// texts, the drop contract on every target, and what the drag offers other programs.

#include <QDrag>
#include <QMimeData>
#include <QRandomGenerator>
#include <QtTest>
#include <memory>

#include "app/form1.h"
#include "colour/swatches.h"

using namespace swatchly;

namespace {

// A drag of the preview as the window system hands it to the boxes it passes.
struct Drag {
    std::unique_ptr<QMimeData> data = colourMimeData(0);

    bool enter(QWidget* w) {
        QDragEnterEvent e(QPoint(2, 2), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
        return e.isAccepted();
    }
    bool move(QWidget* w) {
        QDragMoveEvent e(QPoint(3, 3), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
        return e.isAccepted();
    }
    void leave(QWidget* w) {
        QDragLeaveEvent e;
        QApplication::sendEvent(w, &e);
    }
    bool drop(QWidget* w) {
        QDropEvent e(QPointF(3, 3), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
        return e.isAccepted();
    }
    // Out of the preview (which captures the channel texts) and over the target.
    bool previewOnto(Form1& form, QWidget* target) {
        enter(form.NewPrev);
        move(form.NewPrev);
        leave(form.NewPrev);
        enter(target);
        move(target);
        return drop(target);
    }
};

void doubleClick(QWidget* w) {
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void press(QWidget* w, Qt::MouseButton button) {
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), button,
                  button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Typed into a channel box and not applied.
void type(TextBox* box, const QString& text) { box->QLineEdit::setText(text); }

void setBars(Form1& form, int r, int g, int b) {
    form.SetBars(std::int16_t(r), std::int16_t(g), std::int16_t(b));
}

QList<PictureBox*> slotsOf(Form1& form) {
    return {form.SaveC1, form.SaveC2, form.SaveC3, form.SaveC4,
            form.SaveC5, form.SaveC6, form.SaveC7};
}

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
    QStringList unhandled;
    UnhandledErrorHook previousHook;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() {
        unhandled.clear();
        previousHook = setUnhandledErrorHook([this](int number, const QString& text) {
            unhandled << QString::number(number) + " " + text;
        });
    }
    void cleanup() { setUnhandledErrorHook(previousHook); }

    void dropStoresThePreviewColour() {
        Form1 form;
        setBars(form, 12, 34, 56);
        const QString hexText = form.HexVal->Text();
        Drag drag;
        QVERIFY(drag.previewOnto(form, form.SaveC3));
        QCOMPARE(form.SaveC3->BackColor(), 3678732);
        QCOMPARE(form.SaveC3->BackColor(), 0x38220C);
        // The current colour and every view of it stay as they were.
        QCOMPARE(int(form.RScroll->Value()), 12);
        QCOMPARE(int(form.GScroll->Value()), 34);
        QCOMPARE(int(form.BScroll->Value()), 56);
        QCOMPARE(form.NewPrev->BackColor(), 3678732);
        QCOMPARE(form.HexVal->Text(), hexText);
        for (PictureBox* slot : slotsOf(form))
            if (slot != form.SaveC3) QCOMPARE(slot->BackColor(), 0);
        QVERIFY(unhandled.isEmpty());
    }

    void doubleClickMakesTheSlotCurrent() {
        Form1 form;
        setBars(form, 12, 34, 56);
        Drag drag;
        drag.previewOnto(form, form.SaveC3);
        setBars(form, 200, 0, 99);
        doubleClick(form.SaveC3);
        QCOMPARE(int(form.RScroll->Value()), 12);
        QCOMPARE(int(form.GScroll->Value()), 34);
        QCOMPARE(int(form.BScroll->Value()), 56);
        QCOMPARE(form.NewPrev->BackColor(), 3678732);
        QCOMPARE(form.RPrev->BackColor(), 12);
        QCOMPARE(form.Rtxt->Text(), QString("12"));
        QCOMPARE(form.Gtxt->Text(), QString("34"));
        QCOMPARE(form.Btxt->Text(), QString("56"));
        QCOMPARE(form.HexVal->Text(), QString("#0C2238"));
        QCOMPARE(form.Text1->Text(), QString("#0C2238"));
        QCOMPARE(form.SaveC3->BackColor(), 3678732);  // the slot keeps its colour
    }

    void emptySlotGivesBlack() {
        Form1 form;
        setBars(form, 90, 80, 70);
        doubleClick(form.SaveC5);
        QCOMPARE(int(form.RScroll->Value()), 0);
        QCOMPARE(int(form.GScroll->Value()), 0);
        QCOMPARE(int(form.BScroll->Value()), 0);
        QCOMPARE(form.NewPrev->BackColor(), 0);
        QCOMPARE(form.HexVal->Text(), QString("#000000"));
    }

    void slotWithTheCurrentColourRepaintsNothing() {
        Form1 form;
        setBars(form, 12, 34, 56);
        Drag drag;
        drag.previewOnto(form, form.SaveC1);
        type(form.Rtxt, "77");
        int changes = 0;
        for (ScrollBar* bar : {form.RScroll, form.GScroll, form.BScroll})
            bar->Change = [&] { ++changes; };
        doubleClick(form.SaveC1);
        QCOMPARE(changes, 0);
        QCOMPARE(form.Rtxt->Text(), QString("77"));  // not rewritten
        QCOMPARE(int(form.RScroll->Value()), 12);
    }

    // The seven slots are one family: each keeps and gives back only its own colour.
    void eachSlotKeepsItsOwn_data() {
        QTest::addColumn<QString>("name");
        for (int n = 1; n <= 7; ++n)
            QTest::newRow(qPrintable(QString::number(n))) << QString("SaveC%1").arg(n);
    }
    void eachSlotKeepsItsOwn() {
        QFETCH(QString, name);
        Form1 form;
        auto* target = form.findChild<PictureBox*>(name);
        QVERIFY(target);
        QCOMPARE(target->toolTip(), QString("Doubleclick to set as current color"));
        setBars(form, 1, 2, 3);
        Drag drag;
        QVERIFY(drag.previewOnto(form, target));
        for (PictureBox* slot : slotsOf(form))
            QCOMPARE(slot->BackColor(), slot == target ? rgb(1, 2, 3) : 0);
        setBars(form, 250, 251, 252);
        doubleClick(target);
        QCOMPARE(form.NewPrev->BackColor(), rgb(1, 2, 3));
        // Another slot gives its own colour, black.
        doubleClick(target == form.SaveC1 ? form.SaveC2 : form.SaveC1);
        QCOMPARE(form.NewPrev->BackColor(), 0);
    }

    // The drop converts the texts as typed, whether or not they were applied.
    void typedTextGoesIntoTheDrop_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("red");
        QTest::newRow("300 counts as 255") << "300" << 255;
        QTest::newRow("12.5 to even") << "12.5" << 12;
        QTest::newRow("13.5 to even") << "13.5" << 14;
        QTest::newRow("blanks around") << " 42 " << 42;
        QTest::newRow("hexadecimal") << "&HFF" << 255;
        QTest::newRow("exponent") << "1e2" << 100;
        QTest::newRow("-0.5 rounds to 0") << "-0.5" << 0;
        QTest::newRow("top of the range") << "32767" << 255;
    }
    void typedTextGoesIntoTheDrop() {
        QFETCH(QString, typed);
        QFETCH(int, red);
        Form1 form;
        setBars(form, 5, 6, 7);
        type(form.Rtxt, typed);
        Drag drag;
        QVERIFY(drag.previewOnto(form, form.SaveC4));
        QCOMPARE(form.SaveC4->BackColor(), rgb(red, 6, 7));
        QCOMPARE(int(form.RScroll->Value()), 5);
        QCOMPARE(form.NewPrev->BackColor(), rgb(5, 6, 7));
        QCOMPARE(form.Rtxt->Text(), typed);
        QVERIFY(unhandled.isEmpty());
    }

    void captureTakesTheTextsAsTheyStand() {
        Form1 form;
        Drag drag;
        QVERIFY(form.DragR.isEmpty());
        // The capture runs on the enter, on each move and on the leave, the last one counting.
        type(form.Rtxt, " 7x ");
        QVERIFY(drag.enter(form.NewPrev));
        QCOMPARE(form.DragR, Variant(" 7x "));  // not trimmed, not checked
        QCOMPARE(form.DragR.kind(), Variant::Kind::String);
        type(form.Gtxt, "20");
        drag.move(form.NewPrev);
        QCOMPARE(form.DragG, Variant("20"));
        type(form.Btxt, "30");
        drag.leave(form.NewPrev);
        QCOMPARE(form.DragB, Variant("30"));
        // The capture outlives the drag: a later drop without a pass over the preview uses it.
        type(form.Rtxt, "40");
        drag.enter(form.NewPrev);
        drag.leave(form.NewPrev);
        type(form.Rtxt, "99");
        drag.enter(form.SaveC6);
        QVERIFY(drag.drop(form.SaveC6));
        QCOMPARE(form.SaveC6->BackColor(), rgb(40, 20, 30));
        QCOMPARE(form.DragR, Variant("40"));
    }

    void secondDropReplaces() {
        Form1 form;
        Drag drag;
        setBars(form, 10, 20, 30);
        drag.previewOnto(form, form.SaveC2);
        setBars(form, 40, 50, 60);
        drag.previewOnto(form, form.SaveC2);
        QCOMPARE(form.SaveC2->BackColor(), rgb(40, 50, 60));
        // Two drops with no change of the texts between them give two slots the same colour.
        drag.previewOnto(form, form.SaveC7);
        drag.enter(form.SaveC5);
        drag.drop(form.SaveC5);
        QCOMPARE(form.SaveC5->BackColor(), form.SaveC7->BackColor());
        QCOMPARE(form.SaveC5->BackColor(), rgb(40, 50, 60));
    }

    // Releasing anywhere but a slot or a gradient end changes nothing.
    void dropElsewhereChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("the preview itself") << "NewPrev";
        QTest::newRow("a label") << "Label1";
        QTest::newRow("a scroll bar") << "RScroll";
        QTest::newRow("a channel preview") << "RPrev";
        QTest::newRow("the strip") << "Gradient";
    }
    void dropElsewhereChangesNothing() {
        QFETCH(QString, name);
        Form1 form;
        form.show();
        setBars(form, 12, 34, 56);
        auto* target = form.findChild<QWidget*>(name);
        QVERIFY(target);
        Drag drag;
        drag.enter(form.NewPrev);
        drag.leave(form.NewPrev);
        const Snapshot before(form);
        drag.enter(target);
        QVERIFY(!drag.move(target));
        QVERIFY(!drag.drop(target));
        QCOMPARE(Snapshot(form), before);
    }

    // A drop whose captured texts give no colour leaves every target, and everything else, as
    // it was.
    void badDropChangesNothing_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << 0 << "abc";
        QTest::newRow("empty") << 1 << "";
        QTest::newRow("blanks") << 2 << "   ";
        QTest::newRow("number then letters") << 0 << "12abc";
        QTest::newRow("two signs") << 1 << "+-3";
        QTest::newRow("negative") << 2 << "-1";
        QTest::newRow("rounds to -1") << 0 << "-0.6";
        QTest::newRow("hexadecimal -1") << 1 << "&HFFFF";
        QTest::newRow("bad hexadecimal") << 2 << "&HZZ";
        QTest::newRow("above 16 bits") << 0 << "40000";
        QTest::newRow("rounds above 16 bits") << 1 << "32767.5";
        QTest::newRow("below 16 bits") << 2 << "-40000";
        QTest::newRow("too large to read") << 0 << "1e400";
    }
    void badDropChangesNothing() {
        QFETCH(int, channel);
        QFETCH(QString, typed);
        Form1 form;
        form.show();
        Drag drag;
        // Earlier good drops: a stored slot and a blend on the strip.
        setBars(form, 12, 34, 56);
        drag.previewOnto(form, form.SaveC2);
        drag.previewOnto(form, form.GradientL);
        setBars(form, 200, 100, 50);
        drag.previewOnto(form, form.GradientR);
        QCOMPARE(form.GradientR->BackColor(), rgb(200, 100, 50));

        type(QList<TextBox*>{form.Rtxt, form.Gtxt, form.Btxt}[channel], typed);
        drag.enter(form.NewPrev);
        drag.leave(form.NewPrev);
        const Snapshot before(form);
        QList<PictureBox*> targets = slotsOf(form);
        targets << form.GradientL << form.GradientR;
        for (PictureBox* target : targets) {
            drag.enter(target);
            drag.drop(target);
        }
        const Snapshot after(form);
        QCOMPARE(after.colours, before.colours);
        QCOMPARE(after.fields, before.fields);
        QCOMPARE(after.texts, before.texts);
        QCOMPARE(after.bars, before.bars);
        QVERIFY(after.strip == before.strip);
        QCOMPARE(form.SaveC2->BackColor(), rgb(12, 34, 56));
        QCOMPARE(unhandled, QStringList());
    }

    // Any text at all: a drop either stores what the text reads as or changes nothing, and
    // never ends in an error.
    void randomTextsNeverBreakADrop() {
        Form1 form;
        Drag drag;
        const QString alphabet = QStringLiteral("0123456789.-+eE&Hh ,x");
        QRandomGenerator random(20240611);
        for (int round = 0; round < 400; ++round) {
            QString text;
            for (int n = random.bounded(7); n > 0; --n)
                text += alphabet[random.bounded(int(alphabet.size()))];
            const std::int32_t old = form.SaveC1->BackColor();
            type(form.Rtxt, text);
            drag.previewOnto(form, form.SaveC1);
            const std::optional<double> number = parseNumber(text);
            const double rounded = number ? roundHalfEven(*number) : -1;
            const std::int32_t expected =
                rounded >= 0 && rounded <= 32767 ? (rounded > 255 ? 255 : int(rounded)) : old;
            QVERIFY2(form.SaveC1->BackColor() == expected, qPrintable("text: [" + text + "]"));
        }
        QCOMPARE(unhandled, QStringList());
    }

    void otherProgramsDragsPassBy() {
        Form1 form;
        setBars(form, 1, 2, 3);
        // A colour dragged from another program, and one marked by another process.
        QMimeData foreign;
        foreign.setColorData(QColor(9, 9, 9));
        foreign.setText("#090909");
        QMimeData otherCopy;
        otherCopy.setData("application/x-swatchly-control-drag", "1");
        for (QMimeData* data : {&foreign, &otherCopy}) {
            QVERIFY(!isControlDrag(data));
            QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(form.NewPrev, &enter);
            QVERIFY(!enter.isAccepted());
            QVERIFY(form.DragR.isEmpty());
            QDragEnterEvent slotEnter(QPoint(2, 2), Qt::CopyAction, data, Qt::LeftButton,
                                      Qt::NoModifier);
            QApplication::sendEvent(form.SaveC1, &slotEnter);
            QVERIFY(!slotEnter.isAccepted());
            QDropEvent drop(QPointF(2, 2), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(form.SaveC1, &drop);
            QVERIFY(!drop.isAccepted());
            QCOMPARE(form.SaveC1->BackColor(), 0);
        }
    }

    void dragOffersTheColourToOtherPrograms_data() {
        QTest::addColumn<int>("packed");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("text");
        QTest::newRow("black") << 0 << QColor(0, 0, 0) << "#000000";
        QTest::newRow("white") << 0xFFFFFF << QColor(255, 255, 255) << "#FFFFFF";
        QTest::newRow("orange") << rgb(255, 128, 0) << QColor(255, 128, 0) << "#FF8000";
        QTest::newRow("12 34 56") << 3678732 << QColor(12, 34, 56) << "#0C2238";
    }
    void dragOffersTheColourToOtherPrograms() {
        QFETCH(int, packed);
        QFETCH(QColor, colour);
        QFETCH(QString, text);
        const auto data = colourMimeData(packed);
        QVERIFY(data->hasColor());
        QCOMPARE(qvariant_cast<QColor>(data->colorData()), colour);
        QVERIFY(data->hasFormat("application/x-color"));
        QVERIFY(data->hasFormat("text/plain"));
        QCOMPARE(data->text(), text);
        QVERIFY(isControlDrag(data.get()));
    }

    void pressOnThePreviewStartsADrag() {
        Form1 form;
        form.show();
        setBars(form, 255, 128, 0);
        // This platform ends a drag at once; the drag object stays until events are processed.
        press(form.NewPrev, Qt::LeftButton);
        const auto drags = form.NewPrev->findChildren<QDrag*>();
        QCOMPARE(drags.size(), 1);
        QCOMPARE(drags.first()->source(), form.NewPrev);
        QVERIFY(drags.first()->pixmap().isNull());  // the platform's own appearance
        QCOMPARE(drags.first()->mimeData()->text(), QString("#FF8000"));
        QCOMPARE(qvariant_cast<QColor>(drags.first()->mimeData()->colorData()),
                 QColor(255, 128, 0));
        QVERIFY(isControlDrag(drags.first()->mimeData()));
        QTRY_COMPARE(form.NewPrev->findChildren<QDrag*>().size(), 0);  // Qt disposes of it

        // The other buttons start nothing.
        press(form.NewPrev, Qt::RightButton);
        QCOMPARE(form.NewPrev->findChildren<QDrag*>().size(), 0);
        // Only the preview is a drag source.
        press(form.SaveC1, Qt::LeftButton);
        press(form.GradientL, Qt::LeftButton);
        QCOMPARE(form.findChildren<QDrag*>().size(), 0);
    }
};

QTEST_MAIN(TestSwatches)
#include "test_swatches.moc"
