// The pure functions under the window, one row per case: what a function makes of an input.

#include <QtTest>

#include "app/platform/qt_services.h"
#include "app/runtime/runtime_error.h"
#include "colour/text_formats.h"

using namespace swatchly;

namespace {

QString channels(const std::optional<Channels>& c) {
    return c ? QString("%1 %2 %3").arg(c->red).arg(c->green).arg(c->blue) : "wrong shape";
}

// What `function` makes of `input`, as text, or the error it raises.
QString outcome(const QString& function, const QString& input) try {
    if (function == "int16") return QString::number(toInt16(input.isNull() ? Variant() : input));
    if (function == "html") return channels(readHtmlHex(input));
    if (function == "vb") return channels(readVbHex(input));
    if (function == "pair") return QString::number(readHexPair(input));
    if (function == "en" || function == "de") {  // a decimal box read in that locale
        QLocale::setDefault(QLocale(function == "en" ? "en_US" : "de_DE"));
        const DecimalReading r = readDecimalChannel(input);
        return "box " + r.text + (r.value ? QString(", %1").arg(*r.value) : ", no value");
    }
    if (function == "screen") {  // a pointer position on four screens, two with negative origins
        const auto spot =
            locateOnScreens({{0, 0, 1920, 1080},
                             {-1280, 0, 1280, 1024},
                             {0, -900, 1600, 900},
                             {1920, 0, 1024, 768}},
                            {input.section(',', 0, 0).toInt(), input.section(',', 1).toInt()});
        return spot ? QString("%1 at %2,%3")
                          .arg(spot->screen)
                          .arg(spot->local.x())
                          .arg(spot->local.y())
                    : "none";
    }
    if (function == "session") {  // Qt platform, desktop session, what the portal offers
        const QStringList a = input.split(' ');
        return sessionReadsScreen(a[0], a[1] == "wayland", [&] { return a[2] == "picker"; })
                   ? "reads the screen"
                   : "asks the portal";
    }
    return "no such function";
} catch (const RuntimeError& e) {
    return QString("error %1").arg(e.number);
}

}  // namespace

class TestLogic : public QObject {
    Q_OBJECT
  private slots:
    void outcomes_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* function, const QString& input, const char* expected) {
            QTest::addRow("%s [%s]", function, qPrintable(input)) << function << input << expected;
        };
        row("int16", QString(), "0");  // the empty value
        row("int16", "12.5", "12");
        row("int16", "13.5", "14");
        row("int16", "-2.5", "-2");
        row("int16", "-32768.5", "-32768");
        row("int16", "32767.5", "error 6");
        row("int16", "1e400", "error 13");
        row("int16", "inf", "error 13");
        // "&H" literals: up to four digits are 16 bits, five to eight are 32.
        row("int16", "&hff", "255");
        row("int16", "&H8000", "-32768");
        row("int16", "&HFFFF", "-1");
        row("int16", "&HFFFFFFFF", "-1");
        row("int16", "&H10000", "error 6");
        row("int16", "&H123456789", "error 13");
        row("int16", "&H", "error 13");
        row("html", "#ff8000", "255 128 0");
        row("html", "ff8000", "255 128 0");
        row("html", "#FF8000xyz", "255 128 0");
        row("html", "FF80001", "wrong shape");
        row("html", "#FF80", "wrong shape");
        row("html", "", "wrong shape");
        row("html", "#GG8000", "error 13");
        row("html", "#FF80GG", "error 13");
        row("html", "#F 8000", "error 13");
        row("html", QString::fromUtf8("#ＦＦ8000"), "error 13");  // full-width digits
        row("vb", "&H0080FF&", "255 128 0");
        row("vb", "&H0080FF", "255 128 0");
        row("vb", "0080FF", "255 128 0");
        row("vb", "&Hab100f&junk", "15 16 171");
        row("vb", "&h0080FF&", "wrong shape");
        row("vb", "&HFF", "wrong shape");
        row("vb", "&H0080ZZ&", "error 13");
        row("vb", "&HX080FF&", "error 13");
        row("pair", "Ab", "171");
        row("pair", " F", "error 13");
        row("pair", "+1", "error 13");
        row("en", "", "box 0, 0");
        row("en", "   ", "box 0, 0");
        row("en", "abc", "box 0, no value");
        row("en", "-4", "box 0, 0");
        row("en", "-0", "box -0, 0");
        row("en", "12.5", "box 12.5, 12");
        row("en", "254.5", "box 254.5, 254");
        row("en", "255", "box 255, 255");
        row("en", "255.2", "box 255, 255");
        row("en", "300", "box 255, 255");
        row("en", "1e2", "box 1e2, 100");
        row("en", " 42 ", "box  42 , 42");
        row("en", "&HFF", "box &HFF, 255");
        row("en", "&HFFFF", "box 0, 0");
        row("en", "&H10000", "box 255, 255");
        row("en", "&HFFFFFFFF", "box 0, 0");
        row("en", "1,000", "box 255, 255");
        row("en", "12,5", "box 0, no value");
        row("en", "1e400", "box 0, no value");
        row("de", "254,5", "box 254,5, 254");
        row("de", "12.5", "box 12.5, 12");
        row("de", "1.000,5", "box 255, 255");
        row("de", "-0,3", "box 0, 0");
        row("screen", "100,200", "0 at 100,200");
        row("screen", "-1,5", "1 at 1279,5");
        row("screen", "10,-900", "2 at 10,0");
        row("screen", "500,1080", "0 at 500,1079");  // just past an edge: its last pixel
        row("screen", "2944,300", "3 at 1023,300");
        row("screen", "-1282,10", "none");
        row("session", "xcb x11 picker", "reads the screen");
        row("session", "wayland wayland picker", "asks the portal");
        row("session", "wayland wayland none", "asks the portal");
        row("session", "xcb wayland picker", "asks the portal");
        row("session", "xcb wayland none", "reads the screen");
        row("session", "windows x11 none", "reads the screen");
        row("session", "offscreen wayland picker", "reads the screen");
    }
    void outcomes() {
        QFETCH(QString, function);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(outcome(function, input), expected);
    }
};

QTEST_GUILESS_MAIN(TestLogic)
#include "test_logic.moc"
