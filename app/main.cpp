#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "cli/command_line.h"
#include "cli/pick.h"
#include "platform/clipboard.h"
#include "platform/qt_services.h"
#include "window/form1.h"
#include "window/style.h"

namespace {

// While the platform starts, and all through a pick, Qt's own messages are no business of the
// user's; a platform that cannot start at all is said in one line, with the status given.
int g_cannotStart = 1;
QString g_reason;
void quietly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (g_reason.isEmpty() && type != QtDebugMsg && type != QtInfoMsg) g_reason = message;
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "swatchly: cannot open a window here: %s\n",
                 qPrintable(g_reason.trimmed()));
    std::_Exit(g_cannotStart);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Read before any display is opened: --help, --version and bad input need none.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const swatchly::cli::Request request = swatchly::cli::parse(arguments);
    std::fputs(qPrintable(request.note), stderr);
    if (request.action == swatchly::cli::Request::Print) {
        std::fputs(qPrintable(request.text), stdout);
        return 0;
    }
    if (request.action == swatchly::cli::Request::PrintSwatches)
        return swatchly::cli::printSwatches(request.form);
    if (request.action == swatchly::cli::Request::PrintHistory)
        return swatchly::cli::printHistory(request.form);
    if (request.action == swatchly::cli::Request::Refuse) {
        std::fputs(qPrintable(request.text + u'\n'), stderr);
        return swatchly::cli::kBadInput;
    }

    const bool pick = request.action == swatchly::cli::Request::Pick;
    g_cannotStart = pick ? swatchly::cli::kCannotPick : 1;
    qInstallMessageHandler(quietly);
    if (request.action == swatchly::cli::Request::KeepClipboard) {
        QGuiApplication app(argc, argv);
        swatchly::QtClipboard clipboard;
        return swatchly::cli::keepClipboard(clipboard, *request.colour, request.text);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Swatchly"));
    QApplication::setDesktopFileName(QStringLiteral("example.swatchly.Swatchly"));
    if (pick)
        return swatchly::cli::pickColour(swatchly::withQtDefaults({}), request.form, request.copy,
                                         request.average);
    qInstallMessageHandler(nullptr);
    QApplication::setStyle(new swatchly::SwatchlyStyle(QApplication::style()->name()));
    swatchly::Form1 form;
    if (const auto& c = request.colour) form.SetBars(c->red, c->green, c->blue);
    form.show();
    return QApplication::exec();
}
