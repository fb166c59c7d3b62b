// The three text forms of a colour, written and read back, without a window.

#include <QRandomGenerator>
#include <QtTest>

#include "app/runtime/runtime_error.h"
#include "colour/text_formats.h"

using namespace swatchly;

Q_DECLARE_METATYPE(std::optional<std::int16_t>)

namespace {

// What a hex reader made of a text: "values", "wrong shape" or "error <number>".
template <typename Reader>
QString outcome(Reader read, const QString& text, Channels* values) {
    try {
        const std::optional<Channels> c = read(text);
        if (!c) return QStringLiteral("wrong shape");
        *values = *c;
        return QStringLiteral("values");
    } catch (const RuntimeError& e) {
        return QStringLiteral("error %1").arg(e.number);
    }
}

}  // namespace

class TestTextFormats : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void writers_data() {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("vb");
        QTest::newRow("black") << 0 << 0 << 0 << "#000000" << "&H000000&";
        QTest::newRow("white") << 255 << 255 << 255 << "#FFFFFF" << "&HFFFFFF&";
        QTest::newRow("15 16 171") << 15 << 16 << 171 << "#0F10AB" << "&HAB100F&";
        QTest::newRow("orange") << 255 << 128 << 0 << "#FF8000" << "&H0080FF&";
        QTest::newRow("single digits padded") << 9 << 10 << 1 << "#090A01" << "&H010A09&";
    }
    void writers() {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(QString, html);
        QFETCH(QString, vb);
        const Variant r{std::int16_t(red)}, g{std::int16_t(green)}, b{std::int16_t(blue)};
        QCOMPARE(htmlHexText(r, g, b), html);
        QCOMPARE(vbHexText(r, g, b), vb);
        // The VB text, read as a number, is the packed colour.
        QCOMPARE(vb.mid(2, 6).toInt(nullptr, 16), rgb(red, green, blue));
    }

    void hexReaders_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        auto row = [](const char* name, const char* form, const QString& text,
                      const char* expected, int r = 0, int g = 0, int b = 0) {
            QTest::newRow(name) << form << text << expected << r << g << b;
        };
        row("html #ff8000", "html", "#ff8000", "values", 255, 128, 0);
        row("html ff8000 without #", "html", "ff8000", "values", 255, 128, 0);
        row("html #FF8000xyz tail dropped", "html", "#FF8000xyz", "values", 255, 128, 0);
        row("html #0F10AB", "html", "#0F10AB", "values", 15, 16, 171);
        row("html #FF80 short", "html", "#FF80", "wrong shape");
        row("html empty", "html", "", "wrong shape");
        row("html seven without #", "html", "FF80001", "wrong shape");
        row("html blank before #", "html", " #FF8000", "wrong shape");
        row("html VB text", "html", "&H0080FF&", "wrong shape");
        row("html bad red", "html", "#GG8000", "error 13");
        row("html bad green", "html", "#FFZZ00", "error 13");
        row("html #FF80GG bad blue", "html", "#FF80GG", "error 13");
        row("html six blanks", "html", "      ", "error 13");
        row("html blank in a pair", "html", "#F 8000", "error 13");
        row("html sign", "html", "#-18000", "error 13");
        row("html full-width digits", "html", QString::fromUtf8("#ＦＦ8000"), "error 13");
        row("vb &H0080FF&", "vb", "&H0080FF&", "values", 255, 128, 0);
        row("vb no closing &", "vb", "&H0080FF", "values", 255, 128, 0);
        row("vb 0080FF bare", "vb", "0080FF", "values", 255, 128, 0);
        row("vb tail dropped", "vb", "&H0080FF&junk", "values", 255, 128, 0);
        row("vb small digits", "vb", "&Hab100f&", "values", 15, 16, 171);
        row("vb &h0080FF& small h", "vb", "&h0080FF&", "wrong shape");
        row("vb &HFF", "vb", "&HFF", "wrong shape");
        row("vb empty", "vb", "", "wrong shape");
        row("vb seven without &H", "vb", "0080FF&", "wrong shape");
        row("vb HTML text", "vb", "#FF8000", "wrong shape");
        row("vb &H0080ZZ& bad red", "vb", "&H0080ZZ&", "error 13");
        row("vb bad green", "vb", "&H00G0FF&", "error 13");
        row("vb bad blue", "vb", "&HX080FF&", "error 13");
        row("vb six with small &h", "vb", "&h0080", "error 13");
        row("vb blank in red", "vb", "&H0080F &", "error 13");
    }
    void hexReaders() {
        QFETCH(QString, form);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        Channels got;
        QCOMPARE(outcome(form == "html" ? readHtmlHex : readVbHex, text, &got), expected);
        if (expected == "values")
            QCOMPARE(got, (Channels{std::int16_t(red), std::int16_t(green), std::int16_t(blue)}));
    }

    void hexPairs_data() {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<int>("value");  // -1: fails with 13
        QTest::newRow("00") << "00" << 0;
        QTest::newRow("ff") << "ff" << 255;
        QTest::newRow("Ab") << "Ab" << 171;
        QTest::newRow("0G") << "0G" << -1;
        QTest::newRow("blank F") << " F" << -1;
        QTest::newRow("F blank") << "F " << -1;
        QTest::newRow("one digit") << "F" << -1;
        QTest::newRow("three digits") << "FFF" << -1;
        QTest::newRow("&H") << "&H" << -1;
        QTest::newRow("+1") << "+1" << -1;
    }
    void hexPairs() {
        QFETCH(QString, pair);
        QFETCH(int, value);
        int got = -1;
        try {
            got = readHexPair(pair);
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number, 13);
        }
        QCOMPARE(got, value);
    }

    void writtenTextsReadBack() {
        // Whatever the writers produce, the readers give back the same channels.
        for (int v = 0; v < 256; ++v) {
            const int r = v, g = (v * 7) % 256, b = 255 - v;
            const Variant vr{std::int16_t(r)}, vg{std::int16_t(g)}, vb{std::int16_t(b)};
            const Channels expected{std::int16_t(r), std::int16_t(g), std::int16_t(b)};
            QCOMPARE(readHtmlHex(htmlHexText(vr, vg, vb)), std::optional(expected));
            QCOMPARE(readVbHex(vbHexText(vr, vg, vb)), std::optional(expected));
            QCOMPARE(readDecimalChannel(QString::number(v)),
                     (DecimalReading{QString::number(v), std::int16_t(v)}));
        }
    }

    void decimalReader_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");  // the box afterwards
        QTest::addColumn<std::optional<std::int16_t>>("value");
        const std::optional<std::int16_t> none;
        auto v = [](int x) { return std::optional<std::int16_t>(std::int16_t(x)); };
        QTest::newRow("empty") << "en_US" << "" << "0" << v(0);
        QTest::newRow("blanks") << "en_US" << "   " << "0" << v(0);
        QTest::newRow("300") << "en_US" << "300" << "255" << v(255);
        QTest::newRow("-4") << "en_US" << "-4" << "0" << v(0);
        QTest::newRow("abc") << "en_US" << "abc" << "0" << none;
        QTest::newRow("12.5 to even") << "en_US" << "12.5" << "12.5" << v(12);
        QTest::newRow("13.5 to even") << "en_US" << "13.5" << "13.5" << v(14);
        QTest::newRow("254.5") << "en_US" << "254.5" << "254.5" << v(254);
        QTest::newRow("12.7") << "en_US" << "12.7" << "12.7" << v(13);
        QTest::newRow("007") << "en_US" << "007" << "007" << v(7);
        QTest::newRow("1e2") << "en_US" << "1e2" << "1e2" << v(100);
        QTest::newRow("1e3") << "en_US" << "1e3" << "255" << v(255);
        QTest::newRow("&HFF") << "en_US" << "&HFF" << "&HFF" << v(255);
        QTest::newRow("&hff small") << "en_US" << "&hff" << "&hff" << v(255);
        QTest::newRow("&H100") << "en_US" << "&H100" << "255" << v(255);
        QTest::newRow("&HFFFF is -1") << "en_US" << "&HFFFF" << "0" << v(0);
        QTest::newRow("&H alone") << "en_US" << "&H" << "0" << none;
        QTest::newRow("negative zero") << "en_US" << "-0" << "-0" << v(0);
        QTest::newRow("0 stays") << "en_US" << "0" << "0" << v(0);
        QTest::newRow("255 stays") << "en_US" << "255" << "255" << v(255);
        QTest::newRow("255.2") << "en_US" << "255.2" << "255" << v(255);
        QTest::newRow("-0.3") << "en_US" << "-0.3" << "0" << v(0);
        QTest::newRow("blanks around") << "en_US" << "  42 " << "  42 " << v(42);
        QTest::newRow("plus sign") << "en_US" << "+42" << "+42" << v(42);
        QTest::newRow("thousands") << "en_US" << "1,000" << "255" << v(255);
        QTest::newRow("comma decimal in en") << "en_US" << "12,5" << "0" << none;
        QTest::newRow("huge") << "en_US" << "1e400" << "0" << none;
        QTest::newRow("huge negative") << "en_US" << "-99999999999" << "0" << v(0);
        QTest::newRow("inf") << "en_US" << "inf" << "0" << none;
        QTest::newRow("trailing letters") << "en_US" << "12px" << "0" << none;
        QTest::newRow("de 12,5") << "de_DE" << "12,5" << "12,5" << v(12);
        QTest::newRow("de 254,5") << "de_DE" << "254,5" << "254,5" << v(254);
        QTest::newRow("de 12.5 plain") << "de_DE" << "12.5" << "12.5" << v(12);
        QTest::newRow("de thousands") << "de_DE" << "1.000,5" << "255" << v(255);
        QTest::newRow("de -0,3") << "de_DE" << "-0,3" << "0" << v(0);
    }
    void decimalReader() {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(std::optional<std::int16_t>, value);
        QLocale::setDefault(QLocale(locale));
        const DecimalReading got = readDecimalChannel(typed);
        QCOMPARE(got.text, text);
        QCOMPARE(got.value, value);
    }

    void randomTextsStayWithinBounds() {
        // Whatever is typed, the readers give channels in 0..255 or their failure, and nothing
        // else escapes them.
        QRandomGenerator random(20240611);
        const QString alphabet = QStringLiteral("0123456789abcdefABCDEFGHXZhx&#+-.,e ");
        for (int i = 0; i < 20000; ++i) {
            QString text;
            const int length = random.bounded(12);
            for (int j = 0; j < length; ++j)
                text += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
            for (auto read : {readHtmlHex, readVbHex}) {
                try {
                    if (const auto c = read(text))
                        for (int channel : {c->red, c->green, c->blue})
                            QVERIFY2(channel >= 0 && channel <= 255, qPrintable(text));
                } catch (const RuntimeError& e) {
                    QVERIFY2(e.number == 13, qPrintable(text));
                }
            }
            DecimalReading reading;
            try {
                reading = readDecimalChannel(text);
            } catch (const RuntimeError& e) {
                QFAIL(qPrintable(QStringLiteral("%1 threw %2").arg(text).arg(e.number)));
            }
            QVERIFY2(reading.text == text || reading.text == "0" || reading.text == "255",
                     qPrintable(text));
            if (reading.value)
                QVERIFY2(*reading.value >= 0 && *reading.value <= 255, qPrintable(text));
            else
                QCOMPARE(reading.text, QString("0"));
        }
    }
};

QTEST_GUILESS_MAIN(TestTextFormats)
#include "test_text_formats.moc"
