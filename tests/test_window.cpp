// The window as defined and started, and the live colour through the channel bars. The tab
// order is checked, with real keys, in test_accessibility.

#include <QMenuBar>
#include <QtTest>

#include "app/pictures.h"
#include "app/runtime/runtime_error.h"
#include "support.h"

using namespace swatchly;

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamed() {
        Form1 form;
        QCOMPARE(form.objectName(), QString("Form1"));
        const QStringList names = QString(
            "Timer2 NewPrev Rtxt Gtxt Btxt RGBSet HexVal VbVal HexSet VbSet Picture1 Timer1 "
            "GetPixelbtn activetxt SaveC1 SaveC2 SaveC3 SaveC4 SaveC5 SaveC6 SaveC7 Gradient "
            "GradientL GradientR TScroll BPrev GPrev RPrev BScroll GScroll RScroll Frame2 Label3 "
            "Label2 Label1 Frame1 Text1 Label8 Label5 Label6 Label4 Label7 Label9 f abt ext opt "
            "stay").split(' ');
        QCOMPARE(names.size(), 48);
        for (const QString& name : names)
            QVERIFY2(form.findChildren<QObject*>(name).size() == 1, qPrintable(name));
        // Handlers and methods can be called by name, the methods with any Variant.
        for (const char* name : {"RScroll_Change", "Form_Load", "stay_Click", "Timer1_Timer",
                                 "SaveC3_DblClick", "GradientR_DragDrop", "TScroll_Scroll"})
            QVERIFY2(form.metaObject()->indexOfSlot(QByteArray(name) + "()") >= 0, name);
        QVERIFY(QMetaObject::invokeMethod(&form, "SetBars", Q_ARG(swatchly::Variant, Variant("12")),
                                          Q_ARG(swatchly::Variant, Variant(34.0)),
                                          Q_ARG(swatchly::Variant, Variant(std::int16_t(56)))));
        QCOMPARE(bars(form), Rgb({12, 34, 56}));
    }

    void startsBlack() {
        Form1 form;
        QCOMPARE(form.TScroll->Value(), std::int16_t(0));
        QCOMPARE(bars(form), Rgb({0, 0, 0}));
        for (PictureBox* box : {form.RPrev, form.GPrev, form.BPrev, form.NewPrev, form.SaveC1,
                                form.SaveC7, form.Gradient, form.GradientL, form.GradientR})
            QCOMPARE(box->BackColor(), 0);
        for (TextBox* box : {form.Rtxt, form.Gtxt, form.Btxt}) QCOMPARE(box->Text(), QString("0"));
        QCOMPARE(form.HexVal->Text(), QString("#000000"));
        QCOMPARE(form.VbVal->Text(), QString("&H000000&"));
        QCOMPARE(form.Text1->Text(), form.HexVal->Text());
        QVERIFY(!form.Timer1->Enabled() && !form.Timer1->isTicking() && !form.Timer2->isTicking());
        QVERIFY(form.Picture1->isHidden());
        QVERIFY(!form.stay->isChecked());
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void layoutInPixels() {
        Form1 form;
        QCOMPARE(form.centralWidget()->size(), QSize(296, 255));
        QCOMPARE(form.NewPrev->geometry(), QRect(184, 19, 97, 87));
        QCOMPARE(form.RScroll->geometry(), QRect(72, 158, 209, 13));
        // Each row is labelled for what it holds, and the Set beside it applies it.
        auto top = [&](QWidget* w) { return w->mapTo(form.centralWidget(), QPoint()).y(); };
        const struct { QLabel* label; QString caption; QWidget* set; QWidget* box; } rows[] = {
            {form.Label4, "RGB", form.RGBSet, form.Rtxt},
            {form.Label6, "VB", form.VbSet, form.VbVal},
            {form.Label5, "HEX", form.HexSet, form.HexVal}};
        for (const auto& row : rows) {
            QCOMPARE(row.label->text(), row.caption);
            QCOMPARE(top(row.label), top(row.box));
            QCOMPARE(top(row.set), top(row.box));
        }
        // Earlier in the definition is drawn in front: NewPrev over the frames.
        QVERIFY(form.centralWidget()->children().indexOf(form.NewPrev) >
                form.centralWidget()->children().indexOf(form.Frame1));
        QCOMPARE(form.menuBar()->actions().size(), 2);
        QVERIFY(!form.windowIcon().isNull());
    }

    void setBarsPassesThroughIntermediateColours() {
        Form1 form;
        QList<std::int32_t> previews;
        int changes = 0;
        for (ScrollBar* bar : {form.RScroll, form.GScroll, form.BScroll})
            bar->Change = [&, handler = bar->Change] {
                handler();
                previews << form.NewPrev->BackColor();
                ++changes;
            };
        setBars(form, {10, 20, 30});
        QCOMPARE(previews, QList<std::int32_t>({rgb(10, 0, 0), rgb(10, 20, 0), rgb(10, 20, 30)}));
        QCOMPARE(form.RPrev->BackColor(), 10);
        QCOMPARE(form.GPrev->BackColor(), 20 * 256);
        QCOMPARE(form.BPrev->BackColor(), 30 * 65536);
        QCOMPARE(form.Rtxt->Text(), QString("10"));
        QCOMPARE(form.Btxt->Text(), QString("30"));
        QCOMPARE(form.ToneActive, QString("yes"));
        // A bar given its present value raises nothing: what is typed stays.
        type(form.Rtxt, "77");
        type(form.Gtxt, "x");
        setBars(form, {10, 20, 30});
        QCOMPARE(changes, 3);
        QCOMPARE(form.Rtxt->Text(), QString("77"));
        QCOMPARE(form.Gtxt->Text(), QString("x"));
    }

    void setBarsFromLongColor_data() {
        QTest::addColumn<int>("packed");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("FF8040") << 16744512 << Rgb{64, 128, 255};
        QTest::newRow("12345678 top byte ignored") << 305419896 << Rgb{120, 86, 52};
    }
    void setBarsFromLongColor() {
        QFETCH(int, packed);
        QFETCH(Rgb, colour);
        Form1 form;
        QVERIFY(QMetaObject::invokeMethod(&form, "SetBarsFromLongColor", Q_ARG(std::int32_t, packed)));
        QCOMPARE(bars(form), colour);
        QCOMPARE(form.NewPrev->BackColor(), swatchly::packed(colour));
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
        setBars(form, {1, 2, 3});
        int caught = 0;
        try {
            form.SetBars(std::int16_t(200), green, std::int16_t(9));
        } catch (const RuntimeError& e) {
            caught = e.number;
        }
        QCOMPARE(caught, error);
        QCOMPARE(bars(form), Rgb({200, 2, 3}));
        QCOMPARE(form.Rtxt->Text(), QString("200"));
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
    // Dragging the thumb repaints at every position, before the release. The arrow and trough
    // steps are clicked on the real window in test_e2e_journey.
    void userMovesRepaintEveryView() {
        QFETCH(QString, bar);
        QFETCH(QString, box);
        QFETCH(int, shift);
        Form1 form;
        form.show();
        auto* scroll = form.findChild<ScrollBar*>(bar);
        scroll->setSliderDown(true);
        for (int v : {40, 90, 200}) {
            scroll->setSliderPosition(v);
            QCOMPARE(form.NewPrev->BackColor(), v << shift);
            QCOMPARE(form.findChild<TextBox*>(box)->Text(), QString::number(v));
            QCOMPARE(form.ToneActive, QString("yes"));
        }
        scroll->setSliderDown(false);
        QCOMPARE(int(scroll->Value()), 200);
        QCOMPARE(form.NewPrev->BackColor(), 200 << shift);
        QCOMPARE(form.ToneActive, QString("yes"));
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
