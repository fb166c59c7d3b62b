// The tone slider: it stands on the median channel and shifts all three channels alike,
// clamped to 0..255.

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <array>
#include <limits>

#include "app/form1.h"
#include "tools/tone.h"

using namespace swatchly;

namespace {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

Rgb colourOf(const Form1& form) {
    return {form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value()};
}

void setColour(Form1& form, Rgb c) { form.SetBars(c.r, c.g, c.b); }

// A move of a bar the way the user makes it (arrow, track, key): through Qt's own value
// change, not through the program's write.
void userMoves(QAbstractSlider* bar, int value) { bar->setValue(value); }

int sortedMiddle(int a, int b, int c) {
    std::array<int, 3> v{a, b, c};
    std::sort(v.begin(), v.end());
    return v[1];
}

}  // namespace

Q_DECLARE_METATYPE(Rgb)

namespace QTest {
template <>
char* toString(const Rgb& c) {
    return qstrdup(qPrintable(QString("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b)));
}
}  // namespace QTest

class TestTone : public QObject {
    Q_OBJECT
private slots:
    // ---- the pure median and clamp

    void median_data() {
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<int>("median");
        QTest::newRow("green in the middle") << Rgb{10, 100, 200} << 100;
        QTest::newRow("red in the middle") << Rgb{100, 10, 200} << 100;
        QTest::newRow("blue in the middle") << Rgb{200, 10, 100} << 100;
        QTest::newRow("descending") << Rgb{200, 100, 10} << 100;
        QTest::newRow("tie low, high apart") << Rgb{50, 50, 200} << 50;
        QTest::newRow("tie low, red apart") << Rgb{200, 50, 50} << 50;
        QTest::newRow("tie high") << Rgb{200, 50, 200} << 200;
        QTest::newRow("grey") << Rgb{77, 77, 77} << 77;
        QTest::newRow("black") << Rgb{0, 0, 0} << 0;
        QTest::newRow("pure red") << Rgb{255, 0, 0} << 0;
        QTest::newRow("cyan") << Rgb{0, 255, 255} << 255;
    }
    void median() {
        QFETCH(Rgb, colour);
        QFETCH(int, median);
        QCOMPARE(toneMedian(colour.r, colour.g, colour.b), median);
    }

    void medianIsTheMiddleOfTheSortedChannels() {
        for (int r = 0; r <= 255; r += 15)
            for (int g = 0; g <= 255; g += 15)
                for (int b = 0; b <= 255; b += 15)
                    QCOMPARE(toneMedian(r, g, b), sortedMiddle(r, g, b));
    }

    void shift_data() {
        QTest::addColumn<int>("wanted");
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<int>("shift");
        const Rgb c{10, 100, 200};
        QTest::newRow("fits") << 50 << c << 50;
        QTest::newRow("up, clamped by the highest") << 100 << c << 55;
        QTest::newRow("down, clamped by the lowest") << -100 << c << -10;
        QTest::newRow("none") << 0 << c << 0;
        QTest::newRow("black to white") << 255 << Rgb{0, 0, 0} << 255;
        QTest::newRow("white to black") << -255 << Rgb{255, 255, 255} << -255;
        QTest::newRow("pure red up") << 40 << Rgb{255, 0, 0} << 0;
        QTest::newRow("pure red down") << -40 << Rgb{255, 0, 0} << 0;
        QTest::newRow("far beyond the top") << std::numeric_limits<std::int32_t>::max() << c << 55;
        QTest::newRow("far beyond the bottom")
            << std::numeric_limits<std::int32_t>::min() << c << -10;
    }
    void shift() {
        QFETCH(int, wanted);
        QFETCH(Rgb, colour);
        QFETCH(int, shift);
        QCOMPARE(toneShift(wanted, colour.r, colour.g, colour.b), shift);
    }

    void shiftKeepsChannelsInRangeAndGoesAsFarAsItCan() {
        for (int r = 0; r <= 255; r += 51)
            for (int g = 0; g <= 255; g += 51)
                for (int b = 0; b <= 255; b += 17)
                    for (int wanted = -300; wanted <= 300; wanted += 25) {
                        const int d = toneShift(wanted, r, g, b);
                        const int low = std::min({r, g, b}) + d, high = std::max({r, g, b}) + d;
                        QVERIFY(low >= 0 && high <= 255);
                        // Short of the wish only where a channel hit the end of its range.
                        if (d < wanted) QCOMPARE(high, 255);
                        if (d > wanted) QCOMPARE(low, 0);
                    }
    }

    // ---- the slider on the window

    void sliderMove_data() {
        QTest::addColumn<Rgb>("start");
        QTest::addColumn<int>("startSlider");
        QTest::addColumn<int>("moveTo");
        QTest::addColumn<Rgb>("end");
        QTest::addColumn<int>("endSlider");
        const Rgb c{10, 100, 200};
        QTest::newRow("lighter, fits") << c << 100 << 150 << Rgb{60, 150, 250} << 150;
        QTest::newRow("lighter, clamped") << c << 100 << 200 << Rgb{65, 155, 255} << 155;
        QTest::newRow("darker, clamped") << c << 100 << 0 << Rgb{0, 90, 190} << 90;
        QTest::newRow("darker, fits") << c << 100 << 95 << Rgb{5, 95, 195} << 95;
        QTest::newRow("black to white") << Rgb{0, 0, 0} << 0 << 255 << Rgb{255, 255, 255} << 255;
        QTest::newRow("white to black") << Rgb{255, 255, 255} << 255 << 0 << Rgb{0, 0, 0} << 0;
        QTest::newRow("pure red, no lighter") << Rgb{255, 0, 0} << 0 << 120 << Rgb{255, 0, 0} << 0;
        QTest::newRow("pure blue, no lighter") << Rgb{0, 0, 255} << 0 << 1 << Rgb{0, 0, 255} << 0;
        QTest::newRow("cyan, no darker")
            << Rgb{0, 255, 255} << 255 << 30 << Rgb{0, 255, 255} << 255;
        QTest::newRow("tie low") << Rgb{50, 50, 200} << 50 << 60 << Rgb{60, 60, 210} << 60;
        QTest::newRow("tie low, red apart")
            << Rgb{200, 50, 50} << 50 << 40 << Rgb{190, 40, 40} << 40;
    }
    void sliderMove() {
        QFETCH(Rgb, start);
        QFETCH(int, startSlider);
        QFETCH(int, moveTo);
        QFETCH(Rgb, end);
        QFETCH(int, endSlider);
        Form1 form;
        setColour(form, start);
        QCOMPARE(int(form.TScroll->Value()), startSlider);
        QCOMPARE(form.ToneBase, startSlider);

        userMoves(form.TScroll, moveTo);
        QCOMPARE(colourOf(form), end);
        QCOMPARE(form.NewPrev->BackColor(), rgb(end.r, end.g, end.b));
        QCOMPARE(int(form.TScroll->Value()), endSlider);
        QCOMPARE(form.ToneBase, endSlider);
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void step_data() {
        QTest::addColumn<Rgb>("start");
        QTest::addColumn<int>("action");
        QTest::addColumn<Rgb>("end");
        const Rgb c{10, 100, 200};
        QTest::newRow("arrow right")
            << c << int(QAbstractSlider::SliderSingleStepAdd) << Rgb{11, 101, 201};
        QTest::newRow("arrow left")
            << c << int(QAbstractSlider::SliderSingleStepSub) << Rgb{9, 99, 199};
        QTest::newRow("track right")
            << c << int(QAbstractSlider::SliderPageStepAdd) << Rgb{20, 110, 210};
        QTest::newRow("track left, exactly to 0")
            << c << int(QAbstractSlider::SliderPageStepSub) << Rgb{0, 90, 190};
        QTest::newRow("track right, clamped")
            << Rgb{0, 100, 250} << int(QAbstractSlider::SliderPageStepAdd) << Rgb{5, 105, 255};
        QTest::newRow("track left, clamped")
            << Rgb{3, 50, 60} << int(QAbstractSlider::SliderPageStepSub) << Rgb{0, 47, 57};
        QTest::newRow("arrow left at the bottom")
            << Rgb{0, 0, 9} << int(QAbstractSlider::SliderSingleStepSub) << Rgb{0, 0, 9};
    }
    void step() {
        QFETCH(Rgb, start);
        QFETCH(int, action);
        QFETCH(Rgb, end);
        Form1 form;
        setColour(form, start);
        form.TScroll->triggerAction(QAbstractSlider::SliderAction(action));
        QCOMPARE(colourOf(form), end);
        QCOMPARE(int(form.TScroll->Value()), toneMedian(end.r, end.g, end.b));
    }

    void thumbDragFollowsAtEveryPosition() {
        Form1 form;
        form.show();
        setColour(form, {10, 100, 200});
        form.TScroll->setSliderDown(true);
        const QList<std::pair<int, Rgb>> path = {{110, {20, 110, 210}},
                                                 {130, {40, 130, 230}},
                                                 {200, {65, 155, 255}},
                                                 {120, {30, 120, 220}}};
        for (const auto& [position, colour] : path) {
            form.TScroll->setSliderPosition(position);
            QCOMPARE(colourOf(form), colour);
            QCOMPARE(form.NewPrev->BackColor(), rgb(colour.r, colour.g, colour.b));
        }
        form.TScroll->setSliderDown(false);  // the release asks for no further shift
        QCOMPARE(colourOf(form), (Rgb{30, 120, 220}));
        QCOMPARE(int(form.TScroll->Value()), 120);
    }

    void channelMoveSetsSliderOnlyAndKeepsColour_data() {
        QTest::addColumn<Rgb>("start");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<Rgb>("end");
        const Rgb c{10, 100, 200};
        QTest::newRow("red becomes the median") << c << "RScroll" << 150 << Rgb{150, 100, 200};
        QTest::newRow("red becomes the highest") << c << "RScroll" << 255 << Rgb{255, 100, 200};
        QTest::newRow("green becomes the lowest") << c << "GScroll" << 0 << Rgb{10, 0, 200};
        QTest::newRow("blue becomes the lowest") << c << "BScroll" << 5 << Rgb{10, 100, 5};
        QTest::newRow("from black") << Rgb{0, 0, 0} << "GScroll" << 255 << Rgb{0, 255, 0};
        QTest::newRow("into a tie") << c << "BScroll" << 100 << Rgb{10, 100, 100};
    }
    void channelMoveSetsSliderOnlyAndKeepsColour() {
        QFETCH(Rgb, start);
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(Rgb, end);
        Form1 form;
        setColour(form, start);
        QSignalSpy red(form.RScroll, &QAbstractSlider::valueChanged);
        QSignalSpy green(form.GScroll, &QAbstractSlider::valueChanged);
        QSignalSpy blue(form.BScroll, &QAbstractSlider::valueChanged);

        userMoves(form.findChild<ScrollBar*>(bar), value);
        // One change of the moved bar and none of the others: the slider did not feed back.
        QCOMPARE(red.count() + green.count() + blue.count(), 1);
        QCOMPARE(colourOf(form), end);
        QCOMPARE(int(form.TScroll->Value()), toneMedian(end.r, end.g, end.b));
        QCOMPARE(form.ToneBase, toneMedian(end.r, end.g, end.b));
        QCOMPARE(form.ToneActive, QString("yes"));
    }

    void onlyAnExactYesLetsTheSliderAct_data() {
        QTest::addColumn<QString>("toneActive");
        QTest::newRow("no") << "no";
        QTest::newRow("capital") << "Yes";
        QTest::newRow("upper case") << "YES";
        QTest::newRow("trailing blank") << "yes ";
        QTest::newRow("empty") << "";
    }
    void onlyAnExactYesLetsTheSliderAct() {
        QFETCH(QString, toneActive);
        Form1 form;
        setColour(form, {10, 100, 200});
        form.ToneActive = toneActive;
        userMoves(form.TScroll, 150);
        form.DarkerLighter(30);
        QCOMPARE(colourOf(form), (Rgb{10, 100, 200}));
        QCOMPARE(int(form.TScroll->Value()), 150);  // left where it was put: nothing ran
        QCOMPARE(form.ToneBase, 100);
    }

    // Random user events keep the slider on the median, and slider moves keep the differences
    // between the channels.
    void randomEventsKeepTheInvariants() {
        Form1 form;
        QRandomGenerator random(4242);
        ScrollBar* channels[] = {form.RScroll, form.GScroll, form.BScroll};
        for (int i = 0; i < 3000; ++i) {
            const Rgb before = colourOf(form);
            const int kind = random.bounded(5);
            switch (kind) {
                case 0:
                    userMoves(channels[random.bounded(3)], random.bounded(256));
                    break;
                case 1:
                    setColour(form,
                              {random.bounded(256), random.bounded(256), random.bounded(256)});
                    break;
                case 2:
                    userMoves(form.TScroll, random.bounded(256));
                    break;
                case 3:
                    form.TScroll->triggerAction(QAbstractSlider::SliderAction(
                        random.bounded(int(QAbstractSlider::SliderSingleStepAdd),
                                       int(QAbstractSlider::SliderPageStepSub) + 1)));
                    break;
                default:
                    form.DarkerLighter(random.bounded(-300, 301));
                    break;
            }
            const Rgb after = colourOf(form);
            const int median = toneMedian(after.r, after.g, after.b);
            QCOMPARE(int(form.TScroll->Value()), median);
            QCOMPARE(form.ToneBase, median);
            QCOMPARE(form.ToneActive, QString("yes"));
            if (kind >= 2) {
                QCOMPARE(after.g - after.r, before.g - before.r);
                QCOMPARE(after.b - after.g, before.b - before.g);
            }
        }
    }
};

QTEST_MAIN(TestTone)
#include "test_tone.moc"
