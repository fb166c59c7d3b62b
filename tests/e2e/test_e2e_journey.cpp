// One user's session with the real program on a private desktop (tests/run-in-desktop), driven
// by real input, step by step and in order: the start-up screen and a bar clicked, a colour
// typed and set (saving the picture of the window that the documentation shows), a colour
// grabbed from another program, the window moved by the body with each button, the colour
// dragged into the other program, a colour picked with --pick, Stay On Top, the fixed size and
// File > Exit; then a start at 200 % scaling with a colour given.

#include <QtTest>
#include <csignal>

#include "xsession.h"

// Points of the client area (296 x 255 logical pixels under the menu bar).
const QPoint kPreview(232, 62), kRedArrow(278, 164), kHexBox(51, 57), kHexSet(160, 57),
    kGrabColor(93, 98), kBody(120, 240);
const QColor kLeft("#123456"), kRight("#c08040"), kOrange(255, 128, 0);

static QString n(qlonglong v) { return QString::number(v); }

class TestE2EJourney : public QObject {
    Q_OBJECT
    XSession x;
    QProcess *swatchly = nullptr, *peer = nullptr;
    qulonglong id = 0, peerId = 0;
    int scale = 1, clientHeight = 255;
    QRect peerArea;

    bool start(int atScale, const QStringList& args = {}) {
        scale = atScale;
        swatchly = x.launch(SWATCHLY_BIN, args, {"QT_SCALE_FACTOR=" + n(scale)});
        id = x.waitForWindow("^Swatchly$");
        // Placed once the window manager has framed it.
        return id && QTest::qWaitFor([&] { return xprop("_NET_FRAME_EXTENTS").contains('='); });
    }
    QString xprop(const char* property) { return x.run("xprop", {"-id", n(id), property}); }
    qulonglong active() { return x.run("xdotool", {"getactivewindow"}).toULongLong(); }
    QPoint at(QPoint client) {
        const QRect g = x.geometry(id);
        return QPoint(g.left(), g.bottom() + 1 - clientHeight * scale) + client * scale;
    }
    void click(QPoint client) { x.pointTo(at(client)), x.xdotool({"click", "1"}); }
    QColor preview() { return x.pixel(at(kPreview)); }
    QString clipboard() { return x.run("xclip", {"-o", "-selection", "clipboard"}); }
    // Options' item at `place` (1 the first) by the keyboard.
    void option(int place) {
        QStringList keys{"windowactivate", "--sync", n(id), "key", "--delay", "100", "alt",
                         "Right",          "Right"};
        for (int i = 0; i < place; ++i) keys << "Down";
        x.xdotool(keys << "Return");
    }
    void drag(QPoint from, QPoint to) {
        x.xdotool({"mousemove", n(from.x()), n(from.y()), "mousedown", "1", "mousemove_relative",
                   "--", "-20", "0", "sleep", "0.3", "mousemove", n(to.x()), n(to.y()), "sleep",
                   "0.3", "mouseup", "1"});
    }

  private slots:
    void initTestCase() {
        peer = x.launch(PEER_BIN, {"Peer", kLeft.name(), kRight.name(), "#ff0000", "#00ff00",
                                   "#0000ff", "#ffff00"});
        peerId = x.waitForWindow("^Peer$");
        x.xdotool({"windowmove", n(peerId), "8", "30"});  // clear of Swatchly, which centres itself
        QTRY_VERIFY((peerArea = x.geometry(peerId)).x() < 40);
        QVERIFY2(start(1), "the Swatchly window did not appear");
    }

    void startsBlackAndABarClickSteps() {
        QTRY_COMPARE(preview(), QColor(Qt::black));
        click(kRedArrow);
        QTRY_COMPARE(preview(), QColor(1, 0, 0));
    }

    // A click into the box selects its text, so what is typed replaces it; Ctrl+C outside the
    // boxes copies the colour. The framed window then, with no button lit by the pointer, is the
    // picture the documentation shows.
    void colourTypedAndSet() {
        click(kHexBox);
        x.xdotool({"type", "--delay", "30", "#FF8000"});
        click(kHexSet);
        QTRY_COMPARE(preview(), kOrange);
        x.xdotool({"key", "ctrl+c"});
        QTRY_COMPARE(clipboard(), "#FF8000");
        x.pointTo({1000, 740});
        QCOMPARE(QProcess::execute("import", {"-frame", "-window", n(id), SWATCHLY_SCREENSHOT}), 0);
    }

