// The forms a colour is written in for other programs, and the reader that takes them back,
// without a window. That every colour reads back from each form is the benchmark's to prove
// (bench/forms.cpp): it takes too long for a test.

#include <QtTest>

#include "colour/forms.h"
#include "colour/swatches.h"

using namespace swatchly;

namespace {
Channels channels(const char* html) {
    const QColor c(html);
    return {std::int16_t(c.red()), std::int16_t(c.green()), std::int16_t(c.blue())};
}
QString html(Channels c) { return QString::asprintf("#%02X%02X%02X", c.red, c.green, c.blue); }
}  // namespace

class TestColour : public QObject {
    Q_OBJECT
  private slots:
    // Each named form, the greys, each hue sextant's edge (359.8 degrees is 0), a saturation of
    // 2.5 % rounded up, templates, and forms that are none.
    void write_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("text");
        auto row = [](const QString& form, const char* colour, const QString& text) {
            QTest::addRow("%s %s", qPrintable(form), colour) << form << colour << text;
        };
        const char* orange[] = {"#FF8000", "&H0080FF&", "255,128,0", "rgb(255, 128, 0)",
                                "hsl(30, 100%, 50%)"};
        for (int i = 0; i < 5; ++i) row(ColourForm::names()[i], "#FF8000", orange[i]);
        for (const char* grey : {"#000000 0", "#808080 50", "#FFFFFF 100"})
            row("css-hsl", grey, QString("hsl(0, 0%, %1%)").arg(QString(grey).mid(8)));
        for (const char* edge : {"#FFFF00 60", "#00FF00 120", "#00FFFF 180", "#0000FF 240",
                                 "#FF00FF 300", "#FF0001 0"})
            row("css-hsl", edge, QString("hsl(%1, 100%, 50%)").arg(QString(edge).mid(8)));
        row("css-hsl", "#292727", "hsl(0, 3%, 16%)");
        row("css-hsl", "#FFC080", "hsl(30, 100%, 75%)");
        row("%{r};%{g};%{b}", "#FF8000", "255;128;0");
        row("%{h} %{s}%% %{l}%%", "#123456", "210 65% 20%");
        // Forms refused, naming what is wrong: the reason's start.
        row("%{r}/%{x}", "#000000", "\"%{x}\" in the form");
        row("%{r} 50%", "#000000", "\"%\" in the form");
        row("hex", "#000000", "\"hex\" is no form");
    }
    void write() {
        QFETCH(QString, form);
        QFETCH(QString, colour);
        QFETCH(QString, text);
        QString why;
        const auto made = ColourForm::make(form, &why);
        QCOMPARE(made ? made->write(channels(qPrintable(colour.left(7)))) : why.left(text.size()),
                 text);
    }

    // Every form read back, blanks and case free; anything else gives no colour and a reason.
    void read_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");  // the colour, or the start of the reason
        const char* colours[][2] = {
            {"#FF8000", "#FF8000"},
            {"#f80", "#FF8800"},
            {"&H0080FF&", "#FF8000"},
            {"&H0080ff", "#FF8000"},
            {" 255 , 128 , 0\n", "#FF8000"},
            {"rgb(255 128 0)", "#FF8000"},
            {"hsl(30, 100%, 50%)", "#FF8000"},
            {"Orange", "#FFA500"},
            {"", "no colour: the text is empty"},
            {"256,0,0", "channel 256 is outside 0..255"},
            {"rgb(0, 0, -1)", "channel -1 is outside 0..255"},
            {"transparent", "\"transparent\" is not a colour"},
        };
        for (const auto& [text, read] : colours) QTest::newRow(text) << text << read;
        QTest::newRow("1 MB") << QString(1 << 20, 'a') << "the text is too long to be a colour";
        QTest::newRow("NUL") << QString("#FF") + QChar(0) + "8000"
                             << "\"#FF\uFFFD8000\" is not";
        QTest::newRow("unpaired UTF-16") << QString(QChar(0xD800)) + "ff8000"
                                         << "\"\uFFFDff8000\"";
    }
    void read() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        QString why;
        const std::optional<Channels> c = readColour(text, &why);
        QCOMPARE(c ? html(*c) : why.left(read.size()), read);
    }

    // The CSS colour names, each against its published value.
    void names() {
        const QStringList table = QString(R"(
aliceblue f0f8ff antiquewhite faebd7 aqua 00ffff aquamarine 7fffd4 azure f0ffff beige f5f5dc
bisque ffe4c4 black 000000 blanchedalmond ffebcd blue 0000ff blueviolet 8a2be2 brown a52a2a
burlywood deb887 cadetblue 5f9ea0 chartreuse 7fff00 chocolate d2691e coral ff7f50
cornflowerblue 6495ed cornsilk fff8dc crimson dc143c cyan 00ffff darkblue 00008b
darkcyan 008b8b darkgoldenrod b8860b darkgray a9a9a9 darkgreen 006400 darkgrey a9a9a9
darkkhaki bdb76b darkmagenta 8b008b darkolivegreen 556b2f darkorange ff8c00 darkorchid 9932cc
darkred 8b0000 darksalmon e9967a darkseagreen 8fbc8f darkslateblue 483d8b
darkslategray 2f4f4f darkslategrey 2f4f4f darkturquoise 00ced1 darkviolet 9400d3
deeppink ff1493 deepskyblue 00bfff dimgray 696969 dimgrey 696969 dodgerblue 1e90ff
firebrick b22222 floralwhite fffaf0 forestgreen 228b22 fuchsia ff00ff gainsboro dcdcdc
ghostwhite f8f8ff gold ffd700 goldenrod daa520 gray 808080 green 008000 greenyellow adff2f
grey 808080 honeydew f0fff0 hotpink ff69b4 indianred cd5c5c indigo 4b0082 ivory fffff0
khaki f0e68c lavender e6e6fa lavenderblush fff0f5 lawngreen 7cfc00 lemonchiffon fffacd
lightblue add8e6 lightcoral f08080 lightcyan e0ffff lightgoldenrodyellow fafad2
lightgray d3d3d3 lightgreen 90ee90 lightgrey d3d3d3 lightpink ffb6c1 lightsalmon ffa07a
lightseagreen 20b2aa lightskyblue 87cefa lightslategray 778899 lightslategrey 778899
lightsteelblue b0c4de lightyellow ffffe0 lime 00ff00 limegreen 32cd32 linen faf0e6
magenta ff00ff maroon 800000 mediumaquamarine 66cdaa mediumblue 0000cd mediumorchid ba55d3
mediumpurple 9370db mediumseagreen 3cb371 mediumslateblue 7b68ee mediumspringgreen 00fa9a
mediumturquoise 48d1cc mediumvioletred c71585 midnightblue 191970 mintcream f5fffa
mistyrose ffe4e1 moccasin ffe4b5 navajowhite ffdead navy 000080 oldlace fdf5e6 olive 808000
olivedrab 6b8e23 orange ffa500 orangered ff4500 orchid da70d6 palegoldenrod eee8aa
palegreen 98fb98 paleturquoise afeeee palevioletred db7093 papayawhip ffefd5 peachpuff ffdab9
peru cd853f pink ffc0cb plum dda0dd powderblue b0e0e6 purple 800080 rebeccapurple 663399
red ff0000 rosybrown bc8f8f royalblue 4169e1 saddlebrown 8b4513 salmon fa8072
sandybrown f4a460 seagreen 2e8b57 seashell fff5ee sienna a0522d silver c0c0c0 skyblue 87ceeb
slateblue 6a5acd slategray 708090 slategrey 708090 snow fffafa springgreen 00ff7f
steelblue 4682b4 tan d2b48c teal 008080 thistle d8bfd8 tomato ff6347 turquoise 40e0d0
violet ee82ee wheat f5deb3 white ffffff whitesmoke f5f5f5 yellow ffff00 yellowgreen 9acd32
)")
                                      .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        QCOMPARE(table.size(), 2 * 148);
        for (qsizetype i = 0; i < table.size(); i += 2) {
            const std::optional<Channels> c = readColour(table[i]);
            QVERIFY2(c && html(*c) == '#' + table[i + 1].toUpper(), qPrintable(table[i]));
        }
    }

    // GIMP's own sample lines; what is no palette names its fault (the reason's start here).
    void readPalette_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("read");  // the colours' HTML hex, or the error
        QTest::newRow("written") << gimpPalette({{255, 128, 0}, {1, 2, 3}}) << "#FF8000 #010203";
        QTest::newRow("old format, tabs, comments, blanks, names with spaces")
            << QByteArray(
                   "GIMP Palette\r\n# a comment\n\n  0\t 0\t0\tDark night sky\n"
                   "255 255 255\n")
            << "#000000 #FFFFFF";
        QTest::newRow("Columns: 300, KDE") << QByteArray(
                                                  "KDE RGB Palette\nName: x\nColumns: "
                                                  "300\n#\n10 20 30 a b c\n")
                                           << "#0A141E";
        QTest::newRow("no palette") << QByteArray("RGB\n1 2 3\n") << "The file is not a palette";
        QTest::newRow("a word") << QByteArray("GIMP Palette\n1 2 3\n1 two 3\n")
                                << "Line 3 is not a colour: it should begin with three whole";
        for (const char* channel : {"256", "-1"})
            QTest::addRow("channel %s", channel)
                << QByteArray("GIMP Palette\n1 2 3\n1 2 ") + channel + '\n'
                << QString("Line 3 is not a colour: %1 is outside 0..255.").arg(channel);
        QTest::newRow("no colour") << QByteArray("GIMP Palette\nName: x\n") << "The palette holds";
        QTest::newRow("over 1 MiB")
            << "GIMP Palette\n" + QByteArray(1 << 20, '#') << "The file is larger";
    }
    void readPalette() {
        QFETCH(QByteArray, file);
        QFETCH(QString, read);
        const PaletteReading r = swatchly::readPalette(file);
        QStringList colours;
        for (const Channels& c : r.colours) colours << html(c);
        QCOMPARE(r.error.isEmpty() ? colours.join(' ') : r.error.left(read.size()), read);
    }
};

QTEST_MAIN(TestColour)
#include "test_colour.moc"
