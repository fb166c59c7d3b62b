// The real program grabbing a pixel of another real window: the colour follows the pointer
// while grab mode is on, and a click on the other window ends grab mode with the colour kept.

#include <QtTest>

#include "xsession.h"

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

    // Swatchly started with a scale factor, its client area's origin in root pixels (below the
    // menu bar), and the pixel scale.
    struct Swatchly {
        QProcess* process = nullptr;
        qulonglong window = 0;
        QPoint client;
        int scale = 1;
        QPoint at(QPoint logical) const { return client + logical * scale; }
    };

    QProcess* running = nullptr;

    Swatchly startSwatchly(int scale) {
        Swatchly s;
        s.scale = scale;
        QProcessEnvironment env;
        if (scale != 1) env.insert("QT_SCALE_FACTOR", QString::number(scale));
        running = s.process = x.launch(SWATCHLY_BIN, {}, env);
        s.window = x.waitForWindow("^Swatchly$");
        if (!s.window) return s;
        const QRect g = x.geometry(s.window);
        // The client area is 296 x 255 under the menu bar.
        s.client = g.topLeft() + QPoint(0, g.height() - 255 * scale);
        return s;
    }

    // The colour Swatchly's preview shows.
    QColor preview(const Swatchly& s) { return x.pixel(s.at(QPoint(232, 62))); }

    void startGrab(const Swatchly& s) {
        const QPoint button = s.at(QPoint(93, 98));  // "Grab Color"
        x.xdotool(
            {"mousemove", QString::number(button.x()), QString::number(button.y()), "click", "1"});
    }

    void pointTo(QPoint root) {
        x.xdotool({"mousemove", QString::number(root.x()), QString::number(root.y())});
    }

    QString activeWindow() { return x.run("xdotool", {"getactivewindow"}).trimmed(); }

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
    void cleanup() {
        if (running && running->state() != QProcess::NotRunning) {
            running->terminate();
            running->waitForFinished(5000);
        }
        running = nullptr;
    }

    void grabFollowsThePointerUntilAnotherWindowIsClicked() {
        const Swatchly s = startSwatchly(1);
        QVERIFY2(s.window, "the Swatchly window did not appear");
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), QColor(Qt::black), 5000);
        const QPoint left = targetArea.topLeft() + QPoint(40, 25);
        const QPoint right = targetArea.topLeft() + QPoint(120, 25);

        startGrab(s);
        pointTo(left);
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), kLeft, 5000);
        pointTo(right);
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), kRight, 5000);
        pointTo(left);
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), kLeft, 5000);

        // Picking: a click on the other window makes it active, which ends grab mode.
        x.xdotool({"click", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), QString::number(target), 5000);
        QTest::qWait(1500);  // Swatchly learns of the focus loss, and a tick notices it
        pointTo(right);
        QTest::qWait(1000);  // ten ticks' time: none of them may sample any more
        QCOMPARE(preview(s), kLeft);
        // Swatchly did not take the focus back.
        QCOMPARE(activeWindow(), QString::number(target));
    }

    // At two device pixels per logical pixel the grab reads the device pixel under the
    // pointer, not another one of the logical pixel's four.
    void grabReadsTheDevicePixelUnderThePointerWhenScaled() {
        const Swatchly s = startSwatchly(2);
        QVERIFY2(s.window, "the Swatchly window did not appear");
        QCOMPARE(x.geometry(s.window).width(), 296 * 2);
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), QColor(Qt::black), 5000);

        startGrab(s);
        // An even root position is exactly one logical pixel's corner.
        QPoint spot = targetArea.topLeft() + QPoint(60, 70);
        spot = QPoint(spot.x() & ~1, spot.y() & ~1);
        const QPoint local = spot - targetArea.topLeft();
        const QColor expected = kPattern[local.x() % 2 + 2 * (local.y() % 2)];
        QCOMPARE(x.pixel(spot), expected);
        pointTo(spot);
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), expected, 5000);
        pointTo(targetArea.topLeft() + QPoint(40, 25));
        QTRY_COMPARE_WITH_TIMEOUT(preview(s), kLeft, 5000);
    }
};

QTEST_MAIN(TestE2EGrab)
#include "test_e2e_grab.moc"
