// The loupe while grabbing: the region read around the pointer, enlarged beside it and never
// under it, gone when grab mode ends.

#include <QLabel>
#include <QtTest>

#include "fakes.h"
#include "platform/qt_services.h"
#include "tools/magnifier.h"
#include "window/form1.h"

using namespace swatchly;

namespace {
// Each pixel differs from its neighbours and from the black and white ring in the loupe.
QRgb colourAt(QPoint p) { return qRgb(p.x() * 37 % 256, p.y() * 59 % 256, 77); }
QRgb bars(const Form1& f) {
    return qRgb(f.RScroll->Value(), f.GScroll->Value(), f.BScroll->Value());
}

// Grabbing over a fake screen of that pattern, one tick taken.
struct Grabbing {
    Fakes fakes;
    Form1 form{fakes.services()};
    QImage& screen = fakes.probe->screen;
    explicit Grabbing(QPoint pointer = {300, 200}) {
        screen = QImage(QGuiApplication::primaryScreen()->size(), QImage::Format_ARGB32);
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x) screen.setPixel(x, y, colourAt({x, y}));
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
                wrong += (shot.pixel(at) == colourAt(p + QPoint(x / k - 5, y / k - 5))) == framed;
            }
        QCOMPARE(wrong, 0);
        QCOMPARE(g.form.loupe->findChild<QLabel*>()->text(), QColor(colourAt(p)).name().toUpper());
    }

    // Clear of what is read around the pointer and on the screen at its corners, where the Qt
    // probe reads what the fake gives. Where the pointer runs into the loupe, it moves aside and
    // that tick takes no colour.
    void placedBesideThePointer_data() {
        QTest::addColumn<QPoint>("pointer");
        const QRect s = QGuiApplication::primaryScreen()->geometry();
        for (QPoint p : {s.center(), s.topLeft(), s.topRight(), s.bottomLeft(), s.bottomRight()})
            QTest::addRow("%d,%d", p.x(), p.y()) << p;
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
            QVERIFY(!loupe.intersects(QRect(pointer - QPoint(5, 5), QSize(11, 11))));
            QCOMPARE(bars(g.form), colourAt(pointer));
            pointer = g.fakes.probe->cursor = loupe.center();
            g.form.Timer1_Timer();
            QVERIFY(bars(g.form) != colourAt(pointer));
            g.form.Timer1_Timer();
        }
    }

    // Every way grab mode ends, and Options > Magnifier off; a screen that cannot be read (the
    // desktop's own picker has its own loupe) shows none.
    void goesWhenGrabModeEnds_data() {
        QTest::addColumn<QString>("handler");
        for (const char* h : {"GetPixelbtn_Click", "Timer1_Timer", "Gradient_Click",
                              "GradientL_Click", "GradientR_Click", "mag_Click", "unreadable"})
            QTest::newRow(h) << h;
    }
    void goesWhenGrabModeEnds() {
        QFETCH(QString, handler);
        Grabbing g;
        QVERIFY(g.shown());
        g.form.mag->setChecked(handler != "mag_Click");
        g.fakes.probe->active = handler == "Timer1_Timer" ? 0 : 7;
        g.fakes.probe->screenReadable = handler != "unreadable";
        if (handler == "unreadable") {
            g.form.loupe.reset();
            g.form.GetPixelbtn->click();
            g.form.GetPixelbtn->click();
        } else {
            QVERIFY(QMetaObject::invokeMethod(&g.form, qPrintable(handler)));
        }
        QVERIFY(!g.shown());
        QTest::qWait(250);  // the ticks of grab mode, where it goes on, show no loupe
        QVERIFY(!g.shown());
    }
};

QTEST_MAIN(TestMagnifier)
#include "test_magnifier.moc"
