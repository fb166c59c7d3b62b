// The tone slider: it stands on the median channel and shifts all three channels alike,
// clamped to 0..255.

#include <QtTest>

#include "support.h"

using namespace swatchly;

Q_DECLARE_METATYPE(QAbstractSlider::SliderAction)

class TestTone : public QObject {
    Q_OBJECT
private slots:
    // The user moves the slider to a value (a thumb drag or a key) or by an arrow or trough
    // step; where the clamp bites the slider springs back onto the median.
    void sliderMove_data() {
        QTest::addColumn<Rgb>("start");
        QTest::addColumn<int>("startSlider");
        QTest::addColumn<int>("moveTo");
        QTest::addColumn<QAbstractSlider::SliderAction>("step");  // instead of moveTo
        QTest::addColumn<Rgb>("end");
        QTest::addColumn<int>("endSlider");
        auto row = [](const char* name, Rgb start, int startSlider, int moveTo, Rgb end,
                      int endSlider, QAbstractSlider::SliderAction step = {}) {
            QTest::newRow(name) << start << startSlider << moveTo << step << end << endSlider;
        };
        const Rgb c{10, 100, 200};
        row("lighter, fits", c, 100, 150, {60, 150, 250}, 150);
        row("lighter, clamped", c, 100, 200, {65, 155, 255}, 155);
        row("darker, clamped", c, 100, 0, {0, 90, 190}, 90);
        row("black to white", {0, 0, 0}, 0, 255, {255, 255, 255}, 255);
        row("white to black", {255, 255, 255}, 255, 0, {0, 0, 0}, 0);
        row("pure red, no lighter", {255, 0, 0}, 0, 120, {255, 0, 0}, 0);
        row("tie low", {50, 50, 200}, 50, 60, {60, 60, 210}, 60);
        row("tie high", {200, 50, 200}, 200, 210, {210, 60, 210}, 210);
        row("arrow right", c, 100, 0, {11, 101, 201}, 101, QAbstractSlider::SliderSingleStepAdd);
        row("track left, exactly to 0", c, 100, 0, {0, 90, 190}, 90,
            QAbstractSlider::SliderPageStepSub);
        row("track right, clamped", {0, 100, 250}, 100, 0, {5, 105, 255}, 105,
            QAbstractSlider::SliderPageStepAdd);
        row("arrow left at the bottom", {0, 0, 9}, 0, 0, {0, 0, 9}, 0,
            QAbstractSlider::SliderSingleStepSub);
    }
    void sliderMove() {
        QFETCH(Rgb, start);
        QFETCH(int, startSlider);
        QFETCH(int, moveTo);
        QFETCH(QAbstractSlider::SliderAction, step);
        QFETCH(Rgb, end);
        QFETCH(int, endSlider);
        Form1 form;
        setBars(form, start);
        QCOMPARE(int(form.TScroll->Value()), startSlider);
        if (step)
            form.TScroll->triggerAction(step);
        else
            form.TScroll->QScrollBar::setValue(moveTo);
        QCOMPARE(bars(form), end);
        QCOMPARE(form.NewPrev->BackColor(), packed(end));
        QCOMPARE(int(form.TScroll->Value()), endSlider);
        QCOMPARE(form.ToneBase, endSlider);
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void thumbDragFollowsAtEveryPosition() {
        Form1 form;
        form.show();
        setBars(form, {10, 100, 200});
        form.TScroll->setSliderDown(true);
        for (auto [position, colour] : {std::pair{110, Rgb{20, 110, 210}},
                                        {200, Rgb{65, 155, 255}}, {120, Rgb{30, 120, 220}}}) {
            form.TScroll->setSliderPosition(position);
            QCOMPARE(bars(form), colour);
            QCOMPARE(form.NewPrev->BackColor(), packed(colour));
        }
        form.TScroll->setSliderDown(false);  // the release asks for no further shift
        QCOMPARE(bars(form), (Rgb{30, 120, 220}));
        QCOMPARE(int(form.TScroll->Value()), 120);
    }

    // A channel moved by the user puts the slider on the new median and changes no other bar.
    void channelMoveSetsTheSliderOnly_data() {
        QTest::addColumn<Rgb>("start");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("median");
        const Rgb c{10, 100, 200};
        QTest::newRow("red becomes the median") << c << "RScroll" << 150 << 150;
        QTest::newRow("green becomes the lowest") << c << "GScroll" << 0 << 10;
        QTest::newRow("blue becomes the lowest") << c << "BScroll" << 5 << 10;
        QTest::newRow("from black") << Rgb{0, 0, 0} << "GScroll" << 255 << 0;
        QTest::newRow("into a tie") << c << "BScroll" << 100 << 100;
    }
    void channelMoveSetsTheSliderOnly() {
        QFETCH(Rgb, start);
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(int, median);
        Form1 form;
        setBars(form, start);
        QList<int> changes;  // of the three channel bars
        for (ScrollBar* b : {form.RScroll, form.GScroll, form.BScroll})
            connect(b, &QAbstractSlider::valueChanged, [&, b] { changes << b->value(); });
        form.findChild<ScrollBar*>(bar)->QScrollBar::setValue(value);
        QCOMPARE(changes, QList<int>{value});
        QCOMPARE(int(form.TScroll->Value()), median);
        QCOMPARE(form.ToneBase, median);
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void onlyAnExactYesLetsTheSliderAct() {
        for (const char* toneActive : {"no", "Yes", "yes ", ""}) {
            Form1 form;
            setBars(form, {10, 100, 200});
            form.ToneActive = toneActive;
            form.TScroll->QScrollBar::setValue(150);
            form.DarkerLighter(30);
            QCOMPARE(bars(form), (Rgb{10, 100, 200}));
            QCOMPARE(int(form.TScroll->Value()), 150);  // left where it was put: nothing ran
        }
    }
};

QTEST_MAIN(TestTone)
#include "test_tone.moc"
