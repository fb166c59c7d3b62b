// Writes the program's icon as hicolor PNGs, <outdir>/<size>x<size>/apps/<name>.png, or with
// --ico as one Windows icon file holding every size.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "window/pictures.h"

namespace {

constexpr int kSides[] = {16, 24, 32, 48, 64, 128, 256};

// An .ico of PNG images, which Windows reads since Vista: a directory of entries, then the
// images. Little-endian throughout.
QByteArray icoOf(const QList<QImage>& images) {
    QByteArray out, data;
    auto put = [&out](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i) & 0xFF);
    };
    put(0, 2), put(1, 2), put(quint32(images.size()), 2);
    qsizetype offset = 6 + 16 * images.size();
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        put(image.width() % 256, 1), put(image.height() % 256, 1), put(0, 1), put(0, 1);
        put(1, 2), put(32, 2), put(quint32(png.size()), 4), put(quint32(offset), 4);
        offset += png.size();
        data += png;
    }
    return out + data;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR ICON-NAME | --ico FILE\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (QString::fromLocal8Bit(argv[1]) == "--ico") {
        QList<QImage> images;
        for (int side : kSides) images << swatchly::renderAppIcon(side);
        QFile ico(QString::fromLocal8Bit(argv[2]));
        if (ico.open(QIODevice::WriteOnly) && ico.write(icoOf(images)) > 0) return 0;
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int side : kSides) {
        const QString dir = QString("%1/%2x%2/apps").arg(out).arg(side);
        if (!QDir().mkpath(dir) || !swatchly::renderAppIcon(side).save(dir + "/" + name + ".png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
