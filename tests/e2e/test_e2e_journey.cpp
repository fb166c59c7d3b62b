// One user's session with the real program on a real desktop (Xvfb, openbox, xdotool), step
// by step and in order: the start-up screen, a channel bar moved by clicks, a colour typed into
// each text row and set, a colour grabbed from another program's window, Stay On Top, the fixed
// size and File > Exit. On the way it saves a picture of the window, for the documentation.

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <memory>

#include "swatchly_window.h"

namespace {

// Controls in client pixels, from the window's definition.
constexpr QRect kRedBar = fromTwips(1080, 2370, 3135, 200);    // RScroll
// A text row's box (Rtxt, VbVal, HexVal) and the Set beside it, at the row's top in twips.
constexpr QRect rowBox(int top) { return fromTwips(720, top, 1380, 200); }
constexpr QRect rowSet(int top) { return fromTwips(2160, top, 495, 200); }
constexpr QRect kGrabColor = fromTwips(675, 1350, 1440, 255);  // GetPixelbtn

// The other program's window: two bands; its lower half (a pattern) is not used here.
const QColor kLeft("#123456"), kRight("#c08040");
const QColor kOrange(255, 128, 0);

}  // namespace

class TestE2EJourney : public QObject {
    Q_OBJECT
    XSession x;
    std::unique_ptr<SwatchlyWindow> swatchly;

    bool onTop() {
        return x.xprop(swatchly->id(), "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE");
    }

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
        swatchly = std::make_unique<SwatchlyWindow>(x);
        QVERIFY2(swatchly->launch(), "the Swatchly window did not appear");
    }

    void startsWithABlackPreview() {
        QCOMPARE(swatchly->geometry().width(), SwatchlyWindow::kClientWidth);
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->preview(), QColor(Qt::black), 5000);
        // All of the preview is black, and no more than the preview.
        const QRect preview(swatchly->at(SwatchlyWindow::kPreview.topLeft()),
                            SwatchlyWindow::kPreview.size());
        QCOMPARE(solidBlock(x.screenshot(), preview.center()), preview);
    }

    void channelBarMovedByClicks() {
        const int y = kRedBar.center().y();
        swatchly->click({kRedBar.right() - 3, y});  // right arrow: one step
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->preview(), QColor(1, 0, 0), 5000);
        swatchly->click({kRedBar.center().x() + 40, y});  // trough right of the thumb: ten
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->preview(), QColor(11, 0, 0), 5000);
        swatchly->click({kRedBar.left() + 3, y});  // left arrow: one back
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->preview(), QColor(10, 0, 0), 5000);
    }

    // A click near a box's left end selects its text, so what is typed replaces it.
    void colourTypedAndSet_data() {
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("decimal red") << 285 << "200" << QColor(200, 0, 0);
        QTest::newRow("VB hex") << 525 << "C08040" << QColor(64, 128, 192);
        QTest::newRow("HTML hex") << 765 << "#FF8000" << kOrange;
    }
    void colourTypedAndSet() {
        QFETCH(int, top);
        QFETCH(QString, typed);
        QFETCH(QColor, colour);
        swatchly->click({rowBox(top).left() + 3, rowBox(top).center().y()});
        x.xdotool({"type", "--delay", "30", typed});
        swatchly->click(rowSet(top).center());
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->preview(), colour, 5000);
    }

    // The window with its frame, as the documentation shows it.
    void pictureSaved() {
        x.pointTo({1000, 740});  // no button lit up by the pointer
        const QRect frame = swatchly->frameGeometry();
        const QString path = QStringLiteral(SWATCHLY_SCREENSHOT);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(x.screenshot().copy(frame).save(path));
        const QImage saved(path);
        QCOMPARE(saved.size(), frame.size());
        QCOMPARE(
            saved.pixelColor(swatchly->at(SwatchlyWindow::kPreview.center()) - frame.topLeft()),
            kOrange);
    }

    void colourGrabbedFromAnotherProgram() {
        x.launch(COLOUR_WINDOW_BIN, {"Grab target", kLeft.name(), kRight.name(), "#ff0000",
                                     "#00ff00", "#0000ff", "#ffff00"});
        const qulonglong target = x.waitForWindow("^Grab target$");
        QVERIFY2(target, "the other program's window did not appear");
        x.xdotool({"windowmove", QString::number(target), "8", "30"});  // clear of Swatchly
        QTRY_VERIFY_WITH_TIMEOUT(x.geometry(target).x() < 40, 5000);
        const QRect area = x.geometry(target);
        const QPoint left = area.topLeft() + QPoint(40, 25), right = left + QPoint(80, 0);
        QTRY_COMPARE_WITH_TIMEOUT(x.pixel(left), kLeft, 5000);

        swatchly->click(kGrabColor.center());
        x.pointTo(left);
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->preview(), kLeft, 5000);
        // The click that picks makes the other window active, which ends grab mode.
        x.xdotool({"click", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(x.activeWindow(), QString::number(target), 5000);
        QTest::qWait(1500);  // Swatchly learns of the focus loss, and a tick notices it
        x.pointTo(right);
        QTest::qWait(1000);  // ten ticks' time: none of them may sample any more
        QCOMPARE(swatchly->preview(), kLeft);
    }

    void stayOnTopFromTheOptionsMenu() {
        QVERIFY(!onTop());
        QVERIFY2(swatchly->pickMenuItem(SwatchlyWindow::Options, 0), "the menu did not open");
        QTRY_VERIFY_WITH_TIMEOUT(onTop(), 5000);
    }

    void sizeStaysFixed() {
        const QRect before = swatchly->geometry();
        x.xdotool({"windowsize", QString::number(swatchly->id()), "500", "420"});
        QTest::qWait(400);  // for the window manager to act, if it would
        QTRY_COMPARE_WITH_TIMEOUT(swatchly->geometry().size(), before.size(), 5000);
        QCOMPARE(swatchly->preview(), kLeft);
    }

    void exitEndsTheProgramWithStatusZero() {
        QVERIFY2(swatchly->pickMenuItem(SwatchlyWindow::File, 1), "the menu did not open");
        QVERIFY(swatchly->process()->waitForFinished(10000));
        QCOMPARE(swatchly->process()->exitStatus(), QProcess::NormalExit);
        QCOMPARE(swatchly->process()->exitCode(), 0);
    }
};

QTEST_MAIN(TestE2EJourney)
#include "test_e2e_journey.moc"
