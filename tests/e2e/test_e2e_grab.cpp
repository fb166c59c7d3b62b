// The real program grabbing a pixel of another real window: the colour follows the pointer
// while grab mode is on, and a click on the other window ends grab mode with the colour kept.

#include <QtTest>
#include <memory>

#include "swatchly_window.h"

namespace {

const QColor kLeft("#123456"), kRight("#c08040");
// The target's pattern at its own pixels (even x, even y), (odd, even), (even, odd), (odd, odd).
const QColor kPattern[4] = {QColor("#ff0000"), QColor("#00ff00"), QColor("#0000ff"),
                            QColor("#ffff00")};

}  // namespace

class TestE2EGrab : public QObject {
    Q_OBJECT
    XSession x;
    qulonglong target = 0;
    QRect targetArea;  // client area in root pixels

    std::unique_ptr<SwatchlyWindow> running;

    SwatchlyWindow& swatchly(int scale) {
        running = std::make_unique<SwatchlyWindow>(x, scale);
        return *running;
    }

    void startGrab(SwatchlyWindow& s) { s.click({93, 98}); }  // "Grab Color"


private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
        QStringList colours = {"Grab target", kLeft.name(), kRight.name()};
        for (const QColor& c : kPattern) colours << c.name();
        x.launch(COLOUR_WINDOW_BIN, colours);
        target = x.waitForWindow("^Grab target$");
        QVERIFY2(target, "the target window did not appear");
        // Top left, clear of Swatchly, which centres itself.
        x.xdotool({"windowmove", QString::number(target), "8", "30"});
        QTRY_VERIFY_WITH_TIMEOUT(x.geometry(target).x() < 40, 5000);
        targetArea = x.geometry(target);
        QCOMPARE(targetArea.size(), QSize(160, 100));
        QTRY_COMPARE_WITH_TIMEOUT(x.pixel(targetArea.topLeft() + QPoint(40, 25)), kLeft, 5000);
    }

    // Each test starts its own Swatchly; a failed one must not leave its window behind.
    void cleanup() { running.reset(); }

    void grabFollowsThePointerUntilAnotherWindowIsClicked() {
        SwatchlyWindow& s = swatchly(1);
        QVERIFY2(s.launch(), "the Swatchly window did not appear");
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), QColor(Qt::black), 5000);
        const QPoint left = targetArea.topLeft() + QPoint(40, 25);
        const QPoint right = targetArea.topLeft() + QPoint(120, 25);

        startGrab(s);
        x.pointTo(left);
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), kLeft, 5000);
        // The loupe beside the pointer is never the active window.
        const qulonglong loupe = x.waitForWindow("^Swatchly magnifier$");
        QVERIFY(loupe);
        QCOMPARE(x.activeWindow(), QString::number(s.id()));
        x.pointTo(right);
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), kRight, 5000);
        x.pointTo(left);
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), kLeft, 5000);

        // Picking: a click on the other window makes it active, which ends grab mode; it may
        // land on the loupe, which lets it through.
        const QPoint through = x.geometry(loupe).topLeft() + QPoint(4, 4);
        QVERIFY(targetArea.contains(through));
        x.xdotool({"mousemove", QString::number(through.x()), QString::number(through.y()),
                   "click", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(x.activeWindow(), QString::number(target), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(x.waitForWindow("^Swatchly magnifier$", 0), 0ull, 5000);
        QTest::qWait(1500);  // Swatchly learns of the focus loss, and a tick notices it
        x.pointTo(right);
        QTest::qWait(1000);  // ten ticks' time: none of them may sample any more
        QCOMPARE(s.preview(), kLeft);
        // Swatchly did not take the focus back.
        QCOMPARE(x.activeWindow(), QString::number(target));
    }

    // At two device pixels per logical pixel the grab reads the device pixel under the
    // pointer, not another one of the logical pixel's four.
    void grabReadsTheDevicePixelUnderThePointerWhenScaled() {
        SwatchlyWindow& s = swatchly(2);
        QVERIFY2(s.launch(), "the Swatchly window did not appear");
        QCOMPARE(s.geometry().width(), 296 * 2);
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), QColor(Qt::black), 5000);

        startGrab(s);
        // An even root position is exactly one logical pixel's corner.
        QPoint spot = targetArea.topLeft() + QPoint(60, 70);
        spot = QPoint(spot.x() & ~1, spot.y() & ~1);
        const QPoint local = spot - targetArea.topLeft();
        const QColor expected = kPattern[local.x() % 2 + 2 * (local.y() % 2)];
        QCOMPARE(x.pixel(spot), expected);
        x.pointTo(spot);
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), expected, 5000);
        x.pointTo(targetArea.topLeft() + QPoint(40, 25));
        QTRY_COMPARE_WITH_TIMEOUT(s.preview(), kLeft, 5000);
    }
};

QTEST_MAIN(TestE2EGrab)
#include "test_e2e_grab.moc"
