// The gradient strip: the colour of each column, and the strip as drops on its two ends draw it
// and as it shows after repaints.

#include <QMimeData>
#include <QtTest>
#include <memory>

#include "app/form1.h"
#include "colour/swatches.h"
#include "tools/gradient.h"

using namespace swatchly;

namespace {

QColor qcolor(std::int32_t packed) { return PictureBox::toQColor(packed); }

// The preview dragged out (capturing the channel texts) and dropped on a box.
void dragPreviewOnto(Form1& form, QWidget* target) {
    const auto data = colourMimeData(form.NewPrev->BackColor());
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.NewPrev, &enter);
    QDragLeaveEvent leave;
    QApplication::sendEvent(form.NewPrev, &leave);
    QDragEnterEvent over(QPoint(2, 2), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &over);
    QDropEvent drop(QPointF(3, 3), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
}

void setBars(Form1& form, int r, int g, int b) {
    form.SetBars(std::int16_t(r), std::int16_t(g), std::int16_t(b));
}

// The strip as it shows on screen, column by column (the top and the bottom row agree).
QList<QColor> stripColumns(Form1& form) {
    const QImage image = form.Gradient->grab().toImage();
    QList<QColor> columns;
    for (int x = 0; x < image.width(); ++x) {
        const QColor top = image.pixelColor(x, 0);
        if (image.pixelColor(x, image.height() - 1) != top) return {};
        columns << top;
    }
    return columns;
}

}  // namespace

