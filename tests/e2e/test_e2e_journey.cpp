// One user's session with the real program on a private desktop (tests/run-in-desktop), driven
// by real input, each function from a known start: a Swatchly of its own on settings of its own,
// beside the peer where it needs another program. The start-up screen and a bar clicked, the
// window as a screen reader reads it over AT-SPI (names, roles, labelled-by relations, showing
// states, the link's action) and used by keys alone (a colour typed and applied, saving the
// picture of the window that the documentation shows, and copied; grab mode started with Space
// and ended with Escape; the link followed), a colour grabbed from another program and dragged
// into it, a colour picked with --pick, swatches kept across a kill, Stay On Top, the fixed size
// and File > Exit; menu items are chosen by the keyboard, found by their names.
// Then the pixel under the pointer at every scale, over a pattern in which every device pixel of
// the desktop has its own colour (pattern.h), zero tolerance: the window started scaled with a
// colour given, Grab Color and the loupe's framed centre at a few places; the probe that Grab
// Color, the loupe and --pick share at the corners of each screen and 200 places more (this
// program run as "probe" at the scale under test, all 11 x 11 pixels read around the pointer
// checked), --pick itself at each screen's corners; by QT_SCALE_FACTOR and
// QT_SCREEN_SCALE_FACTORS, on one screen and on two with different factors, the second at an
// offset origin.

#include <QRandomGenerator>
#include <QtTest>

#include "atspi.h"
#include "colour/names.h"
#include "pattern.h"
#include "platform/qt_services.h"
#include "platform/x11.h"
#include "xsession.h"

// Points of the client area (296 x 255 logical pixels under the menu bar; 353 high with the
// swatches shown, which widen it).
const QPoint kPreview(232, 62), kRedArrow(278, 164), kGrabColor(93, 98);
const QColor kOrange(255, 128, 0);

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

