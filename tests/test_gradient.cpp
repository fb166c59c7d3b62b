// The gradient strip: the colour of each column, and the strip as drops on its two ends draw it
// and as it shows after repaints.

#include <QtTest>

#include "support.h"
#include "tools/gradient.h"

using namespace swatchly;

namespace {

QColor qcolor(std::int32_t packed) { return PictureBox::toQColor(packed); }

// The strip as it shows on screen, column by column; empty when a column is not one colour.
QList<QColor> stripColumns(Form1& form) {
    const QImage image = form.Gradient->grab().toImage();
    QList<QColor> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 1; y < image.height(); ++y)
            if (image.pixelColor(x, y) != image.pixelColor(x, 0)) return {};
        columns << image.pixelColor(x, 0);
    }
    return columns;
}

// Drops on the strip's ends, each of the channel texts as typed: "L 255 0 0" drops red on
// GradientL.
void dropOnEnds(Form1& form, const QStringList& drops) {
    for (const QString& drop : drops) {
        const QStringList part = drop.split(' ');
        type(form.Rtxt, part[1]);
        type(form.Gtxt, part[2]);
        type(form.Btxt, part[3]);
        QVERIFY(Drag().previewOnto(form, part[0] == "L" ? form.GradientL : form.GradientR));
    }
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
        auto row = [](const char* name, GradientEnd left, GradientEnd right, double width, int i,
                      QColor expected) {
            QTest::newRow(name) << left << right << width << i << expected;
        };
        const GradientEnd black{0, 0, 0}, red{255, 0, 0}, blue10{0, 0, 10}, half{127.5, 0, 0};
        row("to red, column 0 a step on", black, red, 255, 0, QColor(1, 0, 0));
        row("to red, column 100", black, red, 255, 100, QColor(101, 0, 0));
        row("to blue 10, 0.5098 at 12", black, blue10, 255, 12, QColor(0, 0, 1));
        row("to blue 10, 1.4902 at 37", black, blue10, 255, 37, QColor(0, 0, 1));
        row("to blue 10, last column", black, blue10, 255, 254, QColor(0, 0, 10));
        row("0.5 to even", black, half, 255, 0, QColor(0, 0, 0));
        row("1.5 to even", black, half, 255, 2, QColor(2, 0, 0));
        row("2.5 to even", black, half, 255, 4, QColor(2, 0, 0));
        row("3.5 to even", black, {7, 0, 0}, 2, 0, QColor(4, 0, 0));
        row("falling from red", red, black, 255, 0, QColor(254, 0, 0));
        row("above 255 counts as 255", black, {300, 0, 0}, 3, 2, QColor(255, 0, 0));
        row("all channels", {0, 255, 100}, {255, 0, 100}, 5, 1, QColor(102, 153, 100));
    }
    void column() {
        QFETCH(GradientEnd, left);
        QFETCH(GradientEnd, right);
        QFETCH(double, width);
        QFETCH(int, i);
        QFETCH(QColor, expected);
        QCOMPARE(qcolor(gradientColumn(left, right, width, i)), expected);
    }

    // Each drop redraws all 255 columns from the endpoints as the texts give them; an end
    // never dropped on is black. The current colour is not touched.
    void dropsDrawTheStrip_data() {
        QTest::addColumn<QStringList>("drops");
        QTest::addColumn<GradientEnd>("left");
        QTest::addColumn<GradientEnd>("right");
        QTest::addColumn<int>("rightBox");  // GradientR's colour
        auto row = [](const char* name, QStringList drops, GradientEnd left, GradientEnd right,
                      int rightBox) { QTest::newRow(name) << drops << left << right << rightBox; };
        row("on the right first", {"R 255 0 0"}, {0, 0, 0}, {255, 0, 0}, rgb(255, 0, 0));
        row("on the left first", {"L 0 255 0"}, {0, 255, 0}, {0, 0, 0}, 0);
        row("black to blue 10", {"R 0 0 10"}, {0, 0, 0}, {0, 0, 10}, rgb(0, 0, 10));
        row("one colour on both ends", {"L 10 20 30", "R 10 20 30"}, {10, 20, 30}, {10, 20, 30},
            rgb(10, 20, 30));
        row("the last drops count", {"R 255 0 0", "L 40 50 60", "R 40 50 60"}, {40, 50, 60},
            {40, 50, 60}, rgb(40, 50, 60));
        // The box shows the text as RGB takes it; the blend uses the number itself.
        row("127.5 typed", {"R 127.5 0 0"}, {0, 0, 0}, {127.5, 0, 0}, rgb(128, 0, 0));
        row("300 typed", {"R 300 0 0"}, {0, 0, 0}, {300, 0, 0}, rgb(255, 0, 0));
    }
    void dropsDrawTheStrip() {
        QFETCH(QStringList, drops);
        QFETCH(GradientEnd, left);
        QFETCH(GradientEnd, right);
        QFETCH(int, rightBox);
        Form1 form;
        form.show();
        dropOnEnds(form, drops);
        QCOMPARE(form.GradientR->BackColor(), rightBox);
        const QList<QColor> columns = stripColumns(form);
        QCOMPARE(columns.size(), 255);
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(columns[i], qcolor(gradientColumn(left, right, 255, i)));
        QCOMPARE(bars(form), (Rgb{0, 0, 0}));
    }

    void blendSurvivesRepaints() {
        Form1 form;
        QCOMPARE(form.Gradient->size(), QSize(255, 17));
        form.show();
        QCOMPARE(stripColumns(form), QList<QColor>(255, Qt::black));  // until the first drop
        dropOnEnds(form, {"L 0 0 255", "R 255 255 0"});
        const QList<QColor> drawn = stripColumns(form);
        QCOMPARE(drawn[127], QColor(128, 128, 127));
        form.Gradient->repaint();
        QCOMPARE(stripColumns(form), drawn);
        form.hide();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
        QCOMPARE(stripColumns(form), drawn);
        // The current colour changing, other boxes repainting: the strip stays until a drop.
        setBars(form, {9, 9, 9});
        form.GradientL->repaint();
        QCOMPARE(stripColumns(form), drawn);
    }
};

QTEST_MAIN(TestGradient)
#include "test_gradient.moc"
