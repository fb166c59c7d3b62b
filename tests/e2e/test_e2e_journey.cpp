// One user's session with the real program on a private desktop (tests/run-in-desktop),
// driven by real input, step by step and in order: the start-up screen, a bar clicked, a colour
// typed and set (saving the picture of the window the documentation shows), a colour grabbed
// from another program, the window moved by the body with each button, the colour dragged into
// the other program, Stay On Top, the fixed size and File > Exit; then a start at 200 %.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "xsession.h"

namespace {

// Points of the client area (296 x 255 logical pixels under the menu bar).
const QRect kPreview(184, 19, 97, 87);  // NewPrev
const QPoint kRedArrow(278, 164), kHexBox(51, 57), kHexSet(160, 57), kGrabColor(93, 98),
    kBody(120, 240);
const QColor kLeft("#123456"), kRight("#c08040"), kOrange(255, 128, 0);

QString n(qlonglong v) { return QString::number(v); }

// The solid rectangle of the colour at `inside`, grown from there along its row and column.
QRect solidBlock(const QImage& image, QPoint inside) {
    QRect r(inside, inside);
    auto same = [&](int x, int y) { return image.pixelColor(x, y) == image.pixelColor(inside); };
    while (same(r.left() - 1, inside.y())) r.setLeft(r.left() - 1);
    while (same(r.right() + 1, inside.y())) r.setRight(r.right() + 1);
    while (same(inside.x(), r.top() - 1)) r.setTop(r.top() - 1);
    while (same(inside.x(), r.bottom() + 1)) r.setBottom(r.bottom() + 1);
    return r;
}

}  // namespace

class TestE2EJourney : public QObject {
    Q_OBJECT
    XSession x;
    QTemporaryDir dir;
    QProcess* swatchly = nullptr;
    qulonglong id = 0, peer = 0;
    int scale = 1;
    QRect peerArea;

