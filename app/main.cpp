#include <QApplication>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/pick.h"
#include "platform/qt_services.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
    // Read before any display is opened: --help, --version and bad input need none.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const swatchly::cli::Request request = swatchly::cli::parse(arguments);
    if (request.action == swatchly::cli::Request::Print) {
        std::fputs(qPrintable(request.text), stdout);
        return 0;
    }
    if (request.action == swatchly::cli::Request::PrintSwatches)
        return swatchly::cli::printSwatches(request.form);
    if (request.action == swatchly::cli::Request::Refuse) {
        std::fputs(qPrintable(request.text + u'\n'), stderr);
        return swatchly::cli::kBadInput;
    }

    if (request.action == swatchly::cli::Request::KeepClipboard) {
        QGuiApplication app(argc, argv);
        return swatchly::cli::keepClipboard(*request.colour, request.text);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Swatchly"));
    QApplication::setDesktopFileName(QStringLiteral("example.swatchly.Swatchly"));
    if (request.action == swatchly::cli::Request::Pick) {
        swatchly::QtScreenProbe probe;
        return swatchly::cli::pickColour(probe, request.form, request.copy);
    }
    QApplication::setStyle(new swatchly::BandedStyle(QApplication::style()->name()));
    swatchly::Form1 form;
    if (const auto& c = request.colour) form.SetBars(c->red, c->green, c->blue);
    form.show();
    return QApplication::exec();
}
