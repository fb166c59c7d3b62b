// Value conversions and the control classes' event contract.

#include <QSignalSpy>
#include <QtTest>

#include "app/runtime/controls.h"
#include "app/runtime/runtime_error.h"
#include "app/runtime/variant.h"

using namespace swatchly;

namespace {
// The error number a call throws, 0 when it throws nothing.
template <typename F>
int errorOf(F&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number;
    }
    return 0;
}
}  // namespace

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void toInt16_data() {
        QTest::addColumn<Variant>("input");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << Variant() << 0 << 0;
        QTest::newRow("12.5 to even") << Variant(12.5) << 12 << 0;
        QTest::newRow("13.5 to even") << Variant(13.5) << 14 << 0;
        QTest::newRow("-2.5 to even") << Variant(-2.5) << -2 << 0;
        QTest::newRow("254.5") << Variant("254.5") << 254 << 0;
        QTest::newRow("text 12.7") << Variant("12.7") << 13 << 0;
        QTest::newRow("blanks") << Variant("  42 ") << 42 << 0;
        QTest::newRow("exponent") << Variant("1e2") << 100 << 0;
        QTest::newRow("thousands") << Variant("1,000") << 1000 << 0;
        QTest::newRow("&HFF") << Variant("&HFF") << 255 << 0;
        QTest::newRow("&hff small") << Variant("&hff") << 255 << 0;
        QTest::newRow("&HFFFF is -1") << Variant("&HFFFF") << -1 << 0;
        QTest::newRow("negative zero") << Variant("-0") << 0 << 0;
        QTest::newRow("32767") << Variant(std::int32_t(32767)) << 32767 << 0;
        QTest::newRow("32767.5 overflows") << Variant(32767.5) << 0 << 6;
        QTest::newRow("-32768.5 rounds in") << Variant(-32768.5) << -32768 << 0;
        QTest::newRow("40000 text") << Variant("40000") << 0 << 6;
        QTest::newRow("long 70000") << Variant(std::int32_t(70000)) << 0 << 6;
        QTest::newRow("letters") << Variant("abc") << 0 << 13;
        QTest::newRow("blank text") << Variant("   ") << 0 << 13;
        QTest::newRow("inf") << Variant("inf") << 0 << 13;
        QTest::newRow("nan") << Variant("nan") << 0 << 13;
        QTest::newRow("&H alone") << Variant("&H") << 0 << 13;
        QTest::newRow("&HZZ") << Variant("&HZZ") << 0 << 13;
        QTest::newRow("1e400") << Variant("1e400") << 0 << 13;
    }
    void toInt16() {
        QFETCH(Variant, input);
        QFETCH(int, expected);
        QFETCH(int, error);
        int got = 0;
        QCOMPARE(errorOf([&] { got = swatchly::toInt16(input); }), error);
        if (!error) QCOMPARE(got, expected);
    }

    void localeSeparators() {
        // A German user writes 12,5 and 1.000; the plain "." decimal is always taken.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(parseNumber("12,5"), std::optional<double>(12.5));
        QCOMPARE(parseNumber("12.5"), std::optional<double>(12.5));
        QCOMPARE(parseNumber("1.000,5"), std::optional<double>(1000.5));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(parseNumber("1,000"), std::optional<double>(1000));
        QVERIFY(!parseNumber("12,5"));  // a misplaced thousands separator is no number
    }

    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "42" << 42.0;
        QTest::newRow("leading number") << "12abc" << 12.0;
        QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
        QTest::newRow("negative") << "-7" << -7.0;
        QTest::newRow("decimal") << "2.75x" << 2.75;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("dangling exponent") << "5e" << 5.0;
        QTest::newRow("hex pair") << "&h56" << 86.0;
        QTest::newRow("hex FFFF") << "&HFFFF" << -1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("nothing") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(swatchly::val(text), expected);
    }

    void hex_data() {
        QTest::addColumn<Variant>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << Variant(std::int16_t(0)) << "0";
        QTest::newRow("255") << Variant(std::int16_t(255)) << "FF";
        QTest::newRow("-1 integer") << Variant(std::int16_t(-1)) << "FFFF";
        QTest::newRow("-1 long") << Variant(std::int32_t(-1)) << "FFFFFFFF";
        QTest::newRow("5649426") << Variant(std::int32_t(5649426)) << "563412";
        QTest::newRow("empty") << Variant() << "0";
    }
    void hex() {
        QFETCH(Variant, input);
        QFETCH(QString, expected);
        QCOMPARE(swatchly::hex(input), expected);
    }

    void rgbAndRounding() {
        QCOMPARE(rgb(255, 128, 0), 33023);
        QCOMPARE(rgb(300, 0, 256), 255 + 255 * 65536);
        QCOMPARE(errorOf([] { rgb(-1, 0, 0); }), 5);
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-3.5), -4.0);
        QCOMPARE(intDiv(-7, 2), -3);
        QCOMPARE(intMod(-7, 2), -1);
        QCOMPARE(trim("  a b  "), QString("a b"));
        QCOMPARE(trim("\ta\t"), QString("\ta\t"));
    }

    void scrollBarRaisesChangeOnlyOnRealChange() {
        ScrollBar bar(nullptr);
        bar.setRange(0, 255);
        int changes = 0;
        bar.Change = [&] { ++changes; };
        bar.setValue(10);
        bar.setValue(10);
        QCOMPARE(changes, 1);
        QCOMPARE(errorOf([&] { bar.setValue(256); }), 380);
        QCOMPARE(errorOf([&] { bar.setValue(-1); }), 380);
        QCOMPARE(bar.Value(), std::int16_t(10));
        QCOMPARE(changes, 1);
        // A user move (Qt's own setter, as an arrow click does) reaches Change as well.
        bar.QScrollBar::setValue(11);
        QCOMPARE(changes, 2);
    }

    void scrollBarErrorInChangeReachesTheWriter() {
        ScrollBar bar(nullptr);
        bar.setRange(0, 255);
        bar.Change = [] { throw RuntimeError::overflow(); };
        QCOMPARE(errorOf([&] { bar.setValue(5); }), 6);
        QCOMPARE(bar.Value(), std::int16_t(5));
    }

    void userEventErrorsStopAtTheGuard() {
        ScrollBar bar(nullptr);
        bar.setRange(0, 255);
        bar.Change = [] { throw RuntimeError::typeMismatch(); };
        int reported = 0;
        auto previous = setUnhandledErrorHook([&](int n, const QString&) { reported = n; });
        bar.QScrollBar::setValue(3);  // must not throw
        setUnhandledErrorHook(previous);
        QCOMPARE(reported, 13);
    }

    void textBoxChangeOnRealChangeOnly() {
        TextBox box(nullptr);
        QStringList seen;
        box.Change = [&] { seen << box.Text(); };
        box.setText("a");
        box.setText("a");
        box.QLineEdit::setText("ab");  // as typing does
        QCOMPARE(seen, QStringList({"a", "ab"}));
    }

    void timerTicksOnlyWhenEnabledWithInterval() {
        Timer t(nullptr);
        t.setEnabled(true);
        QVERIFY(!t.isTicking());  // Interval 0
        t.setInterval(100);
        QVERIFY(t.isTicking());
        t.setEnabled(false);
        QVERIFY(!t.isTicking());
        t.setEnabled(true);
        int ticks = 0;
        t.Tick = [&] { ++ticks; };
        t.setInterval(5);
        QTRY_VERIFY(ticks >= 2);
        t.setInterval(0);
        QVERIFY(!t.isTicking());
    }

    void pictureBoxKeepsItsDrawing() {
        PictureBox box(nullptr);
        box.resize(20, 10);
        box.setBackColor(0x000000);
        box.line({3, 0}, {3, 10}, 0x0000FF);
        QImage shot = box.grab().toImage();
        QCOMPARE(QColor(shot.pixel(3, 5)), QColor(255, 0, 0));
        QCOMPARE(QColor(shot.pixel(4, 5)), QColor(0, 0, 0));
        box.update();
        shot = box.grab().toImage();  // a repaint keeps the line
        QCOMPARE(QColor(shot.pixel(3, 5)), QColor(255, 0, 0));
    }
};

QTEST_MAIN(TestRuntime)
#include "test_runtime.moc"