class TestGradient : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void column_data() {
        QTest::addColumn<GradientEnd>("left");
        QTest::addColumn<GradientEnd>("right");
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("i");
        QTest::addColumn<QColor>("expected");
        const GradientEnd black{0, 0, 0};
        const GradientEnd red{255, 0, 0};
        const GradientEnd blue10{0, 0, 10};
        QTest::newRow("to red, first column one step on")
            << black << red << 255.0 << 0 << QColor(1, 0, 0);
        QTest::newRow("to red, column 100") << black << red << 255.0 << 100 << QColor(101, 0, 0);
        QTest::newRow("to red, last column") << black << red << 255.0 << 254 << QColor(255, 0, 0);
        QTest::newRow("to blue 10, first column")
            << black << blue10 << 255.0 << 0 << QColor(0, 0, 0);
        QTest::newRow("to blue 10, 0.5098 at 12")
            << black << blue10 << 255.0 << 12 << QColor(0, 0, 1);
        QTest::newRow("to blue 10, 1.4902 at 37")
            << black << blue10 << 255.0 << 37 << QColor(0, 0, 1);
        QTest::newRow("to blue 10, last column")
            << black << blue10 << 255.0 << 254 << QColor(0, 0, 10);
        QTest::newRow("2.5 to even")
            << black << GradientEnd{5, 0, 0} << 2.0 << 0 << QColor(2, 0, 0);
        QTest::newRow("3.5 to even")
            << black << GradientEnd{7, 0, 0} << 2.0 << 0 << QColor(4, 0, 0);
        QTest::newRow("0.5 to even")
            << black << GradientEnd{127.5, 0, 0} << 255.0 << 0 << QColor(0, 0, 0);
        QTest::newRow("1.5 to even")
            << black << GradientEnd{127.5, 0, 0} << 255.0 << 2 << QColor(2, 0, 0);
        QTest::newRow("2.5 to even at 255")
            << black << GradientEnd{127.5, 0, 0} << 255.0 << 4 << QColor(2, 0, 0);
        QTest::newRow("falling from red") << red << black << 255.0 << 0 << QColor(254, 0, 0);
        QTest::newRow("one colour both ends") << GradientEnd{10, 20, 30} << GradientEnd{10, 20, 30}
                                              << 255.0 << 77 << QColor(10, 20, 30);
        QTest::newRow("above 255 counts as 255")
            << black << GradientEnd{300, 0, 0} << 3.0 << 2 << QColor(255, 0, 0);
        QTest::newRow("all channels") << GradientEnd{0, 255, 100} << GradientEnd{255, 0, 100} << 5.0
                                      << 1 << QColor(102, 153, 100);
    }
    void column() {
        QFETCH(GradientEnd, left);
        QFETCH(GradientEnd, right);
        QFETCH(double, width);
        QFETCH(int, i);
        QFETCH(QColor, expected);
        QCOMPARE(qcolor(gradientColumn(left, right, width, i)), expected);
    }

    void blackToRedStepsOnePerColumn() {
        for (int i = 0; i < 255; ++i)
            QCOMPARE(qcolor(gradientColumn({0, 0, 0}, {255, 0, 0}, 255, i)), QColor(i + 1, 0, 0));
    }

    void blackToBlueTenRoundsToNearest() {
        // 10 (i + 1) / 255 never falls on a half, so the nearest whole number is exact integer
        // arithmetic: (20 (i + 1) + 255) / 510.
        for (int i = 0; i < 255; ++i)
            QCOMPARE(qcolor(gradientColumn({0, 0, 0}, {0, 0, 10}, 255, i)),
                     QColor(0, 0, (20 * (i + 1) + 255) / 510));
    }

    void dropOnRightFirstBlendsFromBlack() {
        Form1 form;
        form.show();
        setBars(form, 255, 0, 0);
        dragPreviewOnto(form, form.GradientR);
        QCOMPARE(form.GradientR->BackColor(), rgb(255, 0, 0));
        QCOMPARE(form.GradientL->BackColor(), 0);
        QCOMPARE(form.GradRightR, Variant("255"));  // the captured text, kept as it was
        QCOMPARE(form.GradLeftR, Variant(std::int16_t(0)));
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        for (int i = 0; i < columns.size(); ++i) QCOMPARE(columns[i], QColor(i + 1, 0, 0));
    }

    void dropOnLeftFirstBlendsToBlack() {
        Form1 form;
        form.show();
        setBars(form, 0, 255, 0);
        dragPreviewOnto(form, form.GradientL);
        QCOMPARE(form.GradientL->BackColor(), rgb(0, 255, 0));
        QCOMPARE(form.GradientR->BackColor(), 0);
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        for (int i = 0; i < columns.size(); ++i) QCOMPARE(columns[i], QColor(0, 254 - i, 0));
    }

    void blueTenAcrossTheStrip() {
        Form1 form;
        form.show();
        setBars(form, 0, 0, 10);
        dragPreviewOnto(form, form.GradientR);
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        QCOMPARE(columns[0], QColor(0, 0, 0));
        QCOMPARE(columns[12], QColor(0, 0, 1));
        QCOMPARE(columns[37], QColor(0, 0, 1));
        QCOMPARE(columns[38], QColor(0, 0, 2));
        QCOMPARE(columns[254], QColor(0, 0, 10));
    }

    void oneColourOnBothEndsFillsTheStrip() {
        Form1 form;
        form.show();
        setBars(form, 10, 20, 30);
        dragPreviewOnto(form, form.GradientL);
        dragPreviewOnto(form, form.GradientR);
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        for (const QColor& c : columns) QCOMPARE(c, QColor(10, 20, 30));
    }

    // An unapplied text is what the endpoint keeps: the box shows it as RGB takes it, the
    // blend uses the number itself.
    void typedTextIsTheEndpoint() {
        Form1 form;
        form.show();
        form.Rtxt->QLineEdit::setText("127.5");
        dragPreviewOnto(form, form.GradientR);
        QCOMPARE(form.GradientR->BackColor(), rgb(128, 0, 0));  // 127.5 to even
        QCOMPARE(form.GradRightR, Variant("127.5"));
        QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        // Red (i + 1) / 2: the halves go to the even neighbour.
        QCOMPARE(columns[0], QColor(0, 0, 0));
        QCOMPARE(columns[2], QColor(2, 0, 0));
        QCOMPARE(columns[4], QColor(2, 0, 0));
        QCOMPARE(columns[6], QColor(4, 0, 0));
        QCOMPARE(columns[254], QColor(128, 0, 0));

        form.Rtxt->QLineEdit::setText("300");
        dragPreviewOnto(form, form.GradientR);
        QCOMPARE(form.GradientR->BackColor(), rgb(255, 0, 0));
        QCOMPARE(form.GradRightR, Variant("300"));
        columns = stripColumns(form);
        QCOMPARE(columns[0], QColor(1, 0, 0));      // 300 / 255 = 1.18
        QCOMPARE(columns[215], QColor(254, 0, 0));  // 300 * 216 / 255 = 254.1
        QCOMPARE(columns[216], QColor(255, 0, 0));  // 255.3, and from here on 255
        QCOMPARE(columns[254], QColor(255, 0, 0));
        QCOMPARE(int(form.RScroll->Value()), 0);  // the current colour is not touched
    }

    void blendSurvivesRepaints() {
        Form1 form;
        form.show();
        setBars(form, 0, 0, 255);
        dragPreviewOnto(form, form.GradientL);
        setBars(form, 255, 255, 0);
        dragPreviewOnto(form, form.GradientR);
        const QList<QColor> drawn = stripColumns(form);
        QCOMPARE(drawn.size(), 255);
        QCOMPARE(drawn[254], QColor(255, 255, 0));
        QCOMPARE(drawn[127], QColor(128, 128, 127));

        form.Gradient->repaint();
        QCOMPARE(stripColumns(form), drawn);
        form.hide();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Gradient->update();
        QCoreApplication::processEvents();
        QCOMPARE(stripColumns(form), drawn);
        // Other boxes changing, the current colour changing: the strip stays until a drop.
        setBars(form, 9, 9, 9);
        form.GradientL->repaint();
        QCOMPARE(stripColumns(form), drawn);
    }

    void everyDropRedrawsTheWholeStrip() {
        Form1 form;
        form.show();
        setBars(form, 255, 0, 0);
        dragPreviewOnto(form, form.GradientR);
        setBars(form, 40, 50, 60);
        dragPreviewOnto(form, form.GradientL);
        dragPreviewOnto(form, form.GradientR);
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        for (const QColor& c : columns) QCOMPARE(c, QColor(40, 50, 60));
    }

    void stripIsOneLinePerPixelColumn() {
        Form1 form;
        QCOMPARE(form.Gradient->width(), 255);
        QCOMPARE(form.Gradient->height(), 17);
        QCOMPARE(form.Gradient->toolTip(),
                 QString("The gradient, use the 'get pixel' button to grab a color"));
        QCOMPARE(form.GradientL->toolTip(), QString("Drop here the first color for the gradient"));
        QCOMPARE(form.GradientR->toolTip(), QString("Drop here the second color for the gradient"));
        // Until the first drop the strip shows its black background.
        form.show();
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        for (const QColor& c : columns) QCOMPARE(c, QColor(0, 0, 0));
    }
};

QTEST_MAIN(TestGradient)
#include "test_gradient.moc"
