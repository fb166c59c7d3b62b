// Another program for Swatchly to meet. With a title and two colours: a window of two bands at
// the top left for the grab to read, which takes drops as a paint program or a text editor would,
// each drop's colour and text a line on standard output. With --pattern: a window on each screen,
// covering it, in which every device pixel of the desktop has its own colour (pattern.h); run
// unscaled, so that a window pixel is a device pixel, placed past the window manager exactly on its
// screen, and below every other window. With --checker: the same, painted as a checkerboard of
// single device pixels, white where x + y is odd.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <list>

#include "pattern.h"

struct Peer : QWidget {
    QStringList args;  // title, left band, right band; none: the pattern of screen `screen`
    int screen = 0;
    bool checker = false;

    void paintEvent(QPaintEvent*) override {
        QImage image(size() * devicePixelRatio(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(
                    x, y,
                    checker
                        ? ((geometry().x() + geometry().y() + x + y) & 1 ? 0xFFFFFFFF : 0xFF000000)
                    : args.isEmpty()
                        ? patternAt(geometry().topLeft() + QPoint(x, y), screen)
                        : QColor::fromString(args[1 + (x >= image.width() / 2)]).rgb());
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
    const QStringList args = app.arguments().mid(1);
    std::list<Peer> windows;
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool covering = args.value(0) == "--pattern" || args.value(0) == "--checker";
    for (int i = 0; i < (covering ? screens.size() : 1); ++i) {
        Peer& peer = windows.emplace_back();
        if (covering) {
            peer.screen = i;
            peer.checker = args.value(0) == "--checker";
            peer.setWindowFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
            peer.setWindowTitle(QString("Pattern %1").arg(i));
            peer.setGeometry(screens[i]->geometry());
        } else {
            peer.args = args;
            peer.setWindowTitle(args.value(0));
            peer.setAcceptDrops(true);
            peer.setGeometry(8, 30, 160, 100);  // clear of Swatchly, which centres itself
        }
        peer.show();
        if (peer.args.isEmpty()) peer.lower();  // the window manager stacks the others over it
    }
    return app.exec();
}
