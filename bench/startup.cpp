// Start-up (instructions to the first frame, time to the first mapped window, CPU, memory,
// threads), the time --pick takes to hold the pointer, and idle/grab CPU of Swatchly against a
// plain Qt Widgets window of the same kinds of controls, on a private Xvfb with openbox. Each
// figure is reported with its ratio to the reference measured in the same run.
//
// usage: swatchly_startup_bench SWATCHLY REFERENCE [RUNS]

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "xsession.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Memory {
    double rssMiB = 0, pssMiB = 0;
};

Memory memoryOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    Memory m;
    std::string key;
    long kb;
    while (in >> key) {
        if (key == "Rss:" && in >> kb)
            m.rssMiB = kb / 1024.0;
        else if (key == "Pss:" && in >> kb)
            m.pssMiB = kb / 1024.0;
    }
    return m;
}

// Context switches of every thread of a process.
long switchesOf(pid_t pid) {
    long switches = 0;
    const QString tasks = QString("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream status((tasks + "/" + tid + "/status").toStdString());
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                switches += std::stol(line.substr(line.find(':') + 1));
    }
    return switches;
}

// The CPU time every thread has used so far, from the kernel's nanosecond account, and the
// threads' names. Qt's pooled threads idle for 30 s before they end, so none is missed here.
struct Threads {
    double cpuMs = 0;
    std::vector<std::string> names;
};

Threads threadsOf(pid_t pid) {
    Threads t;
    const QString tasks = QString("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const std::string dir = (tasks + "/" + tid + "/").toStdString();
        std::ifstream stat(dir + "schedstat"), comm(dir + "comm");
        double ns = 0;
        std::string name;
        if (!(stat >> ns) || !std::getline(comm, name)) continue;
        t.cpuMs += ns / 1e6;
        t.names.push_back(name);
    }
    return t;
}

class Desktop {
  public:
    explicit Desktop(XSession& x) : m_x(x) {
        m_conn = xcb_connect(qPrintable(qEnvironmentVariable("DISPLAY")), nullptr);
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_conn);
    }
    ~Desktop() { xcb_disconnect(m_conn); }

    // Starts a program and returns its pid and the seconds until the first window it maps.
    std::pair<pid_t, double> launch(std::vector<std::string> args, double timeout = 20) {
        drain();
        std::vector<std::string> env{"QT_QPA_PLATFORM=xcb"};
        for (const char* name :
             {"DISPLAY", "HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "DBUS_SESSION_BUS_ADDRESS"})
            env.push_back(std::string(name) + "=" + qEnvironmentVariable(name).toStdString());
        std::vector<char*> envp, argv;
        for (auto& e : env) envp.push_back(e.data());
        for (auto& a : args) argv.push_back(a.data());
        envp.push_back(nullptr);
        argv.push_back(nullptr);
        pid_t pid = 0;
        const auto start = Clock::now();
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
            return {0, -1};
        const int fd = xcb_get_file_descriptor(m_conn);
        while (std::chrono::duration<double>(Clock::now() - start).count() < timeout) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(m_conn)) {
                const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
                free(e);
                if (mapped)
                    return {pid, std::chrono::duration<double>(Clock::now() - start).count()};
            }
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 100);
        }
        return {pid, -1};
    }

    // Seconds from the start of a program until some client holds the pointer, found by trying
    // to take it ourselves (and letting go at once) every few milliseconds.
    double untilPointerHeld(std::vector<std::string> args) {
        const auto start = Clock::now();
        const pid_t pid = launch(std::move(args), 0).first;
        double seconds = -1;
        while (seconds < 0 && std::chrono::duration<double>(Clock::now() - start).count() < 20) {
            auto* reply = xcb_grab_pointer_reply(
                m_conn,
                xcb_grab_pointer(m_conn, 0, m_root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                 XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                nullptr);
            if (reply && reply->status == XCB_GRAB_STATUS_ALREADY_GRABBED)
                seconds = std::chrono::duration<double>(Clock::now() - start).count();
            else
                xcb_ungrab_pointer(m_conn, XCB_CURRENT_TIME), xcb_flush(m_conn);
            free(reply);
            if (seconds < 0) QThread::usleep(2000);
        }
        stop(pid);
        return seconds;
    }

    static void stop(pid_t pid) {
        kill(pid, SIGTERM);
        int status;
        waitpid(pid, &status, 0);
    }

  private:
    void drain() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(m_conn)) free(e);
    }
    XSession& m_x;
    xcb_connection_t* m_conn;
    xcb_window_t m_root = 0;
};

