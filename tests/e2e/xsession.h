#pragma once
// The private desktop a real-window test runs on (tests/run-in-desktop starts it and hands it
// over in the environment), and the xdotool, xwininfo and screenshot helpers that drive it.

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <list>

// The peer's two bands (peer.cpp), as the tests start it.
const QColor kLeft("#123456"), kRight("#c08040");
inline QString n(qlonglong v) { return QString::number(v); }

class XSession {
  public:
    ~XSession() {
        for (QProcess& p : m_programs) p.kill(), p.waitForFinished();
    }
    // Starts a program on this desktop, with "NAME=value" added to its environment; it is stopped
    // by PID with the session. Its standard output is kept for the test to read.
    QProcess* launch(const QString& program, const QStringList& args = {},
                     const QStringList& extra = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& e : extra) env.insert(e.section('=', 0, 0), e.section('=', 1));
        QProcess& p = m_programs.emplace_back();
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program, args);
        p.waitForStarted();
        return &p;
    }
    // Runs a command to its end and returns its standard output.
    static QString run(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(20000);
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    void xdotool(const QStringList& args) { run("xdotool", args); }
    void pointTo(QPoint p) {
        xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
    }
    // The X window id of a visible window whose title matches, of program `pid` if given (none
    // of one just ended), 0 if none shows in 20 seconds. Asked every 20 ms: xdotool's own --sync
    // waits half a second between its looks.
    qulonglong waitForWindow(const QString& title, qint64 pid = 0) {
        QStringList search{"search", "--all", "--limit", "1", "--onlyvisible"};
        if (pid) search << "--pid" << QString::number(pid);
        qulonglong id = 0;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                id = run("xdotool", search + QStringList{"--name", title}).toULongLong();
                return id != 0 || (QTest::qWait(20), false);
            },
            20000));
        return id;
    }
    // A window's client area (without the window manager's frame) in root pixels.
    QRect geometry(qulonglong window) {
        const QString out = run("xwininfo", {"-id", QString::number(window)});
        auto field = [&](const char* name) {
            return out.section(name, 1).section('\n', 0, 0).toInt();
        };
        return {field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"),
                field("Height:")};
    }
    // The test runs on the private desktop too, unscaled, so it reads the screen as a device
    // pixel at a time, on the screen the point lies on.
    QColor pixel(QPoint rootPos) {
        QScreen* screen = QGuiApplication::screenAt(rootPos);
        if (!screen) screen = QGuiApplication::primaryScreen();
        const QPoint at = rootPos - screen->geometry().topLeft();
        return screen->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
    }

  private:
    std::list<QProcess> m_programs;
};
