// Typing a colour into the real program on a real X server: a click into a box selects its
// text, so what is typed replaces it, and the row's Set applies it.

#include <QtTest>

#include "xsession.h"

class TestE2EText : public QObject {
    Q_OBJECT
    XSession x;
    QProcess* app = nullptr;

    void click(QPoint rootPos) {
        x.xdotool({"mousemove", QString::number(rootPos.x()), QString::number(rootPos.y()),
                   "click", "1"});
    }

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
    }
    void cleanup() {
        if (!app) return;
        app->terminate();
        app->waitForFinished(5000);
        app = nullptr;
    }

    void clickTypeAndSet_data() {
        // In client pixels: a point near the box's left end (a plain click there would put
        // the typing in front of the hex texts) and the centre of the Set that applies the box.
        QTest::addColumn<QPoint>("box");
        QTest::addColumn<QPoint>("set");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("HTML hex") << QPoint(51, 58) << QPoint(160, 58) << "ff8000"
                                  << QColor(255, 128, 0);
        QTest::newRow("VB hex") << QPoint(51, 42) << QPoint(160, 42) << "0080FF"
                                << QColor(255, 128, 0);
        QTest::newRow("decimal red") << QPoint(51, 26) << QPoint(160, 26) << "200"
                                     << QColor(200, 0, 0);
    }
    void clickTypeAndSet() {
        QFETCH(QPoint, box);
        QFETCH(QPoint, set);
        QFETCH(QString, typed);
        QFETCH(QColor, colour);
        app = x.launch(SWATCHLY_BIN);
        const qulonglong win = x.waitForWindow("^Swatchly$");
        QVERIFY2(win, "the Swatchly window did not appear");
        const QRect g = x.geometry(win);
        const QPoint client = g.topLeft() + QPoint(0, g.height() - 255);
        const QPoint preview = client + QPoint(232, 62);
        QTRY_VERIFY_WITH_TIMEOUT(x.pixel(preview) == QColor(Qt::black), 5000);

        click(client + box);
        x.xdotool({"type", "--delay", "30", typed});
        click(client + set);
        QTRY_COMPARE_WITH_TIMEOUT(x.pixel(preview), colour, 5000);
    }
};

QTEST_MAIN(TestE2EText)
#include "test_e2e_text.moc"
