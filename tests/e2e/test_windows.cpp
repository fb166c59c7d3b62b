// The Windows build under Wine, on a private X desktop (tests/run-in-desktop): swatchly.exe and
// swatchly.com from SWATCHLY_WINDOWS_DIR run by Wine in the prefix WINEPREFIX, beside the peer
// (a window of known colours, built for Windows too: Wine sees no clicks on Linux windows). The
// window maps at its fixed size, Grab Color and --pick take the peer's pixel exactly (at 96 and at
// 192 dpi), Stay On Top makes the window topmost, a drag on the body moves it, and the installer
// installs and uninstalls silently in a fresh prefix. Wine is not Windows: what this proves is the
// program's own side of each call.

#include <QtTest>

#include "xsession.h"

class TestWindows : public QObject {
    Q_OBJECT
    XSession x;
    const QString dir = qEnvironmentVariable("SWATCHLY_WINDOWS_DIR");
    QRect peerArea;
    qulonglong id = 0;

    // A Windows program under Wine; the desktop's QT_QPA_PLATFORM names the Linux plugin.
    QProcess* start(const QString& program, const QStringList& args, QStringList env = {}) {
        return x.launch(program, args, env << "QT_QPA_PLATFORM=windows");
    }
    // Runs a program of Wine's to its end; its exit code.
    int run(const QString& program, const QStringList& args, const QStringList& env = {}) {
        QProcess* p = start(program, args, env);
        return p->waitForFinished(120000) ? p->exitCode() : -1;
    }
    // For the programs started from now on; Wine reads it as a process starts.
    void setDpi(int dpi) {
        run("wine", {"reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t",
                     "REG_DWORD", "/d", n(dpi), "/f"});
    }
    bool startPeer() {
        start("wine", {dir + "/tests/e2e_peer.exe", "Peer", kLeft.name(), kRight.name()});
        return (peerArea = x.geometry(x.waitForWindow("^Peer$"))).isValid();
    }
    // True once the window, `id`, has its width at `dpi`.
    bool startSwatchly(int dpi = 96) {
        start("wine", {dir + "/swatchly.exe"});
        id = x.waitForWindow("^Swatchly$");
        return QTest::qWaitFor([&] { return x.geometry(id).width() == 296 * dpi / 96; });
    }

  private slots:
    // Each function from no program running, at 96 dpi.
    void cleanup() {
        QProcess::execute("wineserver", {"-k"});
        setDpi(96);
    }

    // At 96 dpi and at 192: --pick from a console takes the device pixel under a click on
    // another program, printed by swatchly.com with swatchly.exe's exit code; the client maps 296
    // logical pixels wide under its menu bar, in device pixels, and keeps its size when the
    // desktop asks for another.
    void atEachDpi_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("96 dpi") << 96;
        QTest::newRow("192 dpi") << 192;
    }
    void atEachDpi() {
        QFETCH(int, dpi);
        setDpi(dpi);
        QVERIFY(startPeer());
        QProcess* pick = start("wine", {dir + "/swatchly.com", "--pick"});
        // Wine maps no window that lies off the screen, as the pick's does: it is only named.
        QTRY_VERIFY_WITH_TIMEOUT(
            !x.run("xdotool", {"search", "--name", "^Swatchly pick$"}).isEmpty(), 20000);
        x.xdotool({"mousemove", n(peerArea.right() - 40), n(peerArea.top() + 25), "click", "1"});
        QVERIFY(pick->waitForFinished(30000));
        QCOMPARE(pick->readAllStandardOutput().trimmed(), kRight.name().toUpper().toLatin1());
        QCOMPARE(pick->exitCode(), 0);
        QVERIFY(startSwatchly(dpi));
        const QRect before = x.geometry(id);
        QVERIFY(before.height() > 255 * dpi / 96);
        x.xdotool({"windowsize", n(id), "500", "500"});
        QTRY_COMPARE(x.geometry(id).size(), before.size());
    }

    // Grab Color follows the pointer onto the peer; Stay On Top makes the window topmost; a drag
    // on the bare body moves it.
    void grabStayOnTopAndMove() {
        QVERIFY(startPeer());
        QVERIFY(startSwatchly());
        QRect g = x.geometry(id);
        const QPoint client(g.left(), g.bottom() + 1 - 255);
        x.pointTo(client + QPoint(93, 98)), x.xdotool({"click", "1"});  // Grab Color
        x.pointTo(peerArea.topLeft() + QPoint(40, 25));
        QTRY_COMPARE(x.pixel(client + QPoint(232, 62)), kLeft);
        x.xdotool({"key", "Escape"});
        // Options is the last menu; Stay On Top its first item.
        x.xdotool({"windowactivate", "--sync", n(id), "key", "--delay", "150", "alt", "Right",
                   "Right", "Down", "Return"});
        QTRY_VERIFY(
            x.run("xprop", {"-id", n(id), "_NET_WM_STATE"}).contains("_NET_WM_STATE_ABOVE"));
        g = x.geometry(id);
        const QPoint body = client + QPoint(120, 240);
        x.xdotool({"mousemove", n(body.x()), n(body.y()), "mousedown", "1", "sleep", "0.3",
                   "mousemove_relative", "--", "60", "40", "sleep", "0.3", "mouseup", "1"});
        QTRY_COMPARE(x.geometry(id).topLeft(), g.topLeft() + QPoint(60, 40));
    }

    // The installer, silently, in a fresh prefix: for this user, a Start menu entry, and gone
    // again with its uninstaller.
    void installsAndUninstalls() {
        QTemporaryDir prefix;
        const QStringList env{"WINEPREFIX=" + prefix.path()};
        QCOMPARE(run("wineboot", {"-i"}, env), 0);
        const QString setup = QDir(dir).entryList({"swatchly-*-setup.exe"}).value(0);
        QCOMPARE(run("wine", {dir + "/" + setup, "/S"}, env), 0);
        const QString home =
            prefix.path() + "/drive_c/users/" + qEnvironmentVariable("USER", "root");
        const QString installed = home + "/AppData/Local/Programs/Swatchly";
        for (const QString& file : {installed + "/swatchly.exe", installed + "/swatchly.com",
                                    home + "/AppData/Roaming/Microsoft/Windows/Start Menu/"
                                           "Programs/Swatchly.lnk"})
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        run("wine", {installed + "/Uninstall.exe", "/S"}, env);
        // The uninstaller runs on from a copy of itself once it has started.
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(installed + "/swatchly.exe"), 30000);
        run("wineserver", {"-k"}, env);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
