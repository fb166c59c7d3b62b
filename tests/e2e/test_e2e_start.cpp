// The real program on a real X server: it opens its window, black at start.

#include <QtTest>

#include "xsession.h"

class TestE2EStart : public QObject {
    Q_OBJECT
    XSession x;
private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
    }

    void opensBlackWindow() {
        QProcess* app = x.launch(SWATCHLY_BIN);
        const qulonglong win = x.waitForWindow("^Swatchly$");
        QVERIFY2(win, "the Swatchly window did not appear");
        const QRect g = x.geometry(win);
        // Client area 296 wide; the height adds the menu bar to its 255.
        QCOMPARE(g.width(), 296);
        QVERIFY2(g.height() > 255 && g.height() < 300, qPrintable(QString::number(g.height())));
        const int menu = g.height() - 255;
        QTRY_VERIFY_WITH_TIMEOUT(x.pixel(g.topLeft() + QPoint(232, menu + 62)) == QColor(Qt::black),
                                 5000);
        // The window body beside the preview is not black: what we saw is the preview.
        QVERIFY(x.pixel(g.topLeft() + QPoint(150, menu + 140)) != QColor(Qt::black));
        app->terminate();
        QVERIFY(app->waitForFinished(5000));
    }
};

QTEST_MAIN(TestE2EStart)
#include "test_e2e_start.moc"
