// The screen grab: "Grab Color" makes the colour follow the pixel under the pointer until
// another window becomes active, the button is pressed again or the gradient is clicked.

#include <QApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QtTest>

#include "app/form1.h"
#include "app/platform/qt_services.h"
#include "app/runtime/runtime_error.h"
#include "fakes.h"
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

bool grabbing(const Form1& form) {
    return form.Timer1->Interval() == 100 && form.Timer1->Enabled() && form.Timer1->isTicking();
}
bool notGrabbing(const Form1& form) {
    return form.Timer1->Interval() == 0 && !form.Timer1->Enabled() && !form.Timer1->isTicking();
}

// Records what reaches the unhandled-error hook while it lives.
struct UnhandledErrors {
    QList<int> numbers;
    UnhandledErrorHook previous;
    UnhandledErrors() {
        previous = setUnhandledErrorHook([this](int n, const QString&) { numbers << n; });
    }
    ~UnhandledErrors() { setUnhandledErrorHook(previous); }
};

// A top-level window of one colour, for the Qt probe to read.
class Swatch : public QRasterWindow {
public:
    explicit Swatch(QColor colour) : m_colour(colour) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_colour);
    }

private:
    QColor m_colour;
};

}  // namespace

Q_DECLARE_METATYPE(Rgb)

