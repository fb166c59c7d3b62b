// The screen grab: "Grab Color" makes the colour follow the pixel under the pointer until
// another window becomes active, the button is pressed again or the gradient is clicked.

#include <QtTest>

#include "app/platform/qt_services.h"
#include "app/runtime/runtime_error.h"
#include "fakes.h"
#include "support.h"

using namespace swatchly;

namespace {

bool grabbing(const Form1& form) {
    return form.Timer1->Interval() == 100 && form.Timer1->Enabled() && form.Timer1->isTicking();
}
bool notGrabbing(const Form1& form) {
    return form.Timer1->Interval() == 0 && !form.Timer1->Enabled() && !form.Timer1->isTicking();
}

// A window with the fake probe, grabbing since a click made while window `active` was active.
struct Grabbing {
    Fakes fakes;
    Form1 form{fakes.services()};
    explicit Grabbing(qint64 active = 7) {
        fakes.probe->active = active;
        fakes.probe->pixel = 5649426;
        form.GetPixelbtn->click();
    }
};

}  // namespace

class TestGrab : public QObject {
    Q_OBJECT
private slots:
    // The active window's identity is kept as decimal text, taken again on every click.
    void buttonToggles() {
        Grabbing g(2147483647);
        QVERIFY(grabbing(g.form));
        QCOMPARE(g.form.activetxt->Text(), QString("2147483647"));
        g.fakes.probe->active = 82;
        g.form.GetPixelbtn->click();
        QVERIFY(notGrabbing(g.form));
        QCOMPARE(g.form.activetxt->Text(), QString("82"));
    }

    void tickTakesThePixelUnderThePointer_data() {
        QTest::addColumn<QVariant>("pixel");  // invalid: the read fails
        QTest::addColumn<Rgb>("colour");
        QTest::newRow("563412") << QVariant(5649426) << Rgb{18, 52, 86};
        QTest::newRow("pure red") << QVariant(255) << Rgb{255, 0, 0};
        QTest::newRow("white read as white") << QVariant(16777215) << Rgb{255, 255, 255};
        QTest::newRow("top byte ignored") << QVariant(0x7F563412) << Rgb{18, 52, 86};
        QTest::newRow("top bit ignored") << QVariant(int(0x80FF8040)) << Rgb{64, 128, 255};
        QTest::newRow("failed read keeps the colour") << QVariant() << Rgb{1, 2, 3};
    }
    void tickTakesThePixelUnderThePointer() {
        QFETCH(QVariant, pixel);
        QFETCH(Rgb, colour);
        Grabbing g;
        setBars(g.form, {1, 2, 3});
        g.fakes.probe->cursor = QPoint(-300, 41);  // a screen left of the primary
        g.fakes.probe->pixel = pixel.isValid() ? std::optional(pixel.toInt()) : std::nullopt;
        g.form.Timer1_Timer();
        g.form.Timer1_Timer();
        QCOMPARE(g.fakes.probe->pixelReads, QList<QPoint>(2, QPoint(-300, 41)));
        QCOMPARE(bars(g.form), colour);
        QCOMPARE(g.form.NewPrev->BackColor(), packed(colour));
        QVERIFY(grabbing(g.form));
    }

