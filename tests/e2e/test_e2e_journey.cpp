// One user's session with the real program on a private desktop (tests/run-in-desktop), driven
// by real input, step by step and in order: the start-up screen and a bar clicked, the window as
// a screen reader reads it over AT-SPI (names, roles, labelled-by relations, showing states, the
// link's action) and used by keys alone (a colour typed and applied, saving the picture of the
// window that the documentation shows, and copied; grab mode started with Space and ended with
// Escape; the link followed; Stay On Top and File > Exit below go by keys too), a colour grabbed
// from another program, the colour dragged into it, a colour picked with --pick, swatches kept
// across a kill, Stay On Top, the fixed size and File > Exit.
// Then the pixel under the pointer at every scale, over a pattern in which every device pixel of
// the desktop has its own colour (pattern.h), zero tolerance: the probe that Grab Color, the loupe
// and --pick share at the corners of each screen and 200 places more (this program run as
// "probe" at the scale under test, all 11 x 11 pixels read around the pointer checked), --pick
// itself at each screen's corners, the window started scaled with a colour
// given, Grab Color and the loupe's framed centre at a few places; by QT_SCALE_FACTOR and
// QT_SCREEN_SCALE_FACTORS, on one screen and on two with different factors, the second at an
// offset origin.

#include <QRandomGenerator>
#include <QtTest>
#include <csignal>

#include "atspi.h"
#include "pattern.h"
#include "platform/qt_services.h"
#include "platform/x11.h"
#include "xsession.h"

// Points of the client area (296 x 255 logical pixels under the menu bar).
const QPoint kPreview(232, 62), kRedArrow(278, 164), kGrabColor(93, 98);
const QColor kLeft("#123456"), kRight("#c08040"), kOrange(255, 128, 0);

static QString n(qlonglong v) { return QString::number(v); }

// The desktop as one screen, or split into two side by side.
static QList<QRect> screensOf(int count) {
    return count == 1 ? QList<QRect>{{0, 0, 1024, 768}}
                      : QList<QRect>{{0, 0, 512, 768}, {512, 0, 512, 768}};
}
// The pattern's pixel at a device point of the desktop, transparent off every screen.
static QRgb expected(int screens, QPoint p) {
    for (int i = 0; i < screens; ++i)
        if (screensOf(screens)[i].contains(p)) return patternAt(p, i);
    return 0;
}
static QString html(int screens, QPoint p) { return QColor(expected(screens, p)).name().toUpper(); }

// The probe at each screen's corners and 200 places more: prints the places read wrong, exits
// with their count.
static int probe(int screens) {
    QList<QPoint> places;
    QRandomGenerator random(1);
    for (const QRect& s : screensOf(screens)) {
        places << s.topLeft() << s.topRight() << s.bottomLeft() << s.bottomRight();
        for (int i = 0; i < 200 / screens; ++i)
            places << s.topLeft() + QPoint(random.bounded(s.width()), random.bounded(s.height()));
    }
    swatchly::QtScreenProbe probe;
    int wrong = 0;
    for (const QPoint& place : places) {
        swatchly::x11::movePointer(place - swatchly::x11::pointer().value_or(QPoint()));
        QImage want(11, 11, QImage::Format_ARGB32);
        for (int i = 0; i < 121; ++i)
            want.setPixel(i % 11, i / 11,
                          expected(screens, place + QPoint(i % 11 - 5, i / 11 - 5)));
        if (probe.regionUnderPointer(5) != want && ++wrong)
            std::printf("at %d,%d\n", place.x(), place.y());
    }
    return wrong;
}

class TestE2EJourney : public QObject {
    Q_OBJECT
    XSession x;
    QProcess *swatchly = nullptr, *peer = nullptr;
    qulonglong id = 0, peerId = 0;
    double scale = 1;
    int clientHeight = 255;
    QRect peerArea;
    int screens = 1;
    Atspi a11y;
    QTemporaryDir home;

