#include "xsession.h"

#include <QColor>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>
#include <csignal>

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    for (QDeadlineTimer deadline(timeoutMs); !condition(); QThread::msleep(50))
        if (deadline.hasExpired()) return false;
    return true;
}

XSession::~XSession() {
    for (auto& p : m_programs) {
        if (p->state() == QProcess::NotRunning) continue;
        ::kill(pid_t(p->processId()), SIGTERM);
        if (!p->waitForFinished(3000)) p->kill();
    }
}

QProcess* XSession::launch(const QString& program, const QStringList& args,
                           const QProcessEnvironment& extra) {
    auto& p = m_programs.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");  // the test itself may run offscreen
    for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->start(program, args);
    p->waitForStarted();
    return p.get();
}

QString XSession::run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

qulonglong XSession::waitForWindow(const QString& title) {
    qulonglong id = 0;
    waitUntil([&] {
        id = run("xdotool", {"search", "--onlyvisible", "--name", title}).section('\n', 0, 0).toULongLong();
        return id != 0;
    });
    return id;
}

QRect XSession::geometry(qulonglong window) {
    const QString out = run("xwininfo", {"-id", QString::number(window)});
    auto field = [&](const char* name) {
        return QRegularExpression(QString("%1:\\s+(-?\\d+)").arg(name)).match(out).captured(1).toInt();
    };
    return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height")};
}

QImage XSession::screenshot() {
    QProcess p;
    p.start("import", {"-window", "root", "png:-"});
    p.waitForFinished(20000);
    return QImage::fromData(p.readAllStandardOutput(), "PNG");
}

QColor XSession::pixel(QPoint rootPos) { return screenshot().pixelColor(rootPos); }

void XSession::xdotool(const QStringList& args) { run("xdotool", args); }

void XSession::pointTo(QPoint rootPos) {
    xdotool({"mousemove", QString::number(rootPos.x()), QString::number(rootPos.y())});
}