    // The user clicks elsewhere: the tick ends grab mode without reading the screen there, and
    // leaves the focus where the user put it.
    void anotherActiveWindowEndsGrab_data() {
        QTest::addColumn<bool>("ours");
        QTest::newRow("another application or the desktop") << false;
        QTest::newRow("another window of ours") << true;
    }
    void anotherActiveWindowEndsGrab() {
        QFETCH(bool, ours);
        Grabbing g;
        QWidget other;
        other.show();
        QVERIFY(showActive(g.form));
        g.form.Timer1_Timer();
        QVERIFY(showActive(other));
        g.fakes.probe->active = ours ? qint64(other.winId()) : 0;
        g.fakes.probe->pixel = 255;
        const int cursorCalls = g.fakes.probe->cursorCalls;
        g.form.Timer1_Timer();
        QVERIFY(notGrabbing(g.form));
        QCOMPARE(g.fakes.probe->cursorCalls, cursorCalls);
        QCOMPARE(g.fakes.probe->pixelReads.size(), 1);
        QCOMPARE(bars(g.form), (Rgb{18, 52, 86}));
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &other);
    }

    void clicksOnBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("ends");
        QTest::newRow("gradient strip") << "Gradient" << true;
        QTest::newRow("left end") << "GradientL" << true;
        QTest::newRow("right end") << "GradientR" << true;
        QTest::newRow("swatch slot") << "SaveC1" << false;
    }
    void clicksOnBoxes() {
        QFETCH(QString, box);
        QFETCH(bool, ends);
        Grabbing g(5);
        g.form.show();
        g.form.Timer1_Timer();
        for (int click = 0; click < 2; ++click) {  // the second one, after grab mode, does nothing
            QTest::mouseClick(g.form.findChild<PictureBox*>(box), Qt::LeftButton, {}, {3, 3});
            QVERIFY(ends ? notGrabbing(g.form) : grabbing(g.form));
            QCOMPARE(bars(g.form), (Rgb{18, 52, 86}));
            QCOMPARE(g.form.activetxt->Text(), QString("5"));
        }
    }

    void failureInsideTickIsSilentAndKeepsGrab() {
        Unhandled unhandled;
        Grabbing g;
        // Green's views fail to repaint: the error passes up out of SetBars.
        g.form.GScroll->Change = [&] {
            g.form.GScroll_Change();
            throw RuntimeError::invalidPropertyValue();
        };
        g.form.Timer1_Timer();
        QVERIFY(grabbing(g.form));
        QVERIFY(g.fakes.messageBox->calls.isEmpty());
        QVERIFY(unhandled.numbers.isEmpty());
        QCOMPARE(bars(g.form), (Rgb{18, 52, 0}));  // blue was never reached
        g.form.GScroll->Change = [&] { g.form.GScroll_Change(); };
        g.form.Timer1_Timer();
        QCOMPARE(bars(g.form), (Rgb{18, 52, 86}));
    }

    void timerSamplesUntilAnotherWindowIsActive() {
        Grabbing g(3);
        QTRY_COMPARE(bars(g.form), (Rgb{18, 52, 86}));
        g.fakes.probe->pixel = 255;
        QTRY_COMPARE(bars(g.form), (Rgb{255, 0, 0}));
        g.fakes.probe->active = 0;
        QTRY_VERIFY(notGrabbing(g.form));
    }

    // ---- the Qt probe

    void locateOnScreens_data() {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("screen");  // -1: on none
        QTest::addColumn<QPoint>("local");
        QTest::newRow("primary") << QPoint(100, 200) << 0 << QPoint(100, 200);
        QTest::newRow("left of the primary") << QPoint(-1, 5) << 1 << QPoint(1279, 5);
        QTest::newRow("above the primary") << QPoint(10, -900) << 2 << QPoint(10, 0);
        QTest::newRow("just past the bottom edge") << QPoint(500, 1080) << 0 << QPoint(500, 1079);
        QTest::newRow("just past the right edge") << QPoint(2944, 300) << 3 << QPoint(1023, 300);
        QTest::newRow("beyond the left screen") << QPoint(-1282, 10) << -1 << QPoint();
    }
    void locateOnScreens() {
        QFETCH(QPoint, pos);
        QFETCH(int, screen);
        QFETCH(QPoint, local);
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(-1280, 0, 1280, 1024),
                                      QRect(0, -900, 1600, 900), QRect(1920, 0, 1024, 768)};
        const std::optional<ScreenSpot> spot = swatchly::locateOnScreens(screens, pos);
        QCOMPARE(spot.has_value(), screen >= 0);
        if (spot) QCOMPARE(std::pair(int(spot->screen), spot->local), std::pair(screen, local));
    }

    void qtProbeGivesNothingOffEveryScreen() {
        QtScreenProbe probe;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(probe.pixelAt(screen.bottomRight() + QPoint(50, 50)), std::nullopt);
        QCOMPARE(probe.pixelAt(screen.topLeft() - QPoint(50, 50)), std::nullopt);
    }
};

QTEST_MAIN(TestGrab)
#include "test_grab.moc"
