// The yardstick for start-up: an empty Qt Widgets window of Swatchly's size. It loads no font
// and paints no control, so what Swatchly costs beyond it is the price of its controls.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Reference");
    window.setFixedSize(296, 274);
    window.show();
    return app.exec();
}
