// The command line read into a request without a window, and bad input refused before any
// display is opened.

#include <QtTest>

#include "cli/command_line.h"
#include "colour/contrast.h"

using namespace swatchly;
using namespace swatchly::cli;

Q_DECLARE_METATYPE(Request)

namespace swatchly::cli {
// How QCOMPARE shows a request that differs; no colour shows as -1,-1,-1.
char* toString(const Request& r) {
    const Channels c = r.colour.value_or(Channels{-1, -1, -1});
    return qstrdup(qPrintable(QString::asprintf(
        "action %d, colour %d,%d,%d, form %s, text \"%s\", copy %d", int(r.action), c.red, c.green,
        c.blue, qPrintable(r.form.name()), qPrintable(r.text), r.copy)));
}
}  // namespace swatchly::cli

class TestCli : public QObject {
    Q_OBJECT
  private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Request>("request");
        auto row = [](const QStringList& args, const Request& request) {
            QTest::addRow("%s", qPrintable(args.join(' '))) << args << request;
        };
        auto form = [](const char* name) { return *ColourForm::make(name); };
        auto refused = [&](const QStringList& args, const QString& why) {
            row(args, {Request::Refuse, {}, form("html"), "swatchly: " + why, false, {}});
        };
        row({}, {});
        for (const char* colour :
             {"#1E5A96", "1e5a96", "&H965A1E&", "&H965a1e", " 30, 90.5 ,&H96", "rgb(30 90 150)"})
            row({colour}, {Request::Open, Channels{30, 90, 150}, form("html"), {}, false, {}});
        row({"--pick"}, {Request::Pick, {}, form("html"), {}, false, {}});
        row({"--format", "vb", "--pick"}, {Request::Pick, {}, form("vb"), {}, false, {}});
        Request averaged{Request::Pick, {}, form("html"), {}, false, {}};
        averaged.average = 5;
        row({"--pick", "--average", "5"}, averaged);
        refused({"--pick", "--average=4"}, "--average takes 1, 3, 5, 7 or 9, not 4");
        row({"--history", "--format", "vb"},
            {Request::PrintHistory, {}, form("vb"), {}, false, {}});
        refused({"--history", "--pick"}, "--history takes no colour, --pick, --copy or --swatches");
        refused({"--average=3", "#FF8000"}, "--average goes with --pick");
        row({"--pick", "--format=%{r};%{g}", "--copy"},
            {Request::Pick, {}, form("%{r};%{g}"), {}, true, {}});
        row({"--format", "CSS-HSL", "orange"}, {Request::Print,
                                                Channels{255, 165, 0},
                                                form("css-hsl"),
                                                "hsl(39, 100%, 50%)\n",
                                                false,
                                                {}});
        refused({"-platform", "xcb"}, "unknown option -platform");
        refused({"-1,0,0"}, "unknown option -1,0,0");
        for (const char* colour : {"#GG0000", "&h965a1e&", "1E5A9", "1,2", "1,,3", "1,x,3"})
            refused({colour}, QString("\"%1\" is not a colour: give #RRGGBB, &HBBGGRR&, R,G,B, "
                                      "a CSS colour such as rgb(), hsl() or oklch(), or a name")
                                  .arg(colour));
        refused({"0,0, -0.5"}, "channel -0.5 is outside 0..255");
        // A form that does not parse is refused whatever else is asked, and whatever is right.
        for (const QStringList& args : {QStringList{"--format", "%{r}%{x}", "#FF8000"},
                                        {"--pick", "--copy", "--format=%{r}%{x}"},
                                        {"--swatches", "--format", "%{r}%{x}"}})
            refused(args,
                    "\"%{x}\" in the form \"%{r}%{x}\" is no field; the fields are %{r} "
                    "%{g} %{b} %{R} %{G} %{B} %{h} %{s} %{l} %{hex} %{decimal} %{rf} %{gf} "
                    "%{bf} %{hue} %{hsv.s} %{hsv.v} %{hwb.w} %{hwb.b} %{lab.l} %{lab.a} "
                    "%{lab.b} %{lch.c} %{lch.h} %{L} %{C} %{H} %{oklab.a} %{oklab.b} "
                    "%{cmyk.c} %{cmyk.m} %{cmyk.y} %{cmyk.k} %{xyz.x} %{xyz.y} %{xyz.z} "
                    "%{name}, and %% is a %");
        // Two colours' contrast, in either order; an alpha read but not used is noted.
        for (const QStringList& args : {QStringList{"--contrast", "#777777", "white"},
                                        {"rgb(100% 100% 100%)", "--contrast", "#777"}})
            row(args, {Request::Print,
                       {},
                       form("html"),
                       contrastReport({119, 119, 119}, {255, 255, 255}),
                       false,
                       {}});
        refused({"--contrast", "#777777"}, "--contrast takes two colours, not 1");
        refused({"--contrast", "#777777", "300,0,0"}, "channel 300 is outside 0..255");
        refused({"--contrast", "red", "blue", "--pick"},
                "--contrast takes two colours and nothing else");
        Request noted{Request::Print, {}, form("html"), "#010203\n", false, {}};
        noted.colour = Channels{1, 2, 3};
        noted.note = "swatchly: note: the alpha 0.5 is ignored: a colour here is opaque\n";
        row({"--format=html", "rgb(1 2 3 / 0.5)"}, noted);
    }
    void parse() {
        QFETCH(QStringList, args);
        QFETCH(Request, request);
        QCOMPARE(swatchly::cli::parse(QStringList{"swatchly"} + args), request);
    }

    // The picks kept, newest first, in the form asked, from the history beside the settings.
    void history() {
        if (QSysInfo::productType() == "windows")
            QSKIP("the settings folder is the profile's there");
        QTemporaryDir config;
        QDir(config.path()).mkdir("swatchly");
        QFile file(config.filePath("swatchly/history.json"));
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(R"([{"hex": "#FF8000", "picked": "2026-12-07T10:00:00Z"},
                               {"hex": "#010203", "picked": "2026-12-07T09:00:00Z"}])"));
        file.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", config.path());
        p.setProcessEnvironment(env);
        p.start(SWATCHLY_BIN, {"--history", "--format", "css-rgb"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput(), "rgb(255, 128, 0)\nrgb(1, 2, 3)\n");
    }

    // Where there is no display: bad input is refused before one is needed; the window and a
    // pick say in one line that none opens.
    void withoutADisplay_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("bad input") << QStringList{"1,2,300"} << int(kBadInput)
                                   << "swatchly: channel 300 is outside 0..255";
        QTest::newRow("the window") << QStringList() << 1 << "swatchly: cannot open a window here";
        QTest::newRow("a pick") << QStringList{"--pick"} << int(kCannotPick)
                                << "swatchly: cannot open a window here";
    }
    void withoutADisplay() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        if (QSysInfo::productType() == "windows" && status != kBadInput)
            QSKIP("Windows has no session without a display");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("DISPLAY");
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(SWATCHLY_BIN, args);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), status);
        const QStringList lines = QString(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(said), qPrintable(lines[0]));
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
