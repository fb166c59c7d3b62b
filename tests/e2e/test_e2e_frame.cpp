// The window frame and commands of the real program under a real window manager (openbox on
// Xvfb), driven with xdotool: the fixed size against every other way of resizing, moving by
// the body, Stay On Top, the help box, closing by the frame and the link.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "swatchly_window.h"

namespace {
// A pause for the window manager to act on a request whose effect, if any, shows later; the
// assertions that follow hold whether or not it was long enough.
void settle() { QTest::qWait(400); }
}  // namespace

class TestE2EFrame : public QObject {
    Q_OBJECT
    XSession x;
    QTemporaryDir tools;  // a stand-in browser
    std::unique_ptr<SwatchlyWindow> app;

    bool launch(const QProcessEnvironment& extra = {}) {
        app = std::make_unique<SwatchlyWindow>(x);
        return app->launch(extra);
    }
    QRect geometry() { return app->geometry(); }
    QString state() { return x.xprop(app->id(), "_NET_WM_STATE"); }

    // xdotool steps for a press at a root position, held over a drag or released at once.
    QStringList pressSteps(int button, QPoint at, QPoint drag) {
        const QString b = QString::number(button);
        QStringList steps = {"mousemove", QString::number(at.x()), QString::number(at.y())};
        if (drag.isNull()) {
            // Press and release at once: the release may come before the program sees the press.
            return steps << "click" << b;
        }
        steps += {"mousedown", b, "sleep", "0.3"};
        for (int i = 0; i < 4; ++i)
            steps += {"mousemove_relative", "--", QString::number(drag.x() / 4),
                      QString::number(drag.y() / 4), "sleep", "0.05"};
        return steps << "mouseup" << b;
    }

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
        QVERIFY(tools.isValid());
    }

    void cleanup() { app.reset(); }

    void sizeStaysFixed_data() {
        QTest::addColumn<QString>("attempt");
        QTest::newRow("double click on the title bar (maximise)") << "maximise";
        QTest::newRow("click on openbox's maximise button") << "maxbutton";
        QTest::newRow("Alt + right-button drag (resize)") << "altdrag";
        QTest::newRow("minimise and restore") << "minimise";
    }
    void sizeStaysFixed() {
        QFETCH(QString, attempt);
        QVERIFY2(launch(), "the Swatchly window did not appear");
        const QRect before = geometry();
        const QString id = QString::number(app->id());
        const QString titleY = QString::number((before.top() + app->frameGeometry().top()) / 2);
        if (attempt == "maximise") {
            x.xdotool({"mousemove", QString::number(before.center().x()), titleY, "click",
                       "--repeat", "2", "--delay", "80", "1"});
        } else if (attempt == "maxbutton") {
            // Openbox's title layout ends with iconify, maximise, close, 20 pixels apart.
            x.xdotool({"mousemove", QString::number(before.right() - 22), titleY, "click", "1"});
        } else if (attempt == "altdrag") {
            // Openbox's binding for resizing from anywhere in a window.
            x.xdotool(QStringList{"keydown", "alt"} + pressSteps(3, app->at({120, 240}), {120, 100}) +
                      QStringList{"keyup", "alt"});
        } else if (attempt == "minimise") {
            x.xdotool({"windowminimize", id});
            QTRY_VERIFY_WITH_TIMEOUT(x.xprop(app->id(), "WM_STATE").contains("Iconic"), 5000);
            x.xdotool({"windowactivate", id});
            QTRY_VERIFY_WITH_TIMEOUT(x.xprop(app->id(), "WM_STATE").contains("Normal"), 5000);
        }
        settle();
        QTRY_COMPARE_WITH_TIMEOUT(geometry().size(), before.size(), 5000);
        QVERIFY(!state().contains("MAXIMIZED"));
        QVERIFY(x.run("xwininfo", {"-id", id}).contains("IsViewable"));
        // The window manager offers no maximise or resize at all.
        const QString actions = x.xprop(app->id(), "_NET_WM_ALLOWED_ACTIONS");
        for (const char* offered : {"MINIMIZE", "MOVE", "CLOSE", "ABOVE"})
            QVERIFY2(actions.contains(QString("_NET_WM_ACTION_") + offered), qPrintable(actions));
        QVERIFY(!actions.contains("_NET_WM_ACTION_MAXIMIZE"));
        QVERIFY(!actions.contains("_NET_WM_ACTION_RESIZE"));
    }

    void stayOnTopSetsAndClearsAbove() {
        QVERIFY2(launch(), "the Swatchly window did not appear");
        // Somewhere the window manager did not choose itself.
        const QPoint placed = geometry().topLeft();
        x.xdotool({"windowmove", QString::number(app->id()), "140", "90"});
        QTRY_VERIFY_WITH_TIMEOUT(geometry().topLeft() != placed, 5000);
        settle();
        const QRect before = geometry();
        for (bool above : {true, false}) {
            QCOMPARE(state().contains("_NET_WM_STATE_ABOVE"), !above);
            QVERIFY(app->pickMenuItem(SwatchlyWindow::Options, 0));
            QTRY_COMPARE_WITH_TIMEOUT(state().contains("_NET_WM_STATE_ABOVE"), above, 5000);
            settle();
            QCOMPARE(geometry(), before);
        }
    }

    void pressOnBody_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("at");    // in the client area
        QTest::addColumn<QPoint>("drag");  // pointer travel while the button is held
        QTest::addColumn<QPoint>("moved");
        const QPoint bare(120, 240), drag(60, 40);
        QTest::newRow("left-button drag on the body") << 1 << bare << drag << drag;
        QTest::newRow("middle-button drag on the body") << 2 << bare << drag << drag;
        QTest::newRow("right-button drag on the body") << 3 << bare << drag << drag;
        QTest::newRow("click on the body, no drag") << 1 << bare << QPoint() << QPoint();
        QTest::newRow("drag on a frame") << 1 << QPoint(209, 122) << drag << QPoint();
        QTest::newRow("drag on a label") << 3 << QPoint(40, 242) << drag << QPoint();
    }
    void pressOnBody() {
        QFETCH(int, button);
        QFETCH(QPoint, at);
        QFETCH(QPoint, drag);
        QFETCH(QPoint, moved);
        QVERIFY2(launch(), "the Swatchly window did not appear");
        const QRect before = geometry();
        // The window takes the second press as it took the first.
        for (int times : {1, 2}) {
            x.xdotool(pressSteps(button, app->at(at), drag));
            QTRY_COMPARE_WITH_TIMEOUT(geometry().topLeft(), before.topLeft() + times * moved, 5000);
            // Once the button is up the window no longer follows the pointer.
            x.xdotool({"mousemove", "900", "700", "sleep", "0.1", "mousemove", "950", "720"});
            settle();
            QCOMPARE(geometry(), before.translated(times * moved));
        }
    }

    // The help box, then the link (opened by a stand-in browser) on every press, neither
    // moving the window; then closing by the frame ends the program as File > Exit does (a
    // step of test_e2e_journey).
    void helpLinkAndClose() {
        const QString log = tools.filePath("opened.log");
        QFile script(tools.filePath("xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\necho \"$@\" >> '%1'\n").arg(log).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        QProcessEnvironment env;
        env.insert("PATH", tools.path() + ":" + qEnvironmentVariable("PATH"));
        QVERIFY2(launch(env), "the Swatchly window did not appear");
        const QRect before = geometry();

        QVERIFY(app->pickMenuItem(SwatchlyWindow::File, 0));
        QVERIFY2(x.waitForWindow("^Swatchly Help$"), "the help box did not appear");
        x.xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(x.waitForWindow("^Swatchly Help$", 0) == 0, 5000);
        QCOMPARE(geometry(), before);

        auto opened = [&] {
            QFile f(log);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        const QString link = "https://swatchly.example/\n";
        app->click({230, 245});
        QTRY_COMPARE_WITH_TIMEOUT(opened(), link, 5000);
        x.xdotool({"click", "3"});
        QTRY_COMPARE_WITH_TIMEOUT(opened(), link + link, 5000);
        QCOMPARE(geometry(), before);

        x.xdotool({"windowactivate", "--sync", QString::number(app->id()), "key", "alt+F4"});
        QVERIFY(app->process()->waitForFinished(10000));
        QCOMPARE(app->process()->exitStatus(), QProcess::NormalExit);
        QCOMPARE(app->process()->exitCode(), 0);
    }
};

QTEST_MAIN(TestE2EFrame)
#include "test_e2e_frame.moc"