// The mean of the size x size device pixels around `centre`, in linear light, of what `paint`
// paints there: worked out here with the sRGB formulas as published.
static QString linearMean(const std::function<QRgb(QPoint)>& paint, QPoint centre, int size) {
    double sum[3] = {};
    for (int dy = -size / 2; dy <= size / 2; ++dy)
        for (int dx = -size / 2; dx <= size / 2; ++dx) {
            const QRgb p = paint(centre + QPoint(dx, dy));
            const int channels[] = {qRed(p), qGreen(p), qBlue(p)};
            for (int i = 0; i < 3; ++i) {
                const double c = channels[i] / 255.0;
                sum[i] += c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            }
        }
    int out[3];
    for (int i = 0; i < 3; ++i) {
        const double l = sum[i] / (size * size);
        out[i] = int(
            std::lround(255 * (l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055)));
    }
    return QColor(out[0], out[1], out[2]).name().toUpper();
}

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
    Atspi a11y;
    QList<std::pair<QString, qint64>> said;  // announcements heard, with when
    QElapsedTimer clock;
    QProcess *swatchly = nullptr, *peer = nullptr;
    qulonglong id = 0, peerId = 0;
    double scale = 1;
    QRect peerArea;
    // What the peer shows: 0 its two bands, 1 or 2 the pattern over so many screens.
    int shown = -1;
    QTemporaryDir bin;     // the desktop's opener
    QTemporaryDir config;  // the settings of one function's Swatchly and picks

    // A fresh Swatchly, read by a screen reader, its links going to the opener; true once the
    // window manager has framed it, it shows `colour` and the screen reader sees it.
    bool start(double atScale = 1, const QStringList& args = {}, QColor colour = Qt::black) {
        scale = atScale;
        swatchly = x.launch(
            SWATCHLY_BIN, args,
            {"QT_SCALE_FACTOR=" + QString::number(scale), "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"});
        id = x.waitForWindow("^Swatchly$", swatchly->processId());
        return id && QTest::qWaitFor([&] {
                   return xprop("_NET_FRAME_EXTENTS").contains('=') && preview() == colour &&
                          a11y.tree().contains("Grab Color");
               });
    }
    // The other program on the desktop: the peer's two bands at the top left (0), or the pattern
    // over 1 or 2 screens. Started again only for a change: it keeps nothing from one function
    // for the next but the drops it printed, which are read away.
    static constexpr int kChecker = 10;  // show(): the checkerboard over the one screen
    void show(int screens) {
        if (screens == shown) return static_cast<void>(peer->readAllStandardOutput());
        if (peer) peer->kill(), peer->waitForFinished();
        // Two screens are two monitors set over the one; deleting them gives the one back.
        for (const char* monitor : {"A", "B"}) x.run("xrandr", {"--delmonitor", monitor});
        if ((shown = screens) == 2) {
            x.run("xrandr", {"--setmonitor", "A", "512/135x768/203+0+0", "screen"});
            x.run("xrandr", {"--setmonitor", "B", "512/135x768/203+512+0", "none"});
            if (!x.run("xrandr", {"--listmonitors"}).contains("Monitors: 2"))
                return static_cast<void>(shown = -1);
        }
        peer = x.launch(PEER_BIN, screens == kChecker ? QStringList("--checker")
                                  : screens           ? QStringList("--pattern")
                                            : QStringList{"Peer", kLeft.name(), kRight.name()});
        if (screens == kChecker) {
            QTRY_COMPARE(x.pixel({1023, 766}).name(), "#ffffff");
        } else if (screens) {
            QTRY_COMPARE(x.pixel({1023, 767}).name().toUpper(), html(screens, {1023, 767}));
        } else {
            peerId = x.waitForWindow("^Peer$", peer->processId());
            QTRY_VERIFY((peerArea = x.geometry(peerId)).x() < 40);
        }
    }
    QString xprop(const char* property) { return x.run("xprop", {"-id", n(id), property}); }
    qulonglong active() { return x.run("xdotool", {"getactivewindow"}).toULongLong(); }
    QPoint at(QPoint client) {
        const QRect g = x.geometry(id);
        const int height = g.width() > 296 * scale ? 353 : 255;
        return QPoint(g.left(), g.bottom() + 1 - height * scale) + client * scale;
    }
    void click(QPoint client) { x.pointTo(at(client)), x.xdotool({"click", "1"}); }
    QColor preview() { return x.pixel(at(kPreview)); }
    QString clipboard() { return x.run("xclip", {"-o", "-selection", "clipboard"}); }
    // A menu item chosen by the keyboard, by its name wherever it stands: Alt and Down open the
    // first menu, Down walks it and Right, once the highlight has come round, opens the next.
    // Each key waits for the screen reader to read the highlight moved by the one before.
    bool choose(const QString& item) {
        QMap<QString, Atspi::Node> t = a11y.tree();
        t.removeIf([&](auto it) { return a11y.role(it.value()) != "menu item"; });
        auto highlight = [&] {
            QStringList on = t.keys();
            on.removeIf([&](const QString& name) { return !a11y.has(t[name], Atspi::kFocused); });
            return on;
        };
        QList<QStringList> seen{{}};  // nothing highlighted before Alt
        x.xdotool({"windowactivate", "--sync", n(id), "key", "alt", "Down"});
        for (QStringList on; seen.size() < 40; seen << on) {
            if (!QTest::qWaitFor([&] { return (on = highlight()) != seen.last(); })) return false;
            if (on.contains(item)) return x.xdotool({"key", "Return"}), true;
            x.xdotool({"key", seen.contains(on) ? "Right" : "Down"});
        }
        return false;
    }
    // --pick at the pointer, the keys given then; what it printed, and its exit status once it
    // has ended.
    std::pair<QString, int> pick(const QStringList& args, const QStringList& env = {},
                                 const QStringList& keys = {"click", "1"}) {
        QProcess* pick = x.launch(SWATCHLY_BIN, QStringList("--pick") + args, env);
        if (!x.waitForWindow("^Swatchly pick$", pick->processId())) return {"no pick window", -1};
        x.xdotool(keys);
        if (!pick->waitForFinished(10000)) return {"still picking", -1};
        return {pick->readAllStandardOutput(), pick->exitCode()};
    }
    void drag(QPoint from, QPoint to) {
        x.xdotool({"mousemove", n(from.x()), n(from.y()), "mousedown", "1", "mousemove_relative",
                   "--", "-20", "0", "sleep", "0.3", "mousemove", n(to.x()), n(to.y()), "sleep",
                   "0.3", "mouseup", "1"});
    }
  public slots:
    void announced(const QDBusMessage& event) {
        said.append({event.arguments().value(3).value<QDBusVariant>().variant().toString(),
                     clock.elapsed()});
    }

  private slots:
    void initTestCase() {
        clock.start();
        // The desktop's opener, first on the path, notes what it is asked to open in the settings
        // folder of the function running.
        qputenv("PATH", (bin.path() + ":" + qEnvironmentVariable("PATH")).toLocal8Bit());
        QFile opener(bin.filePath("xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly) &&
                opener.write("#!/bin/sh\necho \"$1\" >>\"$XDG_CONFIG_HOME/opened\"\n") &&
                opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner));
        QVERIFY(a11y.ready());
    }
    // Each function starts what it needs on settings of its own; what Swatchly it started ends
    // with it.
    void init() { qputenv("XDG_CONFIG_HOME", (config = QTemporaryDir()).path().toLocal8Bit()); }
    void cleanup() {
        if (swatchly) swatchly->kill(), swatchly->waitForFinished(), swatchly = nullptr;
    }

    // Black at start, a bar's arrow clicked steps it; then as a screen reader reads it: each Set
    // named for its row, each row and bar labelled, the preview named with the colour, nothing
    // past the fixed window showing, the link a link that can be followed.
    void startsBlackABarClickStepsAndAScreenReaderReadsIt() {
        QVERIFY2(start(), "no Swatchly window showing black");
        click(kRedArrow);
        QTRY_COMPARE(preview(), QColor(1, 0, 0));
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
        // The preview's description names the colour; the Contrast view reads as tables.
        QVERIFY(a11y.description(t.value("Current colour, #010000")).startsWith("\u2248 black\n"));
        QVERIFY(choose("Contrast..."));
        QTRY_COMPARE(a11y.role(a11y.tree().value("Contrast of the current colour")), "table");
        QVERIFY(a11y.tree().contains("20.97:1"));
    }

    void byKeysAlone() {
        QVERIFY(start());
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
        QTRY_COMPARE(x.run("cat", {config.filePath("opened")}), "https://swatchly.example/\n");
    }

    // With Copy on Pick, the pick lands on the clipboard too; then it is dragged back.
    void colourGrabbedFromAnotherProgramAndDraggedIntoIt() {
        show(0);
        said.clear();
        QVERIFY(a11y.listen(this, SLOT(announced(QDBusMessage))));
        QVERIFY(start());
        const QPoint left = peerArea.topLeft() + QPoint(40, 25), right = left + QPoint(80, 0);
        QVERIFY(choose("Copy on Pick"));
        click(kGrabColor);
        x.pointTo(left);
        QTRY_COMPARE(preview(), kLeft);
        QVERIFY(a11y.has(a11y.tree().value("Grab Color"), Atspi::kChecked));
        // A screen reader hears the colour under the pointer by its name once it rests there.
        auto name = [](QColor c) {
            return swatchly::nameText(
                {std::int16_t(c.red()), std::int16_t(c.green()), std::int16_t(c.blue())});
        };
        QTRY_VERIFY(!said.isEmpty() && said.last().first == name(kLeft));
        // The loupe beside the pointer is never the active window, and lets the click that picks
        // through to the other program, which then is active and so ends grab mode.
        x.pointTo(right);
        QTRY_COMPARE(preview(), kRight);
        QCOMPARE(active(), id);
        const QRect loupe = x.geometry(x.waitForWindow("^Swatchly magnifier$"));
        const QPoint through = loupe.topLeft() + QPoint(4, 4);
        QVERIFY2(!loupe.isEmpty() && peerArea.contains(through), "no loupe over the peer");
        x.xdotool({"mousemove", n(through.x()), n(through.y()), "click", "1"});
        QTRY_COMPARE(active(), peerId);
        // Qt learns of the focus loss late; the tick after it ends grab mode: Grab Color's check
        // goes off and the loupe hides. That tick would be the one to take the focus back.
        QTRY_VERIFY(!a11y.has(a11y.tree().value("Grab Color"), Atspi::kChecked));
        QTRY_VERIFY(x.run("xdotool", {"search", "--onlyvisible", "--name", "^Swatchly magnifier$"})
                        .isEmpty());
        QCOMPARE(active(), peerId);  // Swatchly leaves the focus where the user put it
        QCOMPARE(clipboard(), kRight.name().toUpper());
        // Then the pick, and never two announcements less than half a second apart.
        QTRY_COMPARE(said.last().first, "Picked " + name(kRight));
        for (qsizetype i = 1; i + 1 < said.size(); ++i)
            QVERIFY(said[i].second - said[i - 1].second >= 450);
        // Dragged past the drag distance onto the other band, pausing for the drop protocol's
        // answers as a hand would: the pick as a colour and as text. The pointer rests over that
        // band for longer than three ticks before the drop, so a tick still sampling after grab
        // mode ended would have taken the band's colour.
        drag(at(kPreview), left);
        QTRY_COMPARE(peer->peek(100), QByteArray("#c08040 #C08040\n"));
        QCOMPARE(preview(), kRight);
    }

    // --pick prints the pixel under a click on another program in each form; with --copy the
    // colour is on the clipboard once it has ended; Escape or a right click cancels it.
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
        show(0);
        x.pointTo(peerArea.topLeft() + QPoint(40, 25));
        const auto [output, status] = pick(args, {}, act.split(' '));
        QCOMPARE(status, printed.isEmpty() ? 1 : 0);
        QCOMPARE(output, printed.isEmpty() ? "" : printed + '\n');
        if (args.contains("--copy")) QTRY_COMPARE(clipboard(), printed);
    }

    // Show Swatches grows the window; a colour dragged into a slot and a pick kept by --pick in
    // another process both survive a kill -9 and are there at the next start.
    void swatchesKeptAcrossAKill() {
        show(0);
        QVERIFY(start(1, {kRight.name()}, kRight));
        QVERIFY(choose("Show Swatches"));
        QTRY_VERIFY(x.geometry(id).width() > 296);
        QVERIFY(choose("Keep Picks"));
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
        swatchly->kill();  // SIGKILL
        QVERIFY(swatchly->waitForFinished(10000));
        QCOMPARE(x.run(SWATCHLY_BIN, {"--swatches"}), "#123456\n#C08040\n#C08040\n");
        QVERIFY(start());
        QTRY_COMPARE(x.pixel(at(slot1)), kLeft);
    }

    // Stay On Top neither moves nor resizes the window; the window manager offers no resize.
    void stayOnTopAtAFixedSize() {
        QVERIFY(start());
        const QRect before = x.geometry(id);
        QVERIFY(choose("Stay On Top"));
        QTRY_VERIFY(xprop("_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
        QCOMPARE(x.geometry(id), before);
        const QString actions = xprop("_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains("_MOVE") &&
                !actions.contains(QRegularExpression("RESIZE|MAXIMIZE")));
    }

    void fileExitEndsWithStatusZero() {
        QVERIFY(start());
        QVERIFY(choose("Exit"));
        QVERIFY(swatchly->waitForFinished(10000));
        QVERIFY(swatchly->exitStatus() == QProcess::NormalExit && swatchly->exitCode() == 0);
    }

    // Scaled, every control at its place times the factor, the colour given at start shown;
    // Grab Color, and the loupe framing in its centre the pixel taken: odd and even device
    // pixels and the last one, none under the window, which stands in the middle (no place kept).
    void scaled_data() {
        QTest::addColumn<double>("factor");
        for (double factor : {1.5, 2.0}) QTest::addRow("%g", factor) << factor;
    }
    void scaled() {
        QFETCH(double, factor);
        show(1);
        QVERIFY(start(factor, {"&H965A1E"}, QColor(30, 90, 150)));
        QCOMPARE(x.geometry(id).width(), qRound(296 * factor));
        click(kGrabColor);
        for (QPoint place : QList<QPoint>{{101, 100}, {100, 101}, {5, 333}, {1023, 767}}) {
            x.pointTo(place);
            QTRY_COMPARE(preview().name().toUpper(), html(shown, place));
            const QRect loupe = x.geometry(x.waitForWindow("^Swatchly magnifier$"));
            QTRY_COMPARE(x.pixel(loupe.topLeft() + QPoint(45, 45) * scale).name().toUpper(),
                         html(shown, place));
        }
    }

    // --pick --average over the real screen, unscaled and at 2x: on the pattern, whose every
    // device pixel has its own colour, the mean in linear light; on the checkerboard, 3 x 3 round
    // a white pixel is #C5C5C5 (5/9 white), not the plain mean's #8E8E8E.
    void averageOverTheScreen_data() {
        QTest::addColumn<QString>("scale");
        for (const char* scale : {"QT_SCALE_FACTOR=1", "QT_SCALE_FACTOR=2"})
            QTest::newRow(scale) << scale;
    }
    void averageOverTheScreen() {
        QFETCH(QString, scale);
        show(1);
        for (QPoint place : {QPoint(301, 200), QPoint(256, 255)}) {
            x.pointTo(place);
            QCOMPARE(pick({"--average", "5"}, {scale}).first.trimmed(),
                     linearMean([](QPoint p) { return expected(1, p); }, place, 5));
        }
        show(kChecker);
        x.pointTo({500, 301});
        QCOMPARE(pick({"--average", "3"}, {scale}).first.trimmed(), "#C5C5C5");
    }

    // The pattern over the desktop, on one screen and on two with different factors, the second
    // at an offset origin; the program's own probe at 204 places, and --pick at each screen's
    // corners.
    void everyPixelAtEveryScale_data() {
        QTest::addColumn<int>("screens");
        QTest::addColumn<QString>("scale");
        for (const char* factor : {"1", "1.25", "1.5", "1.75", "2", "3"})
            for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"})
                QTest::addRow("%s=%s", name, factor) << 1 << QString("%1=%2").arg(name, factor);
        for (const char* scale : {"QT_SCREEN_SCALE_FACTORS=A=1.25;B=2", "QT_SCALE_FACTOR=1.5"})
            QTest::addRow("two screens, %s", scale) << 2 << QString(scale);
    }
    void everyPixelAtEveryScale() {
        QFETCH(int, screens);
        QFETCH(QString, scale);
        show(screens);
        if (shown != screens) QSKIP("xrandr cannot split the desktop into two screens here");
        QProcess* probe = x.launch(JOURNEY_BIN, {"probe", n(screens)}, {scale});
        QVERIFY(probe->waitForFinished(30000));
        QVERIFY2(probe->exitCode() == 0, probe->readAllStandardOutput().constData());
        for (const QRect& s : screensOf(screens))
            for (QPoint corner : {s.topLeft(), s.topRight(), s.bottomLeft(), s.bottomRight()}) {
                x.pointTo(corner);
                QCOMPARE(pick({}, {scale}).first.trimmed(), html(screens, corner));
            }
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (app.arguments().value(1) == "probe") return probe(app.arguments().value(2).toInt());
    TestE2EJourney test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_e2e_journey.moc"
