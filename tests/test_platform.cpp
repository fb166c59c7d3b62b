// The desktop services' own decisions, without a window: where a point lies on a desktop of
// several screens, how a session gives the colour under the pointer, and Stay On Top on the
// native window.

#include <QtTest>

#include "platform/qt_services.h"

using namespace swatchly;

class TestPlatform : public QObject {
    Q_OBJECT
  private slots:
    // Four screens, two at negative origins. A point just past a screen's right or bottom edge,
    // where rounding a scaled pointer position can put it, is that screen's last pixel.
    void locateOnScreens_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("screen");  // -1: on none
        QTest::addColumn<QPoint>("local");
        QTest::newRow("primary") << QPoint(100, 200) << 0 << QPoint(100, 200);
        QTest::newRow("left of it") << QPoint(-1, 5) << 1 << QPoint(1279, 5);
        QTest::newRow("above it") << QPoint(10, -900) << 2 << QPoint(10, 0);
        QTest::newRow("just past a corner") << QPoint(2944, 768) << 3 << QPoint(1023, 767);
        QTest::newRow("off every screen") << QPoint(-1282, 10) << -1 << QPoint();
    }
    void locateOnScreens() {
        QFETCH(QPoint, point);
        QFETCH(int, screen);
        QFETCH(QPoint, local);
        const auto spot = swatchly::locateOnScreens({{0, 0, 1920, 1080},
                                                     {-1280, 0, 1280, 1024},
                                                     {0, -900, 1600, 900},
                                                     {1920, 0, 1024, 768}},
                                                    point);
        QCOMPARE(spot ? int(spot->screen) : -1, screen);
        QCOMPARE(spot ? spot->local : QPoint(), local);
    }

    // A Wayland desktop gives no pixels; an X11 program on one sees only other X11 programs, so it
    // takes the portal's picker where there is one.
    void sessionReadsScreen_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("waylandDesktop");
        QTest::addColumn<bool>("portalPicks");
        QTest::addColumn<bool>("readsScreen");
        QTest::newRow("wayland") << "wayland" << true << true << false;
        QTest::newRow("xcb on wayland, a picker") << "xcb" << true << true << false;
        QTest::newRow("xcb on wayland, none") << "xcb" << true << false << true;
        QTest::newRow("xcb on x11") << "xcb" << false << true << true;
    }
    void sessionReadsScreen() {
        QFETCH(QString, platform);
        QFETCH(bool, waylandDesktop);
        QFETCH(bool, portalPicks);
        QFETCH(bool, readsScreen);
        QCOMPARE(
            swatchly::sessionReadsScreen(platform, waylandDesktop, [&] { return portalPicks; }),
            readsScreen);
    }

    // The flag goes onto the native window that exists, which neither moves nor is made anew.
    void stayOnTopKeepsTheWindow() {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const WId id = window.winId();
        const QRect before = window.geometry();
        for (bool on : {true, false, true}) {
            QtWindowManager().setStayOnTop(&window, on);
            QCOMPARE(bool(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint), on);
            QVERIFY(window.winId() == id && window.geometry() == before);
        }
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
