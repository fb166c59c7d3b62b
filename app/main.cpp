#include <QApplication>

#include "app/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Swatchly"));
    QApplication::setDesktopFileName(QStringLiteral("example.swatchly.Swatchly"));
    swatchly::Form1 form;
    form.show();
    return QApplication::exec();
}
