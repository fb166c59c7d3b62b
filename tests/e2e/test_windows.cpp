// The Windows build under Wine, on a private X desktop (tests/run-in-desktop): swatchly.exe and
// swatchly.com from SWATCHLY_WINDOWS_DIR run by Wine in the prefix WINEPREFIX, beside the peer
// (a window of known colours, built for Windows too: Wine sees no clicks on Linux windows). The window maps at its fixed size, Grab Color and --pick
// take the peer's pixel exactly (at 96 and at 192 dpi), Stay On Top makes the window topmost, a
// drag on the body moves it, and the installer installs and uninstalls silently in a fresh
// prefix. Wine is not Windows: what this proves is the program's own side of each call.

#include <QtTest>

#include "xsession.h"

const QColor kLeft("#123456"), kRight("#c08040");

static QString n(qlonglong v) { return QString::number(v); }

class TestWindows : public QObject {
    Q_OBJECT
    XSession x;
    const QString dir = qEnvironmentVariable("SWATCHLY_WINDOWS_DIR");
    QRect peerArea;

    // A Windows program under Wine; the desktop's QT_QPA_PLATFORM names the Linux plugin.
    QProcess* start(const QString& program, const QStringList& args, QStringList env = {}) {
        return x.launch(program, args, env << "QT_QPA_PLATFORM=windows");
    }
    // Runs a Windows program to its end; its output and exit code.
    std::pair<QString, int> wine(const QStringList& args, const QStringList& env = {}) {
        QProcess* p = start("wine", args, env);
        if (!p->waitForFinished(60000)) return {"still running", -1};
        return {QString::fromLocal8Bit(p->readAllStandardOutput()), p->exitCode()};
    }
    // For the programs started from now on; Wine reads it as a process starts.
    void setDpi(int dpi) {
        wine({"reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
              "/d", n(dpi), "/f"});
    }
    bool startPeer() {
        start("wine", {dir + "/tests/e2e_peer.exe", "Peer", kLeft.name(), kRight.name()});
        const qulonglong id = x.waitForWindow("^Peer$");
        peerArea = x.geometry(id);
        return id;
    }
    qulonglong startSwatchly(QProcess** process = nullptr) {
        QProcess* p = start("wine", {dir + "/swatchly.exe"});
        if (process) *process = p;
        return x.waitForWindow("^Swatchly$");
    }

  private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo::exists(dir + "/swatchly.exe"), "SWATCHLY_WINDOWS_DIR has no build");
    }
    // Each function from no program running, at 96 dpi.
    void cleanup() {
        QProcess::execute("wineserver", {"-k"});
        setDpi(96);
    }

    // The client 296 logical pixels wide under its menu bar, in device pixels at 96 dpi and
    // twice that at 192, and it keeps its size when the desktop asks for another.
    void mapsAtItsFixedSize_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("96 dpi") << 96;
        QTest::newRow("192 dpi") << 192;
    }
    void mapsAtItsFixedSize() {
        QFETCH(int, dpi);
        setDpi(dpi);
        const qulonglong id = startSwatchly();
        QVERIFY(id);
        QTRY_COMPARE(x.geometry(id).width(), 296 * dpi / 96);
        const QRect before = x.geometry(id);
        QVERIFY(before.height() > 255 * dpi / 96);
        x.xdotool({"windowsize", n(id), "500", "500"});
        QTRY_COMPARE(x.geometry(id).size(), before.size());
    }

    // --pick from a console takes the device pixel under a click on another program, at 96 dpi
    // and at 192; the pick is printed by swatchly.com, with swatchly.exe's exit code.
    void picksAnotherProgramsPixel_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("96 dpi") << 96;
        QTest::newRow("192 dpi") << 192;
    }
    void picksAnotherProgramsPixel() {
        QFETCH(int, dpi);
        setDpi(dpi);
        QVERIFY(startPeer());
        x.pointTo(peerArea.topLeft() + QPoint(40, 25));
        QProcess* pick = start("wine", {dir + "/swatchly.com", "--pick"});
        // Wine maps no window that lies off the screen, as the pick's does: it is only named.
        QTRY_VERIFY_WITH_TIMEOUT(
            !x.run("xdotool", {"search", "--name", "^Swatchly pick$"}).isEmpty(), 20000);
        x.xdotool({"mousemove", n(peerArea.right() - 40), n(peerArea.top() + 25), "click", "1"});
        QVERIFY(pick->waitForFinished(30000));
        QCOMPARE(QString::fromLocal8Bit(pick->readAllStandardOutput()).trimmed(),
                 kRight.name().toUpper());
        QCOMPARE(pick->exitCode(), 0);
    }

    // Grab Color follows the pointer onto the peer; Stay On Top makes the window topmost; a drag
    // on the bare body moves it.
    void grabStayOnTopAndMove() {
        QVERIFY(startPeer());
        const qulonglong id = startSwatchly();
        QVERIFY(id);
        QTRY_COMPARE(x.geometry(id).width(), 296);
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
        QProcess* boot = start("wineboot", {"-i"}, env);
        QVERIFY(boot->waitForFinished(120000));
        QCOMPARE(boot->exitCode(), 0);
        const QString setup = QDir(dir).entryList({"swatchly-*-setup.exe"}).value(0);
        QVERIFY2(!setup.isEmpty(), "no installer in the build");
        QCOMPARE(wine({dir + "/" + setup, "/S"}, env).second, 0);
        const QString user = qEnvironmentVariable("USER", "root");
        const QString home = prefix.path() + "/drive_c/users/" + user;
        const QString installed = home + "/AppData/Local/Programs/Swatchly";
        QTRY_VERIFY(QFileInfo::exists(installed + "/swatchly.exe"));
        QVERIFY(QFileInfo::exists(installed + "/swatchly.com"));
        QVERIFY(QFileInfo::exists(home + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"
                                         "Swatchly.lnk"));
        wine({installed + "/Uninstall.exe", "/S"}, env);
        // The uninstaller runs on from a copy of itself once it has started.
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(installed + "/swatchly.exe"), 30000);
        x.launch("wineserver", {"-k"}, env)->waitForFinished();
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
