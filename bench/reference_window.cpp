// The floor for start-up: a plain Qt Widgets window with the kinds of controls a small tool shows
// (a menu bar of three menus, three labelled horizontal scroll bars, four line edits, three push
// buttons) at a fixed size, in the desktop's font. With --fonts, its labels, boxes and buttons
// take the three sizes and weights a tool's dense layout uses besides the menu's (small bold
// labels, smaller boxes, a small caption), as Swatchly's do. What Swatchly costs beyond it is its
// own.

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool fonts = app.arguments().contains("--fonts");
    auto font = [](double points, bool bold) {
        QFont f;
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    };
    QMainWindow window;
    window.setWindowTitle("Reference");
    for (const char* menu : {"&File", "&Edit", "&Options"})
        window.menuBar()->addMenu(menu)->addAction("Item");
    auto* client = new QWidget;
    window.setCentralWidget(client);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString("Channel %1").arg(i + 1), client);
        label->setGeometry(8, 8 + 24 * i, 60, 20);
        auto* bar = new QScrollBar(Qt::Horizontal, client);
        bar->setRange(0, 255);
        bar->setGeometry(70, 8 + 24 * i, 150, 17);
        auto* set = new QPushButton("Set", client);
        set->setGeometry(230, 8 + 24 * i, 60, 22);
        if (fonts) label->setFont(font(6.75, true)), set->setFont(font(6.75, false));
    }
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit("#FF8000", client);
        box->setGeometry(8, 90 + 26 * i, 120, 22);
        if (fonts) box->setFont(font(8.25, false));
    }
    client->setFixedSize(300, 255);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return app.exec();
}
