#pragma once
// A private desktop for real-window tests: an Xvfb server with the openbox window manager,
// started on a free display and stopped by PID when the session ends, plus the xdotool,
// xprop and screenshot helpers the tests drive it with.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class XSession {
public:
    explicit XSession(QSize screen = {1024, 768});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb and openbox; false (with why() telling) when Xvfb cannot start.
    bool start();
    QString why() const { return m_why; }
    QProcessEnvironment environment() const;

    // Starts a program on this display; it is killed with the session.
    QProcess* launch(const QString& program, const QStringList& args = {},
                     const QProcessEnvironment& extra = {});
    // Runs a command on this display to its end and returns its standard output.
    QString run(const QString& program, const QStringList& args, int* exitCode = nullptr);

    // The X window id of the first visible window whose title matches, 0 after the timeout.
    qulonglong waitForWindow(const QString& title, int timeoutMs = 10000);
    // The window's client area (without the window manager's frame) in root coordinates.
    QRect geometry(qulonglong window);
    QImage screenshot();
    QColor pixel(QPoint rootPos);
    // xdotool with the given arguments, to its end.
    void xdotool(const QStringList& args);
    void pointTo(QPoint rootPos);
    // The active window's id, as xdotool prints it.
    QString activeWindow();
    // The value of a root- or window-property as xprop prints it.
    QString xprop(qulonglong window, const QString& property);

private:
    QSize m_size;
    QString m_display, m_why;
    std::unique_ptr<QProcess> m_server, m_wm;
    std::vector<std::unique_ptr<QProcess>> m_programs;
};
