// Typing a colour into the real program on a real X server: a click into a box selects its
// text, so what is typed replaces it, and the row's Set applies it.

#include <QtTest>

#include "swatchly_window.h"

class TestE2EText : public QObject {
    Q_OBJECT
    XSession x;

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
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
        SwatchlyWindow w(x);
        QVERIFY2(w.launch(), "the Swatchly window did not appear");
        QTRY_VERIFY_WITH_TIMEOUT(w.preview() == QColor(Qt::black), 5000);

        w.click(box);
        x.xdotool({"type", "--delay", "30", typed});
        w.click(set);
        QTRY_COMPARE_WITH_TIMEOUT(w.preview(), colour, 5000);
    }
};

QTEST_MAIN(TestE2EText)
#include "test_e2e_text.moc"
