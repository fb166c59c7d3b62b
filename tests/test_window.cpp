// The window as defined and started, and the live colour through the channel bars.

#include <QMenuBar>
#include <QtTest>

#include "app/form1.h"
#include "app/pictures.h"
#include "app/runtime/runtime_error.h"

using namespace swatchly;

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamed() {
        Form1 form;
        QCOMPARE(form.objectName(), QString("Form1"));
        const QStringList names = {
            "Timer2", "NewPrev", "Rtxt", "Gtxt", "Btxt", "RGBSet", "HexVal", "VbVal", "HexSet",
            "VbSet", "Picture1", "Timer1", "GetPixelbtn", "activetxt", "SaveC1", "SaveC2",
            "SaveC3", "SaveC4", "SaveC5", "SaveC6", "SaveC7", "Gradient", "GradientL",
            "GradientR", "TScroll", "BPrev", "GPrev", "RPrev", "BScroll", "GScroll", "RScroll",
            "Frame2", "Label3", "Label2", "Label1", "Frame1", "Text1", "Label8", "Label5",
            "Label6", "Label4", "Label7", "Label9", "f", "abt", "ext", "opt", "stay"};
        QCOMPARE(names.size(), 48);
        for (const QString& name : names) {
            const auto found = form.findChildren<QObject*>(name);
            QVERIFY2(found.size() == 1, qPrintable(name));
        }
        QCOMPARE(form.findChild<QObject*>("Timer1")->property("Interval").toInt(), 0);
        QCOMPARE(form.findChild<QObject*>("Timer2")->property("Interval").toInt(), 100);
    }

    void startsBlack() {
        Form1 form;
        for (ScrollBar* bar : {form.RScroll, form.GScroll, form.BScroll, form.TScroll})
            QCOMPARE(bar->Value(), std::int16_t(0));
        for (PictureBox* box : {form.RPrev, form.GPrev, form.BPrev, form.NewPrev, form.SaveC1,
                                form.SaveC7, form.Gradient, form.GradientL, form.GradientR})
            QCOMPARE(box->BackColor(), 0);
        for (TextBox* box : {form.Rtxt, form.Gtxt, form.Btxt}) QCOMPARE(box->Text(), QString("0"));
        QCOMPARE(form.HexVal->Text(), QString("#000000"));
        QCOMPARE(form.VbVal->Text(), QString("&H000000&"));
        QCOMPARE(form.Text1->Text(), form.HexVal->Text());
        QVERIFY(!form.Timer1->Enabled());
        QVERIFY(!form.Timer1->isTicking());
        QVERIFY(!form.Timer2->isTicking());
        QVERIFY(form.Picture1->isHidden());
        QCOMPARE(form.Picture1->size(), QSize(354, 272));
        QVERIFY(!form.stay->isChecked());
        QCOMPARE(form.ToneActive, QString("yes"));
        QCOMPARE(form.GradLeftR, Variant(std::int16_t(0)));
        QCOMPARE(form.GradRightB, Variant(std::int16_t(0)));
        QVERIFY(form.DragR.isEmpty());
    }

    void layoutInPixels() {
        Form1 form;
        QCOMPARE(form.centralWidget()->size(), QSize(296, 255));
        QCOMPARE(form.NewPrev->geometry(), QRect(184, 19, 97, 87));
        QCOMPARE(form.RScroll->geometry(), QRect(72, 158, 209, 13));
        // Each row's label and Set button stand at the height of the box they belong to.
        auto top = [&](QWidget* w) { return w->mapTo(form.centralWidget(), QPoint()).y(); };
        QCOMPARE(top(form.Label4), top(form.Rtxt));   // RGB
        QCOMPARE(top(form.RGBSet), top(form.Rtxt));
        QCOMPARE(top(form.Label6), top(form.VbVal));  // VB
        QCOMPARE(top(form.VbSet), top(form.VbVal));
        QCOMPARE(top(form.Label5), top(form.HexVal));  // HEX
        QCOMPARE(top(form.HexSet), top(form.HexVal));
        QCOMPARE(form.Label4->text(), QString("RGB"));
        QCOMPARE(form.Label6->text(), QString("VB"));
        QCOMPARE(form.Label5->text(), QString("HEX"));
        // Earlier in the definition is drawn in front: NewPrev over the frames.
        QVERIFY(form.centralWidget()->children().indexOf(form.NewPrev) >
                form.centralWidget()->children().indexOf(form.Frame1));
        QCOMPARE(form.menuBar()->actions().size(), 2);
        QVERIFY(!form.windowIcon().isNull());
    }

    void tabOrderFollowsTabIndex() {
        Form1 form;
        form.show();
        const QList<QWidget*> expected = {form.RScroll, form.GScroll,    form.BScroll, form.TScroll,
                                          form.GetPixelbtn, form.VbSet, form.HexSet, form.VbVal,
                                          form.HexVal,  form.RGBSet,     form.Btxt,    form.Gtxt,
                                          form.Rtxt,    form.Text1};
        QList<QWidget*> seen;
        QWidget* w = expected.first();
        for (int i = 0; i < expected.size(); ++i) {
            seen << w;
            do w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&form) ||
                   !form.isAncestorOf(w));
        }
        QCOMPARE(seen, expected);
        QCOMPARE(w, form.RScroll);  // and round again
    }

    void setBarsPassesThroughIntermediateColours() {
        Form1 form;
        QList<std::int32_t> previews;
        auto remember = [&] { previews << form.NewPrev->BackColor(); };
        form.RScroll->Change = [&] { form.RScroll_Change(); remember(); };
        form.GScroll->Change = [&] { form.GScroll_Change(); remember(); };
        form.BScroll->Change = [&] { form.BScroll_Change(); remember(); };
        form.SetBars(std::int16_t(10), std::int16_t(20), std::int16_t(30));
        QCOMPARE(previews, QList<std::int32_t>({rgb(10, 0, 0), rgb(10, 20, 0), rgb(10, 20, 30)}));
        QCOMPARE(form.RPrev->BackColor(), 10);
        QCOMPARE(form.GPrev->BackColor(), 20 * 256);
        QCOMPARE(form.BPrev->BackColor(), 30 * 65536);
        QCOMPARE(form.Rtxt->Text(), QString("10"));
        QCOMPARE(form.Btxt->Text(), QString("30"));
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void presentValueRaisesNothing() {
        Form1 form;
        form.SetBars(std::int16_t(10), std::int16_t(0), std::int16_t(0));
        QCOMPARE(form.Gtxt->Text(), QString("0"));
        form.Rtxt->QLineEdit::setText("77");  // typed, not applied
        form.Gtxt->QLineEdit::setText("x");
        int changes = 0;
        for (ScrollBar* bar : {form.RScroll, form.GScroll, form.BScroll})
            bar->Change = [&] { ++changes; };
        form.SetBars(std::int16_t(10), std::int16_t(0), std::int16_t(0));
        QCOMPARE(changes, 0);
        QCOMPARE(form.Rtxt->Text(), QString("77"));
        QCOMPARE(form.Gtxt->Text(), QString("x"));
    }

    void setBarsFromLongColor_data() {
        QTest::addColumn<int>("packed");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("FF8040") << 16744512 << 64 << 128 << 255;
        QTest::newRow("12345678 top byte ignored") << 305419896 << 120 << 86 << 52;
        QTest::newRow("white") << 16777215 << 255 << 255 << 255;
    }
    void setBarsFromLongColor() {
        QFETCH(int, packed);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        Form1 form;
        form.SetBarsFromLongColor(packed);
        QCOMPARE(int(form.RScroll->Value()), red);
        QCOMPARE(int(form.GScroll->Value()), green);
        QCOMPARE(int(form.BScroll->Value()), blue);
        QCOMPARE(form.NewPrev->BackColor(), rgb(red, green, blue));
    }

    void setBarsFailingOnGreen_data() {
        QTest::addColumn<Variant>("green");
        QTest::addColumn<int>("error");
        QTest::newRow("above 255") << Variant(std::int16_t(256)) << 380;
        QTest::newRow("below 0") << Variant(std::int16_t(-1)) << 380;
        QTest::newRow("overflow") << Variant(40000.0) << 6;
        QTest::newRow("not a number") << Variant("green") << 13;
    }
    void setBarsFailingOnGreen() {
        QFETCH(Variant, green);
        QFETCH(int, error);
        Form1 form;
        form.SetBars(std::int16_t(1), std::int16_t(2), std::int16_t(3));
        int caught = 0;
        try {
            form.SetBars(std::int16_t(200), green, std::int16_t(9));
        } catch (const RuntimeError& e) {
            caught = e.number;
        }
        QCOMPARE(caught, error);
        QCOMPARE(int(form.RScroll->Value()), 200);
        QCOMPARE(form.Rtxt->Text(), QString("200"));
        QCOMPARE(int(form.GScroll->Value()), 2);
        QCOMPARE(int(form.BScroll->Value()), 3);
        QCOMPARE(form.NewPrev->BackColor(), rgb(200, 2, 3));
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void userMovesRepaintEveryView_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("shift");
        QTest::newRow("red") << "RScroll" << "Rtxt" << 0;
        QTest::newRow("green") << "GScroll" << "Gtxt" << 8;
        QTest::newRow("blue") << "BScroll" << "Btxt" << 16;
    }
    void userMovesRepaintEveryView() {
        QFETCH(QString, bar);
        QFETCH(QString, box);
        QFETCH(int, shift);
        Form1 form;
        form.show();
        auto* scroll = form.findChild<ScrollBar*>(bar);
        // A trough click is one page step of 10; an arrow click one step.
        scroll->triggerAction(QAbstractSlider::SliderPageStepAdd);
        scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(int(scroll->Value()), 11);
        QCOMPARE(form.NewPrev->BackColor(), 11 << shift);
        QCOMPARE(form.findChild<TextBox*>(box)->Text(), QString("11"));
        QCOMPARE(form.ToneActive, QString("yes"));

        // Dragging the thumb repaints at every position, before the release.
        scroll->setSliderDown(true);
        for (int v : {40, 90, 200}) {
            scroll->setSliderPosition(v);
            QCOMPARE(form.NewPrev->BackColor(), v << shift);
            QCOMPARE(form.findChild<TextBox*>(box)->Text(), QString::number(v));
        }
        scroll->setSliderDown(false);
        QCOMPARE(form.NewPrev->BackColor(), 200 << shift);
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void handlersAreInvokableByName() {
        Form1 form;
        QVERIFY(QMetaObject::invokeMethod(&form, "SetBars", Q_ARG(swatchly::Variant, Variant("12")),
                                          Q_ARG(swatchly::Variant, Variant(34.0)),
                                          Q_ARG(swatchly::Variant, Variant(std::int16_t(56)))));
        QCOMPARE(form.NewPrev->BackColor(), rgb(12, 34, 56));
        QVERIFY(QMetaObject::invokeMethod(&form, "SetBarsFromLongColor", Q_ARG(std::int32_t, 255)));
        QCOMPARE(form.NewPrev->BackColor(), 255);
        for (const char* name : {"RScroll_Change", "Form_Load", "stay_Click", "Timer1_Timer",
                                 "SaveC3_DblClick", "GradientR_DragDrop", "TScroll_Scroll"})
            QVERIFY2(form.metaObject()->indexOfSlot(QByteArray(name) + "()") >= 0, name);
    }

    void shapeMaskPixels() {
        const QImage mask = shapeMask();
        QCOMPARE(mask.size(), QSize(354, 272));
        auto white = [&](int x, int y) { return mask.pixel(x, y) == qRgb(255, 255, 255); };
        QVERIFY(white(0, 0) && white(353, 0) && white(0, 271) && white(353, 271));
        QVERIFY(!white(5, 5) && !white(177, 136));
        QVERIFY(white(6, 5) && white(12, 12) && white(19, 8) && white(38, 12));
        QVERIFY(!white(13, 8) && !white(6, 13) && !white(39, 8));
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