    bool start(double atScale, const QStringList& args = {}, const QStringList& env = {}) {
        scale = atScale;
        swatchly = x.launch(SWATCHLY_BIN, args,
                            QStringList{"QT_SCALE_FACTOR=" + QString::number(scale)} + env);
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
    // --pick at the pointer, the keys given then; what it printed, and its exit status.
    std::pair<QString, int> pick(const QStringList& args, const QStringList& env = {},
                                 const QStringList& keys = {"click", "1"}) {
        QProcess* pick = x.launch(SWATCHLY_BIN, QStringList("--pick") + args, env);
        if (!x.waitForWindow("^Swatchly pick$")) return {"no pick window", -1};
        x.xdotool(keys);
        pick->waitForFinished(10000);
        return {pick->readAllStandardOutput(), pick->exitCode()};
    }
    void showPattern() {
        static QProcess* pattern = nullptr;
        if (pattern) pattern->kill(), pattern->waitForFinished();
        pattern = x.launch(PEER_BIN, {"--pattern"});
        const QPoint last = screensOf(screens).last().bottomRight();
        QTRY_COMPARE(x.pixel(last).name().toUpper(), html(screens, last));
    }
    void drag(QPoint from, QPoint to) {
        x.xdotool({"mousemove", n(from.x()), n(from.y()), "mousedown", "1", "mousemove_relative",
                   "--", "-20", "0", "sleep", "0.3", "mousemove", n(to.x()), n(to.y()), "sleep",
                   "0.3", "mouseup", "1"});
    }

  private slots:
    void initTestCase() {
        peer = x.launch(PEER_BIN, {"Peer", kLeft.name(), kRight.name()});
        peerId = x.waitForWindow("^Peer$");
        x.xdotool({"windowmove", n(peerId), "8", "30"});  // clear of Swatchly, which centres itself
        QTRY_VERIFY((peerArea = x.geometry(peerId)).x() < 40);
        // The desktop's opener, first on the path, notes what it is asked to open.
        QFile opener(home.filePath("xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly) &&
                opener.write("#!/bin/sh\necho \"$1\" >>\"$0.opened\"\n") &&
                opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner));
        opener.close();
        QVERIFY(a11y.ready());
        QVERIFY2(start(1, {},
                       {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1",
                        "PATH=" + home.path() + ":" + qEnvironmentVariable("PATH")}),
                 "the Swatchly window did not appear");
    }

    void startsBlackAndABarClickSteps() {
        QTRY_COMPARE(preview(), QColor(Qt::black));
        click(kRedArrow);
        QTRY_COMPARE(preview(), QColor(1, 0, 0));
    }

    // Each Set named for its row, each row and bar labelled, the preview named with the colour,
    // nothing past the fixed window showing, the link a link that can be followed.
    void readByAScreenReader() {
        QTRY_VERIFY(a11y.tree().contains("Set RGB"));
        const QMap<QString, Atspi::Node> t = a11y.tree();
        for (const char* set : {"Set RGB", "Set VB hex", "Set HEX"})
            QCOMPARE(a11y.role(t.value(set)), "push button");
        for (const char* pair : {"Red value|RGB", "VB hex|VB", "HTML hex|HEX",
                                 "Red|Red:", "Green|Green:", "Blue|Blue:"}) {
            const QStringList p = QString(pair).split('|');
            QCOMPARE(a11y.labelledBy(t.value(p[0])), p.mid(1));
        }
        QVERIFY(a11y.has(t.value("Current colour, #010000"), Atspi::kShowing));
        for (const QString& name : t.keys())
            if (name.contains(QRegularExpression("^(Swatch \\d|Blend|Active window|Red preview)")))
                QVERIFY2(!a11y.has(t.value(name), Atspi::kShowing), qPrintable(name));
        const Atspi::Node link = t.value("https://swatchly.example/");
        QCOMPARE(a11y.role(link), "link");
        QCOMPARE(a11y.call(link, "GetName", {0}, "org.a11y.atspi.Action").toString(), "Press");
    }

    void byKeysAlone() {
        auto tabTo = [&](const QString& name) {
            for (int i = 0; i < 40 && !a11y.has(a11y.tree().value(name), Atspi::kFocused); ++i)
                x.xdotool({"key", "Tab"});
            return a11y.has(a11y.tree().value(name), Atspi::kFocused);
        };
        QVERIFY(tabTo("HTML hex"));
        x.xdotool({"type", "--delay", "30", "#FF8000"});
        x.xdotool({"key", "Return"});
        QTRY_COMPARE(preview(), kOrange);
        // The window then is the picture the documentation shows. Back to the row's Set, and
        // Ctrl+C outside the boxes copies the colour.
        x.pointTo({1000, 740});
        QCOMPARE(QProcess::execute("import", {"-frame", "-window", n(id), SWATCHLY_SCREENSHOT}), 0);
        x.xdotool({"key", "--delay", "80", "shift+Tab", "shift+Tab", "ctrl+c"});
        QTRY_COMPARE(clipboard(), "#FF8000");
        QVERIFY(tabTo("Grab Color"));
        x.xdotool({"key", "space"});
        QTRY_VERIFY(a11y.has(a11y.tree().value("Grab Color"), Atspi::kChecked));
        x.xdotool({"key", "Escape"});
        QTRY_VERIFY(!a11y.has(a11y.tree().value("Grab Color"), Atspi::kChecked));
        QVERIFY(tabTo("https://swatchly.example/"));
        x.xdotool({"key", "Return"});
        auto opened = [&] {
            QFile f(home.filePath("xdg-open.opened"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        QTRY_COMPARE(opened(), "https://swatchly.example/\n");
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

    // --pick prints the pixel under a click on another program in each form; with --copy the
    // colour is on the clipboard 2 s after it has ended; Escape or a right click cancels it.
    void pickFromTheCommandLine_data() {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("act");
        QTest::addColumn<QStringList>("args");  // after --pick
        for (const char* row :
             {"#123456 --format html", "&H563412& --format vb", "18,52,86 --format rgb",
              "18;52;86 --format %{r};%{g};%{b} --copy"}) {
            const QStringList r = QString(row).split(' ');
            QTest::addRow("%s", row) << r[0] << "click 1" << r.mid(1);
        }
        for (const char* act : {"key Escape", "click 3"})
            QTest::addRow("cancel by %s", act) << "" << act << QStringList();
    }
    void pickFromTheCommandLine() {
        QFETCH(QString, printed);
        QFETCH(QString, act);
        QFETCH(QStringList, args);
        x.pointTo(peerArea.topLeft() + QPoint(40, 25));
        const auto [output, status] = pick(args, {}, act.split(' '));
        QCOMPARE(status, printed.isEmpty() ? 1 : 0);
        QCOMPARE(output, printed.isEmpty() ? "" : printed + '\n');
        if (args.contains("--copy")) QCOMPARE((QTest::qWait(2000), clipboard()), printed);
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
        QCOMPARE(pick({}).first, "#123456\n");
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

    // Stay On Top neither moves nor resizes the window; the window manager offers no resize.
    void stayOnTopAtAFixedSize() {
        const QRect before = x.geometry(id);
        option(1);  // Stay On Top
        QTRY_VERIFY(xprop("_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
        QCOMPARE(x.geometry(id), before);
        const QString actions = xprop("_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains("_MOVE") &&
                !actions.contains(QRegularExpression("RESIZE|MAXIMIZE")));
    }

    void fileExitEndsWithStatusZero() {
        x.xdotool({"windowactivate", "--sync", n(id), "key", "--delay", "100", "alt", "Down", "Up",
                   "Return"});
        QVERIFY(swatchly->waitForFinished(10000));
        QVERIFY(swatchly->exitStatus() == QProcess::NormalExit && swatchly->exitCode() == 0);
    }

    // The pattern over the desktop; the program's own probe at 204 places, and --pick at each
    // screen's corners.
    void everyPixelAtEveryScale_data() {
        QTest::addColumn<QString>("scale");
        for (const char* factor : {"1", "1.25", "1.5", "1.75", "2", "3"})
            for (const char* variable : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"})
                QTest::addRow("%s=%s", variable, factor) << QString("%1=%2").arg(variable, factor);
    }
    void everyPixelAtEveryScale() {
        QFETCH(QString, scale);
        if (peer) swatchly->kill(), peer->kill(), peer = nullptr, showPattern();
        QProcess* probe = x.launch(JOURNEY_BIN, {"probe", n(screens)}, {scale});
        QVERIFY(probe->waitForFinished(30000));
        QVERIFY2(probe->exitCode() == 0, probe->readAllStandardOutput().constData());
        for (const QRect& s : screensOf(screens))
            for (QPoint corner : {s.topLeft(), s.topRight(), s.bottomLeft(), s.bottomRight()}) {
                x.pointTo(corner);
                QCOMPARE(pick({}, {scale}).first.trimmed(), html(screens, corner));
            }
    }

    // Scaled, every control at its place times the factor, the colour given at start shown;
    // Grab Color, and the loupe framing in its centre the pixel taken: odd and even device
    // pixels and the last one, none under the window, which stands in the middle (no place kept).
    void scaled_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }
    void scaled() {
        QFETCH(double, factor);
        QTemporaryDir config;
        QVERIFY(start(factor, {"&H965A1E"}, {"XDG_CONFIG_HOME=" + config.path()}));
        QCOMPARE(x.geometry(id).width(), qRound(296 * factor));
        QTRY_COMPARE(preview(), QColor(30, 90, 150));
        click(kGrabColor);
        for (QPoint place :
             {QPoint(101, 100), QPoint(100, 101), QPoint(5, 333), QPoint(1023, 767)}) {
            x.pointTo(place);
            QTRY_COMPARE(preview().name().toUpper(), html(screens, place));
            const QRect loupe = x.geometry(x.waitForWindow("^Swatchly magnifier$"));
            QTRY_COMPARE(x.pixel(loupe.topLeft() + QPoint(45, 45) * scale).name().toUpper(),
                         html(screens, place));
        }
        swatchly->kill();
    }

    // The desktop split into two screens with different factors, the second at an offset origin.
    void twoScreens_data() {
        QTest::addColumn<QString>("scale");
        QTest::newRow("by screen") << "QT_SCREEN_SCALE_FACTORS=A=1.25;B=2";
        QTest::newRow("overall") << "QT_SCALE_FACTOR=1.5";
    }
    void twoScreens() {
        if (screens == 1) {
            x.run("xrandr", {"--setmonitor", "A", "512/135x768/203+0+0", "screen"});
            x.run("xrandr", {"--setmonitor", "B", "512/135x768/203+512+0", "none"});
            if (!x.run("xrandr", {"--listmonitors"}).contains("Monitors: 2"))
                QSKIP("xrandr cannot split the desktop into two screens here");
            screens = 2;
            showPattern();
        }
        everyPixelAtEveryScale();
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (app.arguments().value(1) == "probe") return probe(app.arguments().value(2).toInt());
    TestE2EJourney test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_e2e_journey.moc"
