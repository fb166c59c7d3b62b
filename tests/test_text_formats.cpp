// The readers of the three text forms of a colour, without a window.

#include <QtTest>

#include "app/runtime/runtime_error.h"
#include "colour/text_formats.h"

using namespace swatchly;

Q_DECLARE_METATYPE(std::optional<std::int16_t>)

class TestTextFormats : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // What the HTML and VB readers, and the pair reader under them, make of a text: the
    // channels, "wrong shape" or the error number.
    void hexReaders_data() {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("outcome");
        auto row = [](const char* reader, const QString& text, const char* outcome) {
            QTest::addRow("%s [%s]", reader, qPrintable(text)) << reader << text << outcome;
        };
        row("html", "#ff8000", "255 128 0");
        row("html", "ff8000", "255 128 0");
        row("html", "#FF80", "wrong shape");
        row("html", "", "wrong shape");
        row("html", "FF80001", "wrong shape");  // seven without "#"
        row("html", "#GG8000", "error 13");
        row("html", "#FFZZ00", "error 13");
        row("html", "#FF80GG", "error 13");
        row("html", "      ", "error 13");
        row("html", "#F 8000", "error 13");
        row("html", QString::fromUtf8("#ＦＦ8000"), "error 13");  // full-width digits
        row("vb", "&H0080FF&", "255 128 0");
        row("vb", "0080FF", "255 128 0");
        row("vb", "&Hab100f&junk", "15 16 171");
        row("vb", "&h0080FF&", "wrong shape");
        row("vb", "&HFF", "wrong shape");
        row("vb", "&H0080ZZ&", "error 13");  // red is read first
        row("vb", "&H00G0FF&", "error 13");
        row("vb", "&HX080FF&", "error 13");
        row("pair", "Ab", "171 0 0");
        row("pair", "0G", "error 13");
        row("pair", " F", "error 13");
        row("pair", "F ", "error 13");
        row("pair", "+1", "error 13");
    }
    void hexReaders() {
        QFETCH(QString, reader);
        QFETCH(QString, text);
        QFETCH(QString, outcome);
        QString got;
        try {
            const std::optional<Channels> c = reader == "html" ? readHtmlHex(text)
                                              : reader == "vb" ? readVbHex(text)
                                                               : Channels{readHexPair(text)};
            got = c ? QString("%1 %2 %3").arg(c->red).arg(c->green).arg(c->blue) : "wrong shape";
        } catch (const RuntimeError& e) {
            got = QString("error %1").arg(e.number);
        }
        QCOMPARE(got, outcome);
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
        QTest::newRow("254.5") << "en_US" << "254.5" << "254.5" << v(254);
        QTest::newRow("1e2") << "en_US" << "1e2" << "1e2" << v(100);
        QTest::newRow("&HFF") << "en_US" << "&HFF" << "&HFF" << v(255);
        QTest::newRow("&HFFFF is -1") << "en_US" << "&HFFFF" << "0" << v(0);
        QTest::newRow("&H alone") << "en_US" << "&H" << "0" << none;
        QTest::newRow("negative zero") << "en_US" << "-0" << "-0" << v(0);
        QTest::newRow("255 stays") << "en_US" << "255" << "255" << v(255);
        QTest::newRow("255.2") << "en_US" << "255.2" << "255" << v(255);
        QTest::newRow("blanks around") << "en_US" << "  42 " << "  42 " << v(42);
        QTest::newRow("thousands") << "en_US" << "1,000" << "255" << v(255);
        QTest::newRow("comma decimal in en") << "en_US" << "12,5" << "0" << none;
        QTest::newRow("huge") << "en_US" << "1e400" << "0" << none;
        QTest::newRow("de 254,5") << "de_DE" << "254,5" << "254,5" << v(254);
        QTest::newRow("de 12.5 plain") << "de_DE" << "12.5" << "12.5" << v(12);
        QTest::newRow("de thousands") << "de_DE" << "1.000,5" << "255" << v(255);
        QTest::newRow("de 1.000 is a thousand") << "de_DE" << "1.000" << "255" << v(255);
        QTest::newRow("de 0.200 is two hundred") << "de_DE" << "0.200" << "0.200" << v(200);
        QTest::newRow("de -0,3") << "de_DE" << "-0,3" << "0" << v(0);
    }
    void decimalReader() {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(std::optional<std::int16_t>, value);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(readDecimalChannel(typed), (DecimalReading{text, value}));
    }
};

QTEST_GUILESS_MAIN(TestTextFormats)
#include "test_text_formats.moc"
