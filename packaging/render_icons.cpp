// Writes the program's icon as hicolor PNGs: <outdir>/<size>x<size>/apps/<name>.png.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "window/pictures.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR ICON-NAME\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QString("%1/%2x%2/apps").arg(out).arg(side);
        if (!QDir().mkpath(dir) || !swatchly::renderAppIcon(side).save(dir + "/" + name + ".png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