// Instructions the program's main process runs from its start until its first window is mapped
// and painted and it has idled a moment, counted by callgrind; the program is then ended by
// SIGINT, on which callgrind writes its count. -1 where it showed no window.
double instructions(Desktop& desktop, const std::vector<std::string>& program) {
    const QString out = QDir::temp().filePath(QString("swatchly-callgrind.%1").arg(getpid()));
    std::vector<std::string> args{"valgrind", "--tool=callgrind", "--log-file=/dev/null",
                                  "--callgrind-out-file=" + out.toStdString()};
    args.insert(args.end(), program.begin(), program.end());
    auto [pid, seconds] = desktop.launch(args, 120);
    if (pid == 0) return -1;
    // The first frame is painted after the map; under callgrind that takes a while.
    QThread::sleep(3);
    kill(pid, SIGINT);
    int status;
    waitpid(pid, &status, 0);
    std::ifstream in(out.toStdString());
    std::string line;
    double count = -1;
    while (std::getline(in, line))
        if (line.rfind("summary: ", 0) == 0 || line.rfind("totals: ", 0) == 0)
            count = std::stod(line.substr(line.find(' ') + 1));
    QFile::remove(out);
    return seconds < 0 ? -1 : count;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Figures {
    std::vector<double> ms, cpu, rss, pss, threads;
    std::vector<std::string> names;  // of the last run's threads
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SWATCHLY REFERENCE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string programs[2] = {argv[1], argv[2]};
    const int runs = argc > 3 ? std::atoi(argv[3]) : 9;
    // scripts/bench runs this on a private desktop (tests/run-in-desktop x11).
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "no X server: run under tests/run-in-desktop x11\n");
        return 1;
    }
    XSession x;
    Desktop desktop(x);
    // One unmeasured start of each warms the file cache, as a user's second start would be.
    for (const auto& p : programs) {
        auto [pid, s] = desktop.launch({p});
        Desktop::stop(pid);
    }
    // Instructions first: they do not vary from run to run as the clock does. The reference
    // also with the fonts a dense tool uses, which cost a font engine each.
    const double a = instructions(desktop, {programs[0]}), b = instructions(desktop, {programs[1]}),
                 c = instructions(desktop, {programs[1], "--fonts"});
    std::printf("start-up instructions (callgrind)  swatchly   reference   ratio\n");
    std::printf("  %-28s %7.1f M   %7.1f M     %.2fx\n", "to the first frame and idle", a / 1e6,
                b / 1e6, a / b);
    std::printf("  %-28s %7.1f M   %7.1f M     %.2fx\n", "  reference with --fonts", a / 1e6,
                c / 1e6, a / c);
    Figures fig[2];
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < 2; ++i) {
            auto [pid, seconds] = desktop.launch({programs[i]});
            if (seconds < 0) {
                std::fprintf(stderr, "%s mapped no window\n", programs[i].c_str());
                return 1;
            }
            QThread::sleep(1);
            const Memory m = memoryOf(pid);
            const Threads t = threadsOf(pid);
            fig[i].ms.push_back(seconds * 1000);
            fig[i].cpu.push_back(t.cpuMs);
            fig[i].threads.push_back(double(t.names.size()));
            fig[i].names = t.names;
            fig[i].rss.push_back(m.rssMiB);
            fig[i].pss.push_back(m.pssMiB);
            Desktop::stop(pid);
        }
    std::printf("start-up, median of %d runs     swatchly   reference   ratio\n", runs);
    auto row = [&](const char* name, std::vector<double> Figures::*f, const char* unit) {
        const double a = median(fig[0].*f), b = median(fig[1].*f);
        std::printf("  %-28s %7.1f %s %7.1f %s   %.2fx\n", name, a, unit, b, unit, a / b);
    };
    row("time to first mapped window", &Figures::ms, "ms ");
    row("CPU until one second after", &Figures::cpu, "ms ");
    row("RSS one second after", &Figures::rss, "MiB");
    row("PSS one second after", &Figures::pss, "MiB");
    row("threads one second after", &Figures::threads, "   ");
    for (int i = 0; i < 2; ++i) {
        std::printf("  %s threads:", i == 0 ? "swatchly" : "reference");
        for (const std::string& name : fig[i].names) std::printf(" [%s]", name.c_str());
        std::printf("\n");
    }
    std::vector<double> held;
    for (int r = 0; r < runs; ++r)
        held.push_back(desktop.untilPointerHeld({programs[0], "--pick"}));
    std::printf("  %-28s %7.1f ms\n", "--pick until the pointer held", median(held) * 1000);

    // CPU over 10 s: idle, then in grab mode (Grab Color pressed, the magnifier on) with the
    // pointer resting, and with the pointer moving to another spot every 100 ms, so that the
    // colour and the magnifier change at every tick.
    // The kernel's nanosecond account of every thread, not clock ticks: a tick is 10 ms, a
    // tenth of one per cent over these 10 s.
    auto tenSeconds = [&](pid_t pid, const char* what, const std::function<void(int)>& step = {}) {
        const long switches = switchesOf(pid);
        const double before = threadsOf(pid).cpuMs;
        const auto start = Clock::now();
        for (int i = 0; i < 100; ++i) {
            if (step) step(i);
            QThread::msleep(100);
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("  %-28s %6.2f %% of one core, %ld context switches\n", what,
                    (threadsOf(pid).cpuMs - before) / 10 / seconds, switchesOf(pid) - switches);
    };
    std::printf("CPU over 10 s\n");
    for (int i = 0; i < 2; ++i) {
        auto [pid, s] = desktop.launch({programs[i]});
        QThread::sleep(1);
        tenSeconds(pid, i == 0 ? "swatchly idle" : "reference idle");
        if (i == 0) {
            const qulonglong win = x.waitForWindow("^Swatchly$");
            const QRect g = x.geometry(win);
            const int menu = g.height() - 255;
            // Grab Color's centre in the client area.
            x.xdotool({"mousemove", QString::number(g.x() + 93), QString::number(g.y() + menu + 98),
                       "click", "1"});
            QThread::msleep(300);
            tenSeconds(pid, "swatchly in grab mode");
            // Over the labels left of the text boxes, which draw nothing on hover; never down and
            // right at once, where the magnifier stands.
            const QPoint spots[] = {{40, 55}, {22, 40}, {38, 25}, {24, 55}};
            tenSeconds(pid, "  pointer moving",
                       [&](int i) { x.pointTo(g.topLeft() + QPoint(0, menu) + spots[i % 4]); });
        }
        Desktop::stop(pid);
    }
    return 0;
}
