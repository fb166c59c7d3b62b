#pragma once
// The private desktop a real-window test runs on (tests/run-in-desktop starts it and hands it
// over in the environment), and the xdotool, xwininfo and screenshot helpers that drive it.

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <list>

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
    // The X window id of a visible window whose title matches, 0 if none shows in 20 seconds.
    qulonglong waitForWindow(const QString& title) {
        return run("xdotool",
                   {"search", "--sync", "--limit", "1", "--onlyvisible", "--name", title})
            .toULongLong();
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
    // The test runs on the private desktop too, so it reads the screen as Grab Color does.
    QColor pixel(QPoint rootPos) {
        return QGuiApplication::primaryScreen()->grabWindow(0).toImage().pixelColor(rootPos);
    }

  private:
    std::list<QProcess> m_programs;
};
