// The loupe while grabbing: the region read around the pointer, enlarged beside it and never
// under it, gone when grab mode ends.

#include <QtTest>

#include "app/platform/qt_services.h"
#include "fakes.h"
#include "support.h"
#include "tools/magnifier.h"

using namespace swatchly;

namespace {

// Each pixel differs from its neighbours and from the black and white ring in the loupe.
Rgb colourAt(QPoint p) { return {p.x() * 37 % 256, p.y() * 59 % 256, 77}; }
QRect readAround(QPoint p) { return QRect(p - QPoint(5, 5), p + QPoint(5, 5)); }

// Grabbing over a fake screen of that pattern, one tick taken.
struct Grabbing {
    Fakes fakes;
    Form1 form{fakes.services()};
    QImage& screen = fakes.probe->screen;
    explicit Grabbing(QPoint pointer = {300, 200}) {
        screen = QImage(QGuiApplication::primaryScreen()->size(), QImage::Format_ARGB32);
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x) {
                const Rgb c = colourAt({x, y});
                screen.setPixel(x, y, qRgb(c.r, c.g, c.b));
            }
        fakes.probe->active = 7;
        fakes.probe->cursor = pointer;
        form.GetPixelbtn->click();
        form.Timer1_Timer();
    }
    bool shown() const { return form.loupe && form.loupe->isVisible(); }
};

}  // namespace

class TestMagnifier : public QObject {
    Q_OBJECT
private slots:
    // Drawn again when the region changes: the tick before was at another point.
    void showsTheRegionEnlargedWithTheCentreFramed() {
        Grabbing g;
        const QPoint p = g.fakes.probe->cursor = {303, 190};
        g.form.Timer1_Timer();
        const QImage shot = g.form.loupe->grab().toImage();
        const int k = Magnifier::kZoom;
        const QRect centre(1 + 5 * k, 1 + 5 * k, k, k), ring = centre.adjusted(-2, -2, 2, 2);
        int wrong = 0;
        for (int y = 0; y < 11 * k; ++y)
            for (int x = 0; x < 11 * k; ++x) {
                const QPoint at(1 + x, 1 + y);
                const bool framed = ring.contains(at) && !centre.contains(at);
                wrong += (shot.pixel(at) == g.screen.pixel(p + QPoint(x / k - 5, y / k - 5))) ==
                         framed;
            }
        QCOMPARE(wrong, 0);
        QCOMPARE(g.form.loupe->findChild<QLabel*>()->text(),
                 g.screen.pixelColor(p).name().toUpper());
    }

    // Clear of what is read around the pointer, on the screen also at its corners, where the Qt
    // probe reads what the fake gives (transparent off the screen). Where the pointer runs into
    // the loupe, it moves aside and that tick takes no colour.
    void placedBesideThePointer_data() {
        QTest::addColumn<QPoint>("pointer");
        const QRect s = QGuiApplication::primaryScreen()->geometry();
        QTest::newRow("middle") << s.center();
        QTest::newRow("top left") << s.topLeft();
        QTest::newRow("top right") << s.topRight();
        QTest::newRow("bottom left") << s.bottomLeft();
        QTest::newRow("bottom right") << s.bottomRight();
    }
    void placedBesideThePointer() {
        QFETCH(QPoint, pointer);
        Grabbing g(pointer);
        QLabel screen(nullptr, Qt::FramelessWindowHint);
        screen.setPixmap(QPixmap::fromImage(g.screen));
        screen.setGeometry(QGuiApplication::primaryScreen()->geometry());
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QCOMPARE(QtScreenProbe().regionAt(pointer, 5), g.fakes.probe->regionAt(pointer, 5));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(g.shown());
            const QRect loupe = g.form.loupe->geometry();
            QVERIFY(screen.geometry().contains(loupe));
            QVERIFY(!loupe.intersects(readAround(pointer)));
            QCOMPARE(bars(g.form), colourAt(pointer));
            pointer = g.fakes.probe->cursor = loupe.center();
            g.form.Timer1_Timer();
            QVERIFY(bars(g.form) != colourAt(pointer));
            g.form.Timer1_Timer();
        }
    }

    void goesWhenGrabModeEnds_data() {
        QTest::addColumn<QString>("handler");
        QTest::newRow("Grab Color again") << "GetPixelbtn_Click";
        QTest::newRow("another window active") << "Timer1_Timer";
        QTest::newRow("gradient strip") << "Gradient_Click";
        QTest::newRow("left end") << "GradientL_Click";
        QTest::newRow("right end") << "GradientR_Click";
        QTest::newRow("Options > Magnifier off") << "mag_Click";
    }
    void goesWhenGrabModeEnds() {
        QFETCH(QString, handler);
        Grabbing g;
        QVERIFY(g.shown());
        g.form.mag->setChecked(handler != "mag_Click");
        if (handler == "Timer1_Timer") g.fakes.probe->active = 0;
        QVERIFY(QMetaObject::invokeMethod(&g.form, qPrintable(handler)));
        QVERIFY(!g.shown());
        QTest::qWait(250);  // the ticks of grab mode, where it goes on, show no loupe
        QVERIFY(!g.shown());
    }

    // The desktop's own picker has its own.
    void noLoupeWhereTheScreenCannotBeRead() {
        Fakes fakes;
        fakes.probe->pixel = 255;
        fakes.probe->screenReadable = false;
        Form1 form(fakes.services());
        form.GetPixelbtn->click();
        QTest::qWait(250);
        QVERIFY(!form.loupe);
    }
};

QTEST_MAIN(TestMagnifier)
#include "test_magnifier.moc"