    bool start(int atScale) {
        scale = atScale;
        QProcessEnvironment env;
        env.insert("QT_SCALE_FACTOR", n(scale));
        swatchly = x.launch(SWATCHLY_BIN, {}, env);
        id = x.waitForWindow("^Swatchly$");
        return id && waitUntil([&] { return frameExtents().size() == 4; });
    }
    QStringList frameExtents() {  // left, right, top, bottom
        return x.run("xprop", {"-id", n(id), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    }
    QString state() { return x.run("xprop", {"-id", n(id), "_NET_WM_STATE", "_NET_WM_ALLOWED_ACTIONS"}); }
    qulonglong active() { return x.run("xdotool", {"getactivewindow"}).toULongLong(); }
    QPoint at(QPoint client) {
        const QRect g = x.geometry(id);
        return QPoint(g.left(), g.bottom() + 1 - 255 * scale) + client * scale;
    }
    void click(QPoint client) {
        const QPoint p = at(client);
        x.xdotool({"mousemove", n(p.x()), n(p.y()), "click", "1"});
    }
    QColor preview() { return x.pixel(at(kPreview.center())); }
    QString drops() {
        QFile f(dir.filePath("drops"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private slots:
    void initTestCase() {
        x.launch(PEER_BIN, {"Peer", kLeft.name(), kRight.name(), "#ff0000", "#00ff00", "#0000ff",
                            "#ffff00", dir.filePath("drops")});
        QVERIFY2(peer = x.waitForWindow("^Peer$"), "the other program's window did not appear");
        x.xdotool({"windowmove", n(peer), "8", "30"});  // clear of Swatchly, which centres itself
        QTRY_VERIFY(x.geometry(peer).x() < 40);
        peerArea = x.geometry(peer);
        QVERIFY2(start(1), "the Swatchly window did not appear");
    }

    void startsBlack() {
        QCOMPARE(x.geometry(id).width(), 296);
        QTRY_COMPARE(preview(), QColor(Qt::black));
        // All of the preview is black, and no more than the preview.
        QCOMPARE(solidBlock(x.screenshot(), at(kPreview.center())),
                 QRect(at(kPreview.topLeft()), kPreview.size()));
    }

    void barClicked() {
        click(kRedArrow);
        QTRY_COMPARE(preview(), QColor(1, 0, 0));
    }

    // A click into the box selects its text, so what is typed replaces it.
    void colourTypedAndSet() {
        click(kHexBox);
        x.xdotool({"type", "--delay", "30", "#FF8000"});
        click(kHexSet);
        QTRY_COMPARE(preview(), kOrange);
        // The framed window, as the documentation shows it, with no button lit by the pointer.
        x.pointTo({1000, 740});
        const QStringList e = frameExtents();
        const QRect frame = x.geometry(id).adjusted(-e[0].toInt(), -e[2].toInt(), e[1].toInt(),
                                                     e[3].toInt());
        const QString path = SWATCHLY_SCREENSHOT;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(x.screenshot().copy(frame).save(path));
        QCOMPARE(QImage(path).pixelColor(at(kPreview.center()) - frame.topLeft()), kOrange);
    }

    void colourGrabbedFromAnotherProgram() {
        const QPoint left = peerArea.topLeft() + QPoint(40, 25), right = left + QPoint(80, 0);
        click(kGrabColor);
        x.pointTo(left);
        QTRY_COMPARE(preview(), kLeft);
        x.pointTo(right);
        QTRY_COMPARE(preview(), kRight);
        // The click that picks makes the other program active, which ends grab mode.
        x.xdotool({"click", "1"});
        QTRY_COMPARE(active(), peer);
        QTest::qWait(1000);  // Qt learns of the focus loss late; a tick notices it after
        x.pointTo(left);
        QTest::qWait(500);  // five ticks' time: none may sample any more
        QCOMPARE(preview(), kRight);
        QCOMPARE(active(), peer);  // Swatchly left the focus where the user put it
    }

    void bodyMovedByEachButton_data() {
        QTest::addColumn<int>("button");
        for (int button : {1, 2, 3}) QTest::addRow("button %d", button) << button;
    }
    void bodyMovedByEachButton() {
        QFETCH(int, button);
        const QRect before = x.geometry(id);
        const QPoint body = at(kBody);
        x.xdotool({"mousemove", n(body.x()), n(body.y()), "mousedown", n(button)});
        // Once the window manager has taken over, the window follows the pointer.
        QVERIFY(waitUntil([&] {
            x.xdotool({"mousemove_relative", "1", "0"});
            return x.geometry(id) != before;
        }));
        const QRect moving = x.geometry(id);
        x.xdotool({"mousemove_relative", "40", "30"});
        QTRY_COMPARE(x.geometry(id), moving.translated(40, 30));
        x.xdotool({"mouseup", n(button), "mousemove_relative", "50", "50"});
        QTest::qWait(300);  // a move still running would have carried the window along
        QCOMPARE(x.geometry(id), moving.translated(40, 30));
    }

    void colourDraggedIntoAnotherProgram() {
        const QPoint from = at(kPreview.center()), to = peerArea.center();
        QStringList steps{"mousemove", n(from.x()), n(from.y()), "mousedown", "1"};
        for (int i = 1; i <= 10; ++i) {
            const QPoint p = from + (to - from) * i / 10;
            steps << "sleep" << "0.05" << "mousemove" << n(p.x()) << n(p.y());
        }
        x.xdotool(steps << "sleep" << "0.3" << "mouseup" << "1");
        QTRY_COMPARE(drops(), "#c08040 #C08040\n");  // as a colour and as text
    }

    void stayOnTop() {
        const QRect before = x.geometry(id);
        QVERIFY(!state().contains("_NET_WM_STATE_ABOVE"));
        x.xdotool({"windowactivate", "--sync", n(id), "key", "--delay", "100", "alt", "Right",
                   "Down", "Return"});
        QTRY_VERIFY(state().contains("_NET_WM_STATE_ABOVE"));
        QCOMPARE(x.geometry(id), before);
    }

    void sizeStaysFixed() {
        const QRect before = x.geometry(id);
        // The window manager handles the two requests in turn: once the window has moved, the
        // resize has had its answer.
        x.xdotool({"windowsize", n(id), "500", "420", "windowmove", n(id), "100", "100"});
        QTRY_VERIFY(x.geometry(id).topLeft() != before.topLeft());
        QCOMPARE(x.geometry(id).size(), before.size());
        QVERIFY(state().contains("_NET_WM_ACTION_MOVE"));
        QVERIFY(!state().contains("_NET_WM_ACTION_RESIZE"));
        QVERIFY(!state().contains("_NET_WM_ACTION_MAXIMIZE"));
    }

    void fileExitEndsWithStatusZero() {
        x.xdotool({"windowactivate", "--sync", n(id), "key", "--delay", "100", "alt", "Down",
                   "Down", "Return"});
        QVERIFY(swatchly->waitForFinished(10000));
        QCOMPARE(swatchly->exitStatus(), QProcess::NormalExit);
        QCOMPARE(swatchly->exitCode(), 0);
    }

    // Twice the size in device pixels, every control at twice its place, and Grab Color reading
    // the device pixel under the pointer, not another of the logical pixel's four.
    void scaledTo200Percent() {
        QVERIFY2(start(2), "the Swatchly window did not appear");
        QCOMPARE(x.geometry(id).width(), 2 * 296);
        QTRY_COMPARE(preview(), QColor(Qt::black));
        QCOMPARE(solidBlock(x.screenshot(), at(kPreview.center())),
                 QRect(at(kPreview.topLeft()), kPreview.size() * 2));
        click(kRedArrow);
        QTRY_COMPARE(preview(), QColor(1, 0, 0));
        click(kGrabColor);
        // In the other program's pattern, where each device pixel differs from its neighbours;
        // an even root position is a logical pixel's corner.
        const QPoint spot((peerArea.left() + 60) & ~1, (peerArea.top() + 70) & ~1);
        const QColor colour = x.pixel(spot);
        x.pointTo(spot);
        QTRY_COMPARE(preview(), colour);
    }
};

QTEST_MAIN(TestE2EJourney)
#include "test_e2e_journey.moc"