namespace QTest {
template <>
char* toString(const Rgb& c) {
    return qstrdup(qPrintable(QString("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b)));
}
}  // namespace QTest

class TestGrab : public QObject {
    Q_OBJECT
private slots:
    void buttonToggles() {
        Fakes fakes;
        Form1 form(fakes.services());
        QVERIFY(notGrabbing(form));
        fakes.probe->active = 81;
        form.GetPixelbtn->click();
        QVERIFY(grabbing(form));
        QCOMPARE(form.activetxt->Text(), QString("81"));
        // The identity is taken again on the click that switches off.
        fakes.probe->active = 82;
        form.GetPixelbtn->click();
        QVERIFY(notGrabbing(form));
        QCOMPARE(form.activetxt->Text(), QString("82"));
        form.GetPixelbtn->click();
        QVERIFY(grabbing(form));
    }

    void activeWindowKeptAsDecimalText_data() {
        QTest::addColumn<qint64>("identity");
        QTest::addColumn<QString>("text");
        QTest::newRow("none of ours") << qint64(0) << "0";
        QTest::newRow("ordinary") << qint64(4194311) << "4194311";
        QTest::newRow("negative") << qint64(-17) << "-17";
        QTest::newRow("largest 32-bit") << qint64(2147483647) << "2147483647";
    }
    void activeWindowKeptAsDecimalText() {
        QFETCH(qint64, identity);
        QFETCH(QString, text);
        Fakes fakes;
        Form1 form(fakes.services());
        fakes.probe->active = identity;
        form.GetPixelbtn->click();
        QCOMPARE(form.activetxt->Text(), text);
        // The same window still active: the tick samples.
        fakes.probe->pixel = 255;
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{255, 0, 0}));
        QVERIFY(grabbing(form));
    }

    void tickTakesThePixelUnderThePointer_data() {
        QTest::addColumn<int>("pixel");
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("563412") << 5649426 << Rgb{18, 52, 86};
        QTest::newRow("pure red") << 255 << Rgb{255, 0, 0};
        QTest::newRow("pure green") << 65280 << Rgb{0, 255, 0};
        QTest::newRow("pure blue") << 16711680 << Rgb{0, 0, 255};
        QTest::newRow("white read as white") << 16777215 << Rgb{255, 255, 255};
        QTest::newRow("black") << 0 << Rgb{0, 0, 0};
        QTest::newRow("top byte ignored") << 0x7F563412 << Rgb{18, 52, 86};
        QTest::newRow("top bit ignored") << int(0x80FF8040) << Rgb{64, 128, 255};
    }
    void tickTakesThePixelUnderThePointer() {
        QFETCH(int, pixel);
        QFETCH(Rgb, colour);
        Fakes fakes;
        Form1 form(fakes.services());
        form.SetBars(1, 2, 3);
        fakes.probe->active = 7;
        form.GetPixelbtn->click();
        fakes.probe->cursor = QPoint(-300, 41);  // a screen left of the primary
        fakes.probe->pixel = pixel;
        form.Timer1_Timer();
        QCOMPARE(fakes.probe->pixelReads, QList<QPoint>{QPoint(-300, 41)});
        QCOMPARE(form.GrabPoint, QPoint(-300, 41));
        QCOMPARE(form.GrabColor, pixel);
        QCOMPARE(colourOf(form), colour);
        QCOMPARE(form.NewPrev->BackColor(), rgb(colour.r, colour.g, colour.b));
        QCOMPARE(form.Rtxt->Text(), QString::number(colour.r));
        QCOMPARE(form.Btxt->Text(), QString::number(colour.b));
        QCOMPARE(int(form.TScroll->Value()), toneMedian(colour.r, colour.g, colour.b));
        QVERIFY(grabbing(form));
    }

    void colourFollowsThePointerAndReplacesOtherChanges() {
        Fakes fakes;
        Form1 form(fakes.services());
        form.GetPixelbtn->click();
        fakes.probe->pixel = 5649426;
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{18, 52, 86}));
        // The user moves a bar meanwhile; the next tick puts the sampled colour back.
        static_cast<QAbstractSlider*>(form.RScroll)->setValue(200);
        QCOMPARE(colourOf(form), (Rgb{200, 52, 86}));
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{18, 52, 86}));
        fakes.probe->cursor = QPoint(5, 6);
        fakes.probe->pixel = 0x102030;
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{0x30, 0x20, 0x10}));
        QCOMPARE(fakes.probe->pixelReads.size(), 3);
        QCOMPARE(fakes.probe->pixelReads.last(), QPoint(5, 6));
    }

    void failedReadKeepsColourAndGrabMode() {
        Fakes fakes;
        Form1 form(fakes.services());
        form.SetBars(10, 20, 30);
        form.GetPixelbtn->click();
        fakes.probe->pixel = std::nullopt;
        form.Timer1_Timer();
        form.Timer1_Timer();
        QCOMPARE(fakes.probe->pixelReads.size(), 2);
        QCOMPARE(colourOf(form), (Rgb{10, 20, 30}));
        QCOMPARE(form.NewPrev->BackColor(), rgb(10, 20, 30));
        QCOMPARE(form.Rtxt->Text(), QString("10"));
        QCOMPARE(form.GrabColor, -1);  // all bits set: the read failed
        QVERIFY(grabbing(form));
        // Once the screen can be read again the colour follows it.
        fakes.probe->pixel = 16777215;
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{255, 255, 255}));
    }

    void anotherActiveWindowEndsGrabWithoutSampling_data() {
        QTest::addColumn<qint64>("nowActive");
        QTest::newRow("another application or the desktop") << qint64(0);
        QTest::newRow("another window of ours") << qint64(99);
    }
    void anotherActiveWindowEndsGrabWithoutSampling() {
        QFETCH(qint64, nowActive);
        Fakes fakes;
        Form1 form(fakes.services());
        fakes.probe->active = 42;
        form.GetPixelbtn->click();
        fakes.probe->pixel = 255;
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{255, 0, 0}));
        const int cursorCalls = fakes.probe->cursorCalls;

        // The user clicks elsewhere: the pixel there is never read.
        fakes.probe->active = nowActive;
        fakes.probe->pixel = 5649426;
        form.Timer1_Timer();
        QVERIFY(notGrabbing(form));
        QCOMPARE(fakes.probe->cursorCalls, cursorCalls);
        QCOMPARE(fakes.probe->pixelReads.size(), 1);
        QCOMPARE(colourOf(form), (Rgb{255, 0, 0}));
        QCOMPARE(form.activetxt->Text(), QString("42"));
    }

    void endingGrabLeavesTheFocusWhereTheUserPutIt() {
        Fakes fakes;
        Form1 form(fakes.services());
        QWidget other;
        form.show();
        other.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        fakes.probe->active = qint64(form.winId());
        form.GetPixelbtn->click();

        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        fakes.probe->active = qint64(other.winId());
        form.Timer1_Timer();
        QVERIFY(notGrabbing(form));
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &other);
    }

    void clicksOnBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("ends");
        QTest::newRow("gradient strip") << "Gradient" << true;
        QTest::newRow("left end") << "GradientL" << true;
        QTest::newRow("right end") << "GradientR" << true;
        QTest::newRow("swatch slot 1") << "SaveC1" << false;
        QTest::newRow("swatch slot 7") << "SaveC7" << false;
    }
    void clicksOnBoxes() {
        QFETCH(QString, box);
        QFETCH(bool, ends);
        Fakes fakes;
        Form1 form(fakes.services());
        form.show();
        auto* target = form.findChild<PictureBox*>(box);
        QVERIFY(target);
        fakes.probe->active = 5;
        form.GetPixelbtn->click();
        fakes.probe->pixel = 5649426;
        form.Timer1_Timer();

        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(ends ? notGrabbing(form) : grabbing(form));
        QCOMPARE(colourOf(form), (Rgb{18, 52, 86}));
        QCOMPARE(form.activetxt->Text(), QString("5"));
        if (!ends) return;
        // With grab mode off, another click changes nothing.
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(notGrabbing(form));
        QCOMPARE(colourOf(form), (Rgb{18, 52, 86}));
    }

    void failureInsideTickIsSilentAndKeepsGrab() {
        Fakes fakes;
        UnhandledErrors unhandled;
        Form1 form(fakes.services());
        form.GetPixelbtn->click();
        fakes.probe->pixel = 5649426;
        // Green's views fail to repaint: the error passes up out of SetBars.
        form.GScroll->Change = [&] {
            form.GScroll_Change();
            throw RuntimeError::invalidPropertyValue();
        };
        form.Timer1_Timer();
        QVERIFY(grabbing(form));
        QVERIFY(fakes.messageBox->calls.isEmpty());
        QVERIFY(unhandled.numbers.isEmpty());
        // What SetBars wrote before the failure stays; blue was never reached.
        QCOMPARE(colourOf(form), (Rgb{18, 52, 0}));

        // The next tick samples again.
        form.GScroll->Change = [&] { form.GScroll_Change(); };
        form.Timer1_Timer();
        QCOMPARE(colourOf(form), (Rgb{18, 52, 86}));
        QCOMPARE(fakes.probe->pixelReads.size(), 2);
    }

    void timerSamplesUntilAnotherWindowIsActive() {
        Fakes fakes;
        Form1 form(fakes.services());
        fakes.probe->active = 3;
        fakes.probe->pixel = 5649426;
        form.GetPixelbtn->click();
        QCOMPARE(form.Timer1->Interval(), 100);
        QTRY_COMPARE(colourOf(form), (Rgb{18, 52, 86}));
        fakes.probe->pixel = 255;
        QTRY_COMPARE(colourOf(form), (Rgb{255, 0, 0}));
        fakes.probe->active = 0;
        QTRY_VERIFY(notGrabbing(form));
        const auto reads = fakes.probe->pixelReads.size();
        fakes.probe->pixel = 0;
        QTest::qWait(350);  // several intervals: no tick comes any more
        QCOMPARE(fakes.probe->pixelReads.size(), reads);
        QCOMPARE(colourOf(form), (Rgb{255, 0, 0}));
    }

    // ---- the Qt probe

    void locateOnScreens_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("screen");  // -1: on none
        QTest::addColumn<QPoint>("local");
        QTest::newRow("primary") << QPoint(100, 200) << 0 << QPoint(100, 200);
        QTest::newRow("primary origin") << QPoint(0, 0) << 0 << QPoint(0, 0);
        QTest::newRow("left of the primary") << QPoint(-1, 5) << 1 << QPoint(1279, 5);
        QTest::newRow("far left edge") << QPoint(-1280, 1023) << 1 << QPoint(0, 1023);
        QTest::newRow("above the primary") << QPoint(10, -900) << 2 << QPoint(10, 0);
        QTest::newRow("right screen") << QPoint(1920, 0) << 3 << QPoint(0, 0);
        QTest::newRow("just past the bottom edge") << QPoint(500, 1080) << 0 << QPoint(500, 1079);
        QTest::newRow("just past the right edge") << QPoint(2944, 300) << 3 << QPoint(1023, 300);
        QTest::newRow("beyond the left screen") << QPoint(-1282, 10) << -1 << QPoint();
        QTest::newRow("gap below the left screen") << QPoint(-100, 1050) << -1 << QPoint();
    }
    void locateOnScreens() {
        QFETCH(QPoint, pos);
        QFETCH(int, screen);
        QFETCH(QPoint, local);
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(-1280, 0, 1280, 1024),
                                      QRect(0, -900, 1600, 900), QRect(1920, 0, 1024, 768)};
        const std::optional<ScreenSpot> spot = swatchly::locateOnScreens(screens, pos);
        QCOMPARE(spot.has_value(), screen >= 0);
        if (!spot) return;
        QCOMPARE(int(spot->screen), screen);
        QCOMPARE(spot->local, local);
    }

    void qtProbeReadsAShownWindow() {
        Swatch swatch(QColor(18, 52, 86));
        swatch.setGeometry(120, 80, 60, 40);
        swatch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&swatch));
        QtScreenProbe probe;
        QTRY_COMPARE(probe.pixelAt(swatch.mapToGlobal(QPoint(30, 20))),
                     std::optional<std::int32_t>(5649426));
        QCOMPARE(probe.pixelAt(swatch.mapToGlobal(QPoint(0, 0))),
                 std::optional<std::int32_t>(5649426));
    }

    void qtProbeGivesNothingOffEveryScreen() {
        QtScreenProbe probe;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(probe.pixelAt(screen.bottomRight() + QPoint(50, 50)),
                 std::optional<std::int32_t>());
        QCOMPARE(probe.pixelAt(screen.topLeft() - QPoint(50, 50)), std::optional<std::int32_t>());
    }

    void qtProbeKnowsOurActiveWindow() {
        QtScreenProbe probe;
        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(probe.activeWindow(), qint64(window.winId()));
        window.hide();
        QTRY_COMPARE(probe.activeWindow(), qint64(0));
    }
};

QTEST_MAIN(TestGrab)
#include "test_grab.moc"
