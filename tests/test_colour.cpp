// The forms a colour is written in for other programs, the reader that takes them back, the
// colour's name, its contrast and how it looks with a dichromacy, without a window. That every
// colour reads back from each form is the benchmark's to prove (bench/forms.cpp): it takes too
// long for a test.

#include <QtTest>

#include "colour/average.h"
#include "colour/contrast.h"
#include "colour/forms.h"
#include "colour/history.h"
#include "colour/names.h"
#include "colour/swatches.h"
#include "colour/vision.h"

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
    // Each named form, the greys (a hue of 0, never none, and no -0), each hue sextant's edge
    // (359.8 degrees is 0), a saturation of 2.5 % rounded up, templates, and forms that are none.
    void write_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("text");
        auto row = [](const QString& form, const char* colour, const QString& text) {
            QTest::addRow("%s %s", qPrintable(form), colour) << form << colour << text;
        };
        const char* orange[] = {"#FF8000",
                                "&H0080FF&",
                                "255,128,0",
                                "rgb(255, 128, 0)",
                                "hsl(30, 100%, 50%)",
                                "hwb(30.12 0% 0%)",
                                "lab(67.82 45.49 74.84)",
                                "lch(67.82 87.58 58.71)",
                                "oklab(0.73189 0.11186 0.14836)",
                                "oklch(0.73189 0.1858 52.98)",
                                "hsv(30.12, 100%, 100%)",
                                "cmyk(0%, 49.8%, 100%, 0%)",
                                "color(xyz-d65 0.48958 0.36702 0.04506)",
                                "#ff8000",
                                "0xFF8000",
                                "16744448",
                                "QColor(255, 128, 0)",
                                "vec3(1.000, 0.502, 0.000)",
                                "\u2248 darkorange"};
        QCOMPARE(ColourForm::names().size(), std::size(orange));
        for (int i = 0; i < 19; ++i) row(ColourForm::names()[i], "#FF8000", orange[i]);
        const char* greys[][4] = {
            {"css-hwb", "hwb(0 0% 100%)", "hwb(0 50.2% 49.8%)", "hwb(0 100% 0%)"},
            {"css-lab", "lab(0 0 0)", "lab(53.59 0 0)", "lab(100 0 0)"},
            {"css-oklch", "oklch(0 0 0)", "oklch(0.59987 0 0)", "oklch(1 0 0)"},
            {"hsv", "hsv(0, 0%, 0%)", "hsv(0, 0%, 50.2%)", "hsv(0, 0%, 100%)"},
            {"cmyk", "cmyk(0%, 0%, 0%, 100%)", "cmyk(0%, 0%, 0%, 49.8%)", "cmyk(0%, 0%, 0%, 0%)"},
            {"xyz", "color(xyz-d65 0 0 0)", "color(xyz-d65 0.20517 0.21586 0.23508)",
             "color(xyz-d65 0.95046 1 1.08906)"}};
        const char* const shades[] = {"#000000", "#808080", "#FFFFFF"};
        for (const auto& grey : greys)
            for (int i = 0; i < 3; ++i) row(grey[0], shades[i], grey[i + 1]);
        row("name", "#FFA500", "orange");
        for (const char* grey : {"#000000 0", "#808080 50", "#FFFFFF 100"})
            row("css-hsl", grey, QString("hsl(0, 0%, %1%)").arg(QString(grey).mid(8)));
        for (const char* edge : {"#FFFF00 60", "#00FF00 120", "#00FFFF 180", "#0000FF 240",
                                 "#FF00FF 300", "#FF0001 0"})
            row("css-hsl", edge, QString("hsl(%1, 100%, 50%)").arg(QString(edge).mid(8)));
        row("css-hsl", "#292727", "hsl(0, 3%, 16%)");
        row("css-hsl", "#FFC080", "hsl(30, 100%, 75%)");
        row("%{r};%{g};%{b}", "#FF8000", "255;128;0");
        row("%{h} %{s}%% %{l}%%", "#123456", "210 65% 20%");
        row("%{hex} %{decimal} %{L} %{C} %{H}", "#FF8000", "ff8000 16744448 0.73189 0.1858 52.98");
        // Forms refused, naming what is wrong: the reason's start.
        row("%{r}/%{x}", "#000000", "\"%{x}\" in the form");
        row("%{r} 50%", "#000000", "\"%\" in the form");
        row("css-xyz", "#000000", "\"css-xyz\" is no form");
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

    // Every form read back, blanks and case free, and CSS Color 4's own examples (lab() to
    // color()) in each spelling; anything else gives no colour and a reason.
    void read_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");  // the colour and its note, or the reason: the start
        const char* colours[][2] = {
            {"#FF8000", "#FF8000"},
            {"#f80", "#FF8800"},
            {"&H0080FF&", "#FF8000"},
            {"&H0080ff", "#FF8000"},
            {" 255 , 128 , 0\n", "#FF8000"},
            {"rgb(255 128 0)", "#FF8000"},
            {"hsl(30, 100%, 50%)", "#FF8000"},
            {"Orange", "#FFA500"},
            {"\u2248 darkorange", "#FF8C00"},
            {"123456", "#123456"},
            {"16744448", "#FF8000"},
            {"0xff8000", "#FF8000"},
            {"QColor(255, 128, 0)", "#FF8000"},
            {"vec3(1.000, 0.502, 0.000)", "#FF8000"},
            {"hsv(30.12, 100%, 100%)", "#FF8000"},
            {"cmyk(0%, 49.8%, 100%, 0%)", "#FF8000"},
            {"cmyk(0, 0.498, 1, 0)", "#FF8000"},
            {"hwb(0 40% 40%)", "#996666"},
            {"hwb(120 20% 0%)", "#33FF33"},
            {"hwb(300 20% 40%)", "#993399"},
            {"hwb(45 40% 80%)", "#555555"},
            {"hwb(none 0% 0%)", "#FF0000"},
            {"lab(62.2345% -34.9638 47.7721)", "#68A639"},
            {"lab(44.36% 36.05 -58.99)", "#7654CD"},
            {"lab(29.69% 44.888% -29.04%)", "#800080"},
            {"lch(62.2345% 59.2 126.2)", "#68A639"},
            {"lch(37% 105.0 305.00)", "#6A27E7"},
            {"oklab(66.016% -0.1084 0.1114)", "#68A639"},
            {"OKLCH(0.66016 0.15546 134.231)", "#68A639"},
            {"oklch(0.7 0.1 190)", "#43B2AC"},
            {"oklch(53.85% 0.1725 320.67 / 70%)",
             "#9944AA the alpha 70% is ignored: a colour here is opaque"},
            {"color(xyz-d65 0.21661 0.14602 0.59452)", "#7654CD"},
            {"color(xyz-d50 0.2005 0.14089 0.4472)", "#7654CD"},
            {"color(srgb-linear 0.435 0.017 0.055)", "#B02342"},
            {"rgb(46.27% 32.94% 80.39%)", "#7654CD"},
            {"rgba(255, 128, 0, 1)", "#FF8000"},
            {"rgb(none 255 none)", "#00FF00"},
            {"hsl(38.824 100% 50%)", "#FFA500"},
            {"hsl(-540 100% 50%)", "#00FFFF"},
            {"hsl(-300 50% 50%)", "#BFBF40"},
            {"hsl(0.25turn 100% 50%)", "#80FF00"},
            {"hsl(100grad 100% 50%)", "#80FF00"},
            {"hsl(3.14159265rad 100% 50%)", "#00FFFF"},
            {"#0000ffcc", "#0000FF the alpha of #0000ffcc is ignored"},
            {"oklch(0.7 0.4 30)", "#FF0000 \"oklch(0.7 0.4 30)\" is outside sRGB"},
            {"lab(50 20)", "lab() takes three values, not 2"},
            {"color(display-p3 1 0 0)", "color() in \"display-p3\" is not read"},
            {"16777216", "\"16777216\" is above 16777215"},
            {"hsl(30, 120%, 50%)", "saturation 120% is outside 0..100%"},
            {"rgb(50% 101% 0)", "channel 101% is outside 0..100%"},
            {"vec3(1.5, 0, 0)", "channel 1.5 is outside 0..1"},
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
        QString why, note;
        const std::optional<Channels> c = readColour(text, &why, {false, &note});
        // A colour alone is the whole text; with a note, and a reason, their start.
        const QString got = c ? (html(*c) + ' ' + note).trimmed() : why;
        QCOMPARE(read.size() == 7 ? got : got.left(read.size()), read);
    }

    // The CSS colour names, each against its published value, and each colour named exactly
    // (by the name first in the alphabet where two share it).
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
            const Naming n = nearestName(*c);
            QVERIFY2(n.exact && readColour(n.name) == c && n.name <= table[i], qPrintable(n.name));
        }
    }

    // Near colours by Oklab distance (RGB numbers would name #804040 sienna), marked.
    void nearest_data() {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("name");
        for (auto [colour, name] : {std::pair{"#FF8000", "\u2248 darkorange"},
                                    {"#804040", "\u2248 saddlebrown"},
                                    {"#010101", "\u2248 black"},
                                    {"#00FFFF", "aqua"}})
            QTest::newRow(colour) << colour << name;
    }
    void nearest() {
        QFETCH(QString, colour);
        QFETCH(QString, name);
        QCOMPARE(nameText(channels(qPrintable(colour))), name);
    }

    // WCAG's thresholds at their edges, each side; ratios cut, not rounded (13.2897 is 13.28).
    void contrast_data() {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("verdicts");  // the ratio, then AA AAA normal, AA AAA large, UI
        const char* rows[][2] = {
            {"#777777 #FFFFFF", "4.47:1 fail fail pass fail pass"},
            {"#FFFFFF #767676", "4.54:1 pass fail pass pass pass"},
            {"#595959 #FFFFFF", "7.00:1 pass pass pass pass pass"},
            {"#5A5A5A #FFFFFF", "6.89:1 pass fail pass pass pass"},
            {"#949494 #FFFFFF", "3.03:1 fail fail pass fail pass"},
            {"#959595 #FFFFFF", "2.99:1 fail fail fail fail fail"},
            {"#0000FF #FFFFFF", "8.59:1 pass pass pass pass pass"},
            {"#81D9FE #000000", "13.28:1 pass pass pass pass pass"},
            {"#000000 #FFFFFF", "21.00:1 pass pass pass pass pass"},
            {"#123456 #123456", "1.00:1 fail fail fail fail fail"},
        };
        for (const auto& [pair, verdicts] : rows) QTest::newRow(pair) << pair << verdicts;
    }
    void contrast() {
        QFETCH(QString, pair);
        QFETCH(QString, verdicts);
        const QString report =
            contrastReport(channels(qPrintable(pair.left(7))), channels(qPrintable(pair.mid(8))));
        static const QRegularExpression verdict(": (pass|fail) \\(needs");
        QStringList got{report.section('\n', 0, 0)};
        for (const QRegularExpressionMatch& m : verdict.globalMatch(report)) got << m.captured(1);
        QCOMPARE(got.join(' '), verdicts);
        if (pair.startsWith("#777777"))
            QCOMPARE(report.section('\n', 1, 1), "AA normal text: fail (needs 4.5:1)");
    }

    // Red, green, blue and orange through each deficiency; a grey stays itself.
    void vision_data() {
        QTest::addColumn<int>("deficiency");
        QTest::addColumn<QString>("seen");  // #FF0000 #00FF00 #0000FF #FF8000 #808080
        QTest::newRow("protanopia") << 0 << "#6D5F00 #FFE500 #0059FF #A69100 #808080";
        QTest::newRow("deuteranopia") << 1 << "#A39000 #EFD63A #003DFB #C4AE00 #808080";
        QTest::newRow("tritanopia") << 2 << "#FF000F #00F7D9 #006B96 #FF626D #808080";
    }
    void vision() {
        QFETCH(int, deficiency);
        QFETCH(QString, seen);
        QStringList got;
        for (const char* c : {"#FF0000", "#00FF00", "#0000FF", "#FF8000", "#808080"})
            got << html(seenWith(channels(c), kDeficiencies[deficiency]));
        QCOMPARE(got.join(' '), seen);
    }

    // The mean in linear light of the square around the centre of a 1-pixel black and white
    // checkerboard (5/9 white is #C5C5C5, not the #8E8E8E of the numbers' mean), of a region
    // whose every pixel differs, and without the pixels off every screen.
    void average_data() {
        QTest::addColumn<QString>("region");  // checker (white at the centre), ramp, or offscreen
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("mean");
        const char* rows[][3] = {{"checker", "1", "#FFFFFF"},   {"checker", "3", "#C5C5C5"},
                                 {"checker", "5", "#BFBFBF"},   {"ramp", "3", "#6B6633"},
                                 {"offscreen", "3", "#FFFFFF"}, {"offscreen", "9", "#FFFFFF"}};
        for (const auto& [region, size, mean] : rows)
            QTest::addRow("%s %s", region, size) << region << QString(size).toInt() << mean;
    }
    void average() {
        QFETCH(QString, region);
        QFETCH(int, size);
        QFETCH(QString, mean);
        QImage image(11, 11, QImage::Format_ARGB32);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11; ++x) {
                const int white = (x + y) % 2 == 0 ? 255 : 0;
                image.setPixel(x, y,
                               region == "ramp"      ? qRgb(x * 20 + y, y * 20, x * 10)
                               : region == "checker" ? qRgb(white, white, white)
                               : x < 5               ? qRgba(0, 0, 0, 0)
                                                     : qRgb(255, 255, 255));
            }
        const std::optional<Channels> c = averageAround(image, size);
        QCOMPARE(c ? html(*c) : QString("none"), mean);
    }

    // Picks on top, a colour picked again moved up with its new time, the newest 200 kept;
    // the file read back, and what is none refused.
    void history_data() {
        QTest::addColumn<QString>("picks");  // packed colours picked in order, a second apart
        QTest::addColumn<QString>("kept");   // newest first, and how many
        QTest::newRow("order") << "1 2 3"
                               << "3 2 1 (3)";
        QTest::newRow("again") << "1 2 3 1"
                               << "1 3 2 (3)";
        QTest::newRow("201") << "0..200"
                             << "200 199 198 (200)";
    }
    void history() {
        QFETCH(QString, picks);
        QFETCH(QString, kept);
        QList<int> colours;
        if (picks.contains(".."))
            for (int i = 0; i <= 200; ++i) colours << i;
        else
            for (const QString& p : picks.split(' ')) colours << p.toInt();
        const QDateTime start(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
        History h;
        for (qsizetype i = 0; i < colours.size(); ++i)
            h = remember(h, unpack(colours[i]), start.addSecs(i));
        QStringList newest;
        for (std::size_t i = 0; i < std::min<std::size_t>(3, h.size()); ++i)
            newest << QString::number(rgb(h[i].colour.red, h[i].colour.green, h[i].colour.blue));
        QCOMPARE(newest.join(' ') + QString(" (%1)").arg(h.size()), kept);
        QCOMPARE(h.front().picked, start.addSecs(colours.size() - 1));
        QCOMPARE(readHistoryJson(historyJson(h)), h);
        for (const char* bad :
             {"{}", "[{\"hex\": \"#GG0000\", \"picked\": \"2026-12-07T10:00:00Z\"}]",
              "[{\"hex\": \"#FF8000\"}]", "not json"})
            QVERIFY2(!readHistoryJson(bad), bad);
    }

    // Colours written for other programs, the kind by the file's name; a palette otherwise.
    void colourFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("written");
        QTest::newRow("css") << "a/b.CSS"
                             << ":root {\n  --swatch-1: #FF8000;\n  --swatch-2: #010203;\n}\n";
        QTest::newRow("json") << "x.json"
                              << "[{\"hex\":\"#FF8000\",\"picked\":\"2026-12-07T10:00:00Z\"},"
                                 "{\"hex\":\"#010203\"}]";
        QTest::newRow("gpl") << "x.gpl"
                             << "GIMP Palette\nName: Swatchly\nColumns: 7\n#\n"
                                "255 128   0\t#FF8000\n  1   2   3\t#010203\n";
        QTest::newRow("txt") << "x.txt"
                             << "none";
    }
    void colourFiles() {
        QFETCH(QString, path);
        QFETCH(QString, written);
        const History colours{{{255, 128, 0}, QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC)},
                              {{1, 2, 3}, {}}};
        const std::optional<ColourFile> kind = colourFileFor(path);
        QByteArray text = kind ? colourFile(*kind, colours, "swatch") : "none";
        if (kind == ColourFile::Json)
            text = QJsonDocument::fromJson(text).toJson(QJsonDocument::Compact);
        QCOMPARE(QString(text), written);
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
