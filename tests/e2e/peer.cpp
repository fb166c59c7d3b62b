// Another program for Swatchly to meet: a window of known colours for the grab to read, which
// takes drops as a paint program or a text editor would. Arguments: title, left band, right
// band, the colours of a 2 x 2 pattern at its device pixels (even x, even y), (odd, even),
// (even, odd) and (odd, odd), and optionally a file to which each drop appends its colour and
// its text. The top half shows the two bands, the bottom half the pattern.

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QWidget>

class Peer : public QWidget {
public:
    explicit Peer(const QStringList& args) : m_drops(args.value(7)) {
        for (const QString& name : args.mid(1, 6)) m_colours << QColor::fromString(name);
        setWindowTitle(args.value(0));
        setAcceptDrops(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QImage image(size() * devicePixelRatio(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixelColor(x, y, m_colours.value(y < image.height() / 2
                                                              ? x >= image.width() / 2
                                                              : 2 + x % 2 + 2 * (y % 2)));
        image.setDevicePixelRatio(devicePixelRatio());
        QPainter(this).drawImage(0, 0, image);
    }
    void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent* e) override { e->acceptProposedAction(); }
    void dropEvent(QDropEvent* e) override {
        e->acceptProposedAction();
        QFile out(m_drops);
        if (out.open(QIODevice::Append))
            out.write(qvariant_cast<QColor>(e->mimeData()->colorData()).name().toUtf8() + ' ' +
                      e->mimeData()->text().toUtf8() + '\n');
    }

private:
    QList<QColor> m_colours;
    QString m_drops;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Peer peer(app.arguments().mid(1));
    peer.resize(160, 100);
    peer.show();
    return app.exec();
}
