#pragma once
// The private desktop a real-window test runs on (tests/run-in-desktop starts it and hands it
// over in the environment), and the xdotool, xprop and screenshot helpers that drive it.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

// Polls until the condition holds; false after the timeout.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

class XSession {
public:
    ~XSession();
    // Starts a program on this desktop; it is stopped by PID with the session.
    QProcess* launch(const QString& program, const QStringList& args = {},
                     const QProcessEnvironment& extra = {});
    // Runs a command to its end and returns its standard output.
    QString run(const QString& program, const QStringList& args);
    // The X window id of the first visible window whose title matches, 0 after ten seconds.
    qulonglong waitForWindow(const QString& title);
    // A window's client area (without the window manager's frame) in root pixels.
    QRect geometry(qulonglong window);
    QImage screenshot();
    QColor pixel(QPoint rootPos);
    void xdotool(const QStringList& args);
    void pointTo(QPoint rootPos);

private:
    std::vector<std::unique_ptr<QProcess>> m_programs;
};
