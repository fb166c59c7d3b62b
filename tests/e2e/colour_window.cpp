// A window of known colours for the grab to read, drawn pixel by pixel: its top half is two
// solid bands, its bottom half changes colour at every device pixel in a 2 x 2 pattern.
// Arguments: title, left band, right band, then the pattern's colours at (even x, even y),
// (odd x, even y), (even x, odd y) and (odd x, odd y) of the window's own pixels.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRasterWindow>

namespace {

class ColourWindow : public QRasterWindow {
public:
    explicit ColourWindow(QStringList colours) : m_colours(std::move(colours)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatio();
        QImage image((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int index = y < image.height() / 2 ? (x < image.width() / 2 ? 0 : 1)
                                                         : 2 + x % 2 + 2 * (y % 2);
                image.setPixelColor(x, y, QColor::fromString(m_colours.value(index)));
            }
        image.setDevicePixelRatio(ratio);
        QPainter(this).drawImage(0, 0, image);
    }

private:
    QStringList m_colours;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 7) return 2;
    ColourWindow window(args.mid(1));
    window.setTitle(args[0]);
    window.resize(160, 100);
    window.show();
    return app.exec();
}