    // With Copy on Pick, the pick lands on the clipboard too.
    void colourGrabbedFromAnotherProgram() {
        const QPoint left = peerArea.topLeft() + QPoint(40, 25), right = left + QPoint(80, 0);
        option(3);  // Copy on Pick
        click(kGrabColor);
        x.pointTo(left);
        QTRY_COMPARE(preview(), kLeft);
        // The loupe beside the pointer is never the active window, and lets the click that picks
        // through to the other program, which then is active and so ends grab mode.
        x.pointTo(right);
        QTRY_COMPARE(preview(), kRight);
        const qulonglong loupe = x.waitForWindow("^Swatchly magnifier$");
        QVERIFY(loupe);
        QCOMPARE(active(), id);
        const QPoint through = x.geometry(loupe).topLeft() + QPoint(4, 4);
        QVERIFY(peerArea.contains(through));
        x.xdotool({"mousemove", n(through.x()), n(through.y()), "click", "1"});
        QTRY_COMPARE(active(), peerId);
        QTRY_VERIFY(x.run("xdotool", {"search", "--onlyvisible", "--name", "^Swatchly magnifier$"})
                        .isEmpty());
        QTest::qWait(1000);  // Qt learns of the focus loss late; a tick notices it after
        x.pointTo(left);
        QTest::qWait(500);  // five ticks' time: none may sample any more
        QCOMPARE(preview(), kRight);
        QCOMPARE(active(), peerId);  // Swatchly leaves the focus where the user put it
        QCOMPARE(clipboard(), kRight.name().toUpper());
    }

