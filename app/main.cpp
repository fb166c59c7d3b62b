#include <QApplication>

#include "app/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Swatchly"));
    QApplication::setDesktopFileName(QStringLiteral("example.swatchly.Swatchly"));
    QApplication::setStyle(new swatchly::BandedStyle(QApplication::style()->name()));
    swatchly::Form1 form;
    form.show();
    return QApplication::exec();
}
