// The real program on a real X server: it opens its window, black at start.

#include <QtTest>

#include "swatchly_window.h"

class TestE2EStart : public QObject {
    Q_OBJECT
    XSession x;
private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
    }

    void opensBlackWindow() {
        SwatchlyWindow w(x);
        QVERIFY2(w.launch(), "the Swatchly window did not appear");
        const QRect g = w.geometry();
        // Client area 296 wide; the height adds the menu bar to its 255.
        QCOMPARE(g.width(), 296);
        QVERIFY2(g.height() > 255 && g.height() < 300, qPrintable(QString::number(g.height())));
        QTRY_VERIFY_WITH_TIMEOUT(w.preview() == QColor(Qt::black), 5000);
        // The window body beside the preview is not black: what we saw is the preview.
        QVERIFY(x.pixel(w.at({150, 140})) != QColor(Qt::black));
        w.process()->terminate();
        QVERIFY(w.process()->waitForFinished(5000));
    }
};

QTEST_MAIN(TestE2EStart)
#include "test_e2e_start.moc"