    // --pick prints the pixel under a click on another program in each form, at 100 % and
    // 200 % (an even root position is the corner of a logical pixel there); with --copy the
    // colour is on the clipboard 2 s after it has ended; Escape or a right click cancels it.
    void pickFromTheCommandLine_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("printed");  // "pattern": the device pixel the screen shows
        QTest::addColumn<QString>("act");
        QTest::addColumn<QStringList>("args");  // after --pick
        for (int scale : {1, 2})
            for (const char* row :
                 {"#123456 --format html", "&H563412& --format vb", "18,52,86 --format rgb",
                  "pattern", "18;52;86 --format %{r};%{g};%{b} --copy"}) {
                const QStringList r = QString(row).split(' ');
                QTest::addRow("%s at %d", row, scale) << scale << r[0] << "click 1" << r.mid(1);
            }
        for (const char* act : {"key Escape", "click 3"})
            QTest::addRow("cancel by %s", act) << 1 << "" << act << QStringList();
    }
    void pickFromTheCommandLine() {
        QFETCH(int, scale);
        QFETCH(QString, printed);
        QFETCH(QString, act);
        QFETCH(QStringList, args);
        QPoint spot = peerArea.topLeft() + QPoint(40, 25);
        if (printed == "pattern") {
            spot = peerArea.topLeft() + QPoint(61, 71);
            spot = QPoint(spot.x() & -scale, spot.y() & -scale);
            printed = x.pixel(spot).name().toUpper();
        }
        x.pointTo(spot);
        QProcess* pick =
            x.launch(SWATCHLY_BIN, QStringList("--pick") + args, {"QT_SCALE_FACTOR=" + n(scale)});
        QVERIFY(x.waitForWindow("^Swatchly pick$"));
        x.xdotool(act.split(' '));
        QVERIFY(pick->waitForFinished(10000));
        QCOMPARE(pick->exitCode(), printed.isEmpty() ? 1 : 0);
        QCOMPARE(QString(pick->readAllStandardOutput()), printed.isEmpty() ? "" : printed + '\n');
        if (args.contains("--copy")) QCOMPARE((QTest::qWait(2000), clipboard()), printed);
    }

    void movedByTheBodyWithEachButton_data() {
        QTest::addColumn<int>("button");
        for (int button : {1, 2, 3}) QTest::addRow("button %d", button) << button;
    }
    void movedByTheBodyWithEachButton() {
        QFETCH(int, button);
        const QRect before = x.geometry(id);
        const QPoint body = at(kBody);
        x.xdotool({"mousemove", n(body.x()), n(body.y()), "mousedown", n(button)});
        // Once the window manager has taken over, the window follows the pointer.
        QVERIFY(QTest::qWaitFor([&] {
            x.xdotool({"mousemove_relative", "1", "0"});
            return x.geometry(id) != before;
        }));
        const QRect moved = x.geometry(id).translated(40, 30);
        x.xdotool({"mousemove_relative", "40", "30"});
        QTRY_COMPARE(x.geometry(id), moved);
        x.xdotool({"mouseup", n(button), "mousemove_relative", "50", "50"});
        QTest::qWait(300);  // a move still running would have carried the window along
        QCOMPARE(x.geometry(id), moved);
    }

    void colourDraggedIntoAnotherProgram() {
        // Past the drag distance, then over the other program, pausing for the drop protocol's
        // answers as a hand would.
        drag(at(kPreview), peerArea.center());
        // As a colour and as text.
        QTRY_COMPARE(peer->peek(100), QByteArray("#c08040 #C08040\n"));
    }

    // Show Swatches grows the window; a colour dragged into a slot and a pick kept by --pick in
    // another process both survive a kill -9 and are there at the next start.
    void swatchesKeptAcrossAKill() {
        option(5);  // Show Swatches
        QTRY_VERIFY(x.geometry(id).width() > 296);
        clientHeight = 353;
        option(4);  // Keep Picks
        const QPoint slot1(320, 48), slot3(320, 96), slot5(320, 144);
        drag(at(kPreview), at(slot3));
        QTRY_COMPARE(x.pixel(at(slot3)), kRight);
        x.pointTo(peerArea.topLeft() + QPoint(40, 25));
        QProcess* pick = x.launch(SWATCHLY_BIN, {"--pick"});
        QVERIFY(x.waitForWindow("^Swatchly pick$"));
        x.xdotool({"click", "1"});
        QVERIFY(pick->waitForFinished(10000));
        // The window writes on what the other process wrote: the pick in slot 1, slot 3's colour
        // moved to 2, and the new drop in 5.
        drag(at(kPreview), at(slot5));
        QTRY_COMPARE(x.pixel(at(slot1)), kLeft);
        drag(at(kPreview), at({318, 336}));             // the strip's right end
        QTRY_COMPARE(x.pixel(at({302, 336})), kRight);  // its last column
        x.pointTo({1000, 740});
        QCOMPARE(QProcess::execute("import", {"-frame", "-window", n(id), SWATCHLY_SWATCHES}), 0);
        ::kill(swatchly->processId(), SIGKILL);
        QVERIFY(swatchly->waitForFinished(10000));
        QCOMPARE(x.run(SWATCHLY_BIN, {"--swatches"}), "#123456\n#C08040\n#C08040\n");
        QVERIFY(start(1));
        QTRY_COMPARE(x.pixel(at(slot1)), kLeft);
        option(4);  // Keep Picks and Show Swatches off, as the rest of the journey has them
        option(5);
        QTRY_COMPARE(x.geometry(id).width(), 296);
        clientHeight = 255;
    }

    // Stay On Top neither moves nor resizes the window. The window manager offers no resize, and
    // takes requests in turn: once the window has moved, the resize has had its answer.
    void stayOnTopAtAFixedSize() {
        const QRect before = x.geometry(id);
        QVERIFY(!xprop("_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
        option(1);  // Stay On Top
        QTRY_VERIFY(xprop("_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
        QCOMPARE(x.geometry(id), before);
        x.xdotool({"windowsize", n(id), "500", "420", "windowmove", n(id), "100", "100"});
        QTRY_VERIFY(x.geometry(id).topLeft() != before.topLeft());
        QCOMPARE(x.geometry(id).size(), before.size());
        const QString actions = xprop("_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains("_MOVE") &&
                !actions.contains(QRegularExpression("RESIZE|MAXIMIZE")));
    }

    void fileExitEndsWithStatusZero() {
        x.xdotool({"windowactivate", "--sync", n(id), "key", "--delay", "100", "alt", "Down", "Up",
                   "Return"});
        QVERIFY(swatchly->waitForFinished(10000));
        QCOMPARE(swatchly->exitStatus(), QProcess::NormalExit);
        QCOMPARE(swatchly->exitCode(), 0);
    }

    // Every control at twice its place, and Grab Color reading the device pixel under the
    // pointer (in the other program's pattern each differs from its neighbours) at an even
    // root position, the corner of a logical pixel.
    void scaledTo200Percent() {
        QVERIFY2(start(2, {"&H965A1E"}), "the Swatchly window did not appear");
        QCOMPARE(x.geometry(id).width(), 2 * 296);
        QTRY_COMPARE(preview(), QColor(30, 90, 150));
        click(kRedArrow);
        QTRY_COMPARE(preview(), QColor(31, 90, 150));
        click(kGrabColor);
        const QPoint spot((peerArea.left() + 60) & ~1, (peerArea.top() + 70) & ~1);
        const QColor colour = x.pixel(spot);
        x.pointTo(spot);
        QTRY_COMPARE(preview(), colour);
    }
};

QTEST_MAIN(TestE2EJourney)
#include "test_e2e_journey.moc"
