// Value conversions and the control classes' event contract.

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
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void toInt16_data() {
        QTest::addColumn<Variant>("input");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << Variant() << 0 << 0;
        QTest::newRow("12.5 to even") << Variant(12.5) << 12 << 0;
        QTest::newRow("13.5 to even") << Variant(13.5) << 14 << 0;
        QTest::newRow("254.5 text") << Variant("254.5") << 254 << 0;
        QTest::newRow("exponent") << Variant("1e2") << 100 << 0;
        QTest::newRow("&HFF") << Variant("&HFF") << 255 << 0;
        QTest::newRow("&hff small") << Variant("&hff") << 255 << 0;
        QTest::newRow("&HFFFF is -1") << Variant("&HFFFF") << -1 << 0;
        QTest::newRow("negative zero") << Variant("-0") << 0 << 0;
        QTest::newRow("32767.5 overflows") << Variant(32767.5) << 0 << 6;
        QTest::newRow("-32768.5 rounds in") << Variant(-32768.5) << -32768 << 0;
        QTest::newRow("40000 text") << Variant("40000") << 0 << 6;
        QTest::newRow("letters") << Variant("abc") << 0 << 13;
        QTest::newRow("blank text") << Variant("   ") << 0 << 13;
        QTest::newRow("inf") << Variant("inf") << 0 << 13;
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
        QCOMPARE(got, expected);
    }

    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("leading number") << "12abc" << 12.0;
        QTest::newRow("decimal") << "2.75x" << 2.75;
        QTest::newRow("hex pair") << "&h56" << 86.0;
        QTest::newRow("hex FFFF") << "&HFFFF" << -1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("nothing") << "abc" << 0.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(swatchly::val(text), expected);
    }

    void hex_data() {
        QTest::addColumn<Variant>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("255") << Variant(std::int16_t(255)) << "FF";
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
        QCOMPARE(roundHalfEven(-3.5), -4.0);
        QCOMPARE(intDiv(-7, 2), -3);
        QCOMPARE(intMod(-7, 2), -1);
        QCOMPARE(trim("  a b  "), QString("a b"));
        QCOMPARE(trim("\ta\t"), QString("\ta\t"));
    }

    // An error in Change reaches a program writer, but stops at the guard for a user move (Qt's
    // own setter, as an arrow click makes it). Out of range is error 380 and writes nothing.
    void scrollBarChangeErrors() {
        ScrollBar bar(nullptr);
        bar.setRange(0, 255);
        bar.Change = [] { throw RuntimeError::typeMismatch(); };
        QCOMPARE(errorOf([&] { bar.setValue(256); }), 380);
        QCOMPARE(errorOf([&] { bar.setValue(5); }), 13);
        QCOMPARE(bar.Value(), std::int16_t(5));
        int reported = 0;
        auto previous = setUnhandledErrorHook([&](int n, const QString&) { reported = n; });
        bar.QScrollBar::setValue(3);
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
};

QTEST_MAIN(TestRuntime)
#include "test_runtime.moc"
