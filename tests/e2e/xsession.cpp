#include "xsession.h"

#include <QColor>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {
void stop(QProcess* p) {
    if (!p || p->state() == QProcess::NotRunning) return;
    ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
    if (!p->waitForFinished(3000)) {
        ::kill(static_cast<pid_t>(p->processId()), SIGKILL);
        p->waitForFinished(3000);
    }
}
}  // namespace

XSession::XSession(QSize screen) : m_size(screen) {}

XSession::~XSession() {
    for (auto& p : m_programs) stop(p.get());
    stop(m_wm.get());
    stop(m_server.get());
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("QT_QPA_PLATFORM", "xcb");
    return env;
}

bool XSession::start() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) {
        m_why = "Xvfb is not installed";
        return false;
    }
    // A display number no other server holds.
    int number = 90 + static_cast<int>(::getpid() % 400);
    while (QFile::exists(QString("/tmp/.X%1-lock").arg(number)) ||
           QFile::exists(QString("/tmp/.X11-unix/X%1").arg(number)))
        ++number;
    m_display = QString(":%1").arg(number);
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server->start(xvfb, {m_display, "-screen", "0",
                           QString("%1x%2x24").arg(m_size.width()).arg(m_size.height()),
                           "-nolisten", "tcp", "-noreset"});
    if (!m_server->waitForStarted(5000)) {
        m_why = "Xvfb did not start";
        return false;
    }
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(QString("/tmp/.X11-unix/X%1").arg(number))) {
        if (deadline.hasExpired() || m_server->state() == QProcess::NotRunning) {
            m_why = "Xvfb did not open its display";
            return false;
        }
        QThread::msleep(20);
    }
    int rc = -1;
    while (run("xdpyinfo", {}, &rc), rc != 0) {
        if (deadline.hasExpired()) {
            m_why = "Xvfb does not answer";
            return false;
        }
        QThread::msleep(50);
    }
    m_wm = std::make_unique<QProcess>();
    m_wm->setProcessEnvironment(environment());
    m_wm->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_wm->start("openbox", {"--sm-disable"});
    if (!m_wm->waitForStarted(5000)) {
        m_why = "openbox did not start";
        return false;
    }
    // The window manager is ready once it announces itself on the root window.
    while (!run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id")) {
        if (deadline.hasExpired()) {
            m_why = "openbox did not come up";
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

QProcess* XSession::launch(const QString& program, const QStringList& args,
                           const QProcessEnvironment& extra) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = environment();
    for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->start(program, args);
    p->waitForStarted(5000);
    m_programs.push_back(std::move(p));
    return m_programs.back().get();
}

QString XSession::run(const QString& program, const QStringList& args, int* exitCode) {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(program, args);
    p.waitForFinished(20000);
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

qulonglong XSession::waitForWindow(const QString& title, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    do {
        const QString out = run("xdotool", {"search", "--onlyvisible", "--name", title}).trimmed();
        if (!out.isEmpty()) return out.split('\n').first().toULongLong();
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return 0;
}

QRect XSession::geometry(qulonglong window) {
    const QString out = run("xwininfo", {"-id", QString::number(window)});
    auto field = [&](const char* name) {
        const QRegularExpression re(QString("%1:\\s+(-?\\d+)").arg(name));
        return re.match(out).captured(1).toInt();
    };
    return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height")};
}

QImage XSession::screenshot() {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start("import", {"-window", "root", "png:-"});
    p.waitForFinished(20000);
    return QImage::fromData(p.readAllStandardOutput(), "PNG");
}

QColor XSession::pixel(QPoint rootPos) { return screenshot().pixelColor(rootPos); }

void XSession::xdotool(const QStringList& args) { run("xdotool", args); }

void XSession::pointTo(QPoint rootPos) {
    xdotool({"mousemove", QString::number(rootPos.x()), QString::number(rootPos.y())});
}

QString XSession::activeWindow() { return run("xdotool", {"getactivewindow"}).trimmed(); }

QString XSession::xprop(qulonglong window, const QString& property) {
    return run("xprop", {"-id", QString::number(window), property});
}
