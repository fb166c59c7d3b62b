// The yardstick for start-up: a minimal Qt Widgets window of the same kind as Swatchly's (a
// main window with a menu bar, three scroll bars, a few text boxes and buttons).

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Reference");
    QMenu* file = window.menuBar()->addMenu("File");
    file->addAction("Help");
    file->addAction("Exit");
    window.menuBar()->addMenu("Options")->addAction("Stay On Top")->setCheckable(true);
    auto* client = new QWidget;
    client->setFixedSize(296, 255);
    for (int i = 0; i < 3; ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, client);
        bar->setRange(0, 255);
        bar->setGeometry(72, 132 + 26 * i, 209, 13);
        auto* box = new QLineEdit("0", client);
        box->setGeometry(48 + 32 * i, 19, 28, 13);
        auto* button = new QPushButton("Set", client);
        button->setGeometry(144, 19 + 16 * i, 33, 13);
    }
    (new QLineEdit("#000000", client))->setGeometry(48, 51, 92, 13);
    window.setCentralWidget(client);
    window.show();
    return app.exec();
}
