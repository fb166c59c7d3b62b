// The command line read into a request without a window, and bad input refused before any
// display is opened.

#include <QtTest>

#include "cli/command_line.h"

using namespace swatchly::cli;

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QList<int>>("colour");  // the colour opened, if any
        QTest::addColumn<int>("form");           // the form --pick prints
        QTest::addColumn<QString>("text");       // printed or refused with
        auto row = [](const QStringList& args, Request::Action action, const QList<int>& colour,
                      ColourForm form, const QString& text) {
            QTest::addRow("%s", qPrintable(args.join(' ')))
                << args << int(action) << colour << int(form) << text;
        };
        auto refused = [&](const QStringList& args, const QString& why) {
            row(args, Request::Refuse, {}, ColourForm::Html, "swatchly: " + why);
        };
        row({}, Request::Open, {}, ColourForm::Html, "");
        for (const char* colour : {"#1E5A96", "1e5a96", "&H965A1E&", "&H965a1e", " 30, 90.5 ,&H96"})
            row({colour}, Request::Open, {30, 90, 150}, ColourForm::Html, "");
        row({"--pick"}, Request::Pick, {}, ColourForm::Html, "");
        row({"--format", "vb", "--pick"}, Request::Pick, {}, ColourForm::Vb, "");
        row({"--pick", "--format=rgb"}, Request::Pick, {}, ColourForm::Rgb, "");
        row({"-v"}, Request::Print, {}, ColourForm::Html, "Swatchly " SWATCHLY_VERSION "\n");
        refused({"-x"}, "Unknown option 'x'.");
        for (const char* colour : {"#GG0000", "&h965a1e&", "1E5A9", "1,2", "1,,3", "1,x,3"})
            refused({colour},
                    QString("\"%1\" is not a colour; give #RRGGBB, &HBBGGRR& or R,G,B").arg(colour));
        refused({"0,0, -0.5"}, "channel -0.5 is outside 0..255");
        refused({"--pick", "--format", "hex"}, "--format takes html, vb or rgb, not \"hex\"");
        refused({"#000000", "#FFFFFF"}, "give one colour, not 2");
        refused({"--pick", "#000000"}, "--pick takes no colour");
        refused({"--format", "vb"}, "--format goes with --pick");
    }
    void parse() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QList<int>, colour);
        QFETCH(int, form);
        QFETCH(QString, text);
        const Request r = swatchly::cli::parse(QStringList{"swatchly"} + args);
        QCOMPARE(int(r.action), action);
        QCOMPARE(r.colour.has_value(), !colour.isEmpty());
        if (r.colour) QCOMPARE((QList<int>{r.colour->red, r.colour->green, r.colour->blue}), colour);
        QCOMPARE(int(r.form), form);
        QCOMPARE(r.text, text);
    }

    void colourText() {
        const swatchly::Channels c{30, 90, 150};
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
