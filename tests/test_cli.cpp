// The command line read into a request without a window, and bad input refused before any
// display is opened.

#include <QtTest>

#include "cli/command_line.h"

using namespace swatchly;
using namespace swatchly::cli;

Q_DECLARE_METATYPE(Request)

namespace swatchly::cli {
// How QCOMPARE shows a request that differs; no colour shows as -1,-1,-1.
char* toString(const Request& r) {
    const Channels c = r.colour.value_or(Channels{-1, -1, -1});
    return qstrdup(qPrintable(QString::asprintf("action %d, colour %d,%d,%d, form %d, text \"%s\"",
                                                int(r.action), c.red, c.green, c.blue, int(r.form),
                                                qPrintable(r.text))));
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
        auto refused = [&](const QStringList& args, const QString& why) {
            row(args, {Request::Refuse, {}, ColourForm::Html, "swatchly: " + why});
        };
        row({}, {});
        for (const char* colour : {"#1E5A96", "1e5a96", "&H965A1E&", "&H965a1e", " 30, 90.5 ,&H96"})
            row({colour}, {Request::Open, Channels{30, 90, 150}, ColourForm::Html, {}});
        row({"--pick"}, {Request::Pick, {}, ColourForm::Html, {}});
        row({"--format", "vb", "--pick"}, {Request::Pick, {}, ColourForm::Vb, {}});
        row({"--pick", "--format=rgb"}, {Request::Pick, {}, ColourForm::Rgb, {}});
        row({"-v"}, {Request::Print, {}, ColourForm::Html, "Swatchly " SWATCHLY_VERSION "\n"});
        refused({"-x"}, "Unknown option 'x'.");
        for (const char* colour : {"#GG0000", "&h965a1e&", "1E5A9", "1,2", "1,,3", "1,x,3"})
            refused(
                {colour},
                QString("\"%1\" is not a colour; give #RRGGBB, &HBBGGRR& or R,G,B").arg(colour));
        refused({"0,0, -0.5"}, "channel -0.5 is outside 0..255");
        refused({"--pick", "--format", "hex"}, "--format takes html, vb or rgb, not \"hex\"");
        refused({"#000000", "#FFFFFF"}, "give one colour, not 2");
        refused({"--pick", "#000000"}, "--pick takes no colour");
        refused({"--format", "vb"}, "--format goes with --pick");
    }
    void parse() {
        QFETCH(QStringList, args);
        QFETCH(Request, request);
        QCOMPARE(swatchly::cli::parse(QStringList{"swatchly"} + args), request);
    }

    void colourText() {
        const Channels c{30, 90, 150};
        QCOMPARE(swatchly::cli::colourText(c, ColourForm::Html), "#1E5A96");
        QCOMPARE(swatchly::cli::colourText(c, ColourForm::Vb), "&H965A1E&");
        QCOMPARE(swatchly::cli::colourText(c, ColourForm::Rgb), "30,90,150");
    }

    // There is no display to connect to here.
    void refusesBeforeOpeningADisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("DISPLAY");
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(SWATCHLY_BIN, {"1,2,300"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), kBadInput);
        QCOMPARE(p.readAllStandardError(), QByteArray("swatchly: channel 300 is outside 0..255\n"));
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
