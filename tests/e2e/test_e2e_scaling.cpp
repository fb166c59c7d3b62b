// The real window at 100% and at 200% scaling (QT_SCALE_FACTOR=2): the same layout in logical
// pixels at twice the device pixels, and a window icon drawn afresh at every size the desktop
// is offered. That the grab reads the device pixel under the pointer when scaled is tested in
// test_e2e_grab (grabReadsTheDevicePixelUnderThePointerWhenScaled).

#include <QtTest>

#include "app/pictures.h"
#include "swatchly_window.h"

namespace {

constexpr QRect kRedBar = fromTwips(1080, 2370, 3135, 200);   // RScroll
constexpr QRect kBlueBar = fromTwips(1080, 2730, 3135, 200);  // BScroll

// The images of a window's _NET_WM_ICON: width, height and that many ARGB pixels, repeated.
QList<QImage> windowIcons(XSession& x, qulonglong window) {
    const QString out = x.run("xprop", {"-id", QString::number(window), "-notype", "-f",
                                        "_NET_WM_ICON", "32c", "_NET_WM_ICON"});
    const QStringList fields = out.section('=', 1).split(',', Qt::SkipEmptyParts);
    QList<QImage> icons;
    qsizetype i = 0;
    auto next = [&] { return fields.value(i++).trimmed().toUInt(); };
    while (i + 2 <= fields.size()) {
        const int width = int(next()), height = int(next());
        if (width <= 0 || height <= 0 || i + qsizetype(width) * height > fields.size()) break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) image.setPixel(x, y, next());
        icons << image;
    }
    return icons;
}

// Alike but for the colour channels of pixels that are wholly transparent, which say nothing.
bool sameImage(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAlpha(p) == 0 && qAlpha(q) == 0) continue;
            if (p != q) return false;
        }
    return true;
}

}  // namespace

class TestE2EScaling : public QObject {
    Q_OBJECT
    XSession x;

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
    }

    // The same layout in logical pixels, the bars answering at their scaled places, and a
    // crisp icon: each image of the window icon is the icon drawn at that size, not another
    // size resampled, and the largest is big enough for the scale.
    void atScale_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("100%") << 1;
        QTest::newRow("200%") << 2;
    }
    void atScale() {
        QFETCH(int, scale);
        SwatchlyWindow w(x, scale);
        QVERIFY2(w.launch(), "the Swatchly window did not appear");
        QCOMPARE(w.geometry().width(), SwatchlyWindow::kClientWidth * scale);
        QTRY_COMPARE_WITH_TIMEOUT(w.preview(), QColor(Qt::black), 5000);
        // The preview covers its logical rectangle, scaled, to the device pixel.
        const QRect preview = SwatchlyWindow::kPreview;
        QCOMPARE(solidBlock(x.screenshot(), w.at(preview.center())),
                 QRect(w.at(preview.topLeft()), preview.size() * scale));
        // An arrow steps by one, the trough by ten.
        w.click({kRedBar.right() - 3, kRedBar.center().y()});
        QTRY_COMPARE_WITH_TIMEOUT(w.preview(), QColor(1, 0, 0), 5000);
        w.click({kBlueBar.center().x() + 40, kBlueBar.center().y()});
        QTRY_COMPARE_WITH_TIMEOUT(w.preview(), QColor(1, 0, 10), 5000);

        const QList<QImage> icons = windowIcons(x, w.id());
        QVERIFY2(!icons.isEmpty(), "the window offers no icon");
        int largest = 0;
        for (const QImage& icon : icons) {
            largest = std::max(largest, icon.width());
            const QImage drawn =
                swatchly::renderAppIcon(icon.width()).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(sameImage(icon, drawn), qPrintable(QString("at %1 px").arg(icon.width())));
        }
        QVERIFY2(largest >= 48 * scale, qPrintable(QString("largest icon %1 px").arg(largest)));
    }
};

QTEST_MAIN(TestE2EScaling)
#include "test_e2e_scaling.moc"
