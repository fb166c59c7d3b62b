// Another program for Swatchly to meet: a window of known colours for the grab to read, which
// takes drops as a paint program or a text editor would. Arguments: title, left band, right
// band, the colours of a 2 x 2 pattern at its device pixels (even x, even y), (odd, even),
// (even, odd) and (odd, odd). The top half shows the two bands, the bottom half the pattern. Each
// drop's colour and text go to standard output, a line each drop.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QWidget>
#include <cstdio>

struct Peer : QWidget {
    QStringList args;

    void paintEvent(QPaintEvent*) override {
        QImage image(size() * devicePixelRatio(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int band = 1 + (x >= image.width() / 2), dot = 3 + x % 2 + 2 * (y % 2);
                image.setPixelColor(x, y,
                                    QColor::fromString(args[y < image.height() / 2 ? band : dot]));
            }
        image.setDevicePixelRatio(devicePixelRatio());
        QPainter(this).drawImage(0, 0, image);
    }
    void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
    void dropEvent(QDropEvent* e) override {
        e->acceptProposedAction();
        std::printf("%s %s\n", qPrintable(qvariant_cast<QColor>(e->mimeData()->colorData()).name()),
                    qPrintable(e->mimeData()->text()));
        std::fflush(stdout);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Peer peer;
    peer.args = app.arguments().mid(1);
    peer.setWindowTitle(peer.args.value(0));
    peer.setAcceptDrops(true);
    peer.resize(160, 100);
    peer.show();
    return app.exec();
}
