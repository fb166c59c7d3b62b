// The command line read into a request without a window, and bad input refused before any
// display is opened.

#include <QtTest>

#include "cli/command_line.h"

using namespace swatchly::cli;

class TestCli : public QObject {
    Q_OBJECT
private slots:
    // A request as one line: the colour opened, the pick's printed form of 30,90,150, or the
    // text printed or refused with.
    void parse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("outcome");
        auto row = [](const QStringList& args, const QString& outcome) {
            QTest::addRow("%s", qPrintable(args.join(' '))) << args << outcome;
        };
        row({}, "");
        for (const char* colour : {"#1E5A96", "1e5a96", "&H965A1E&", "&H965a1e", " 30, 90.5 ,&H96"})
            row({colour}, "open 30 90 150");
        row({"--pick"}, "pick #1E5A96");
        row({"--format", "vb", "--pick"}, "pick &H965A1E&");
        row({"--pick", "--format=rgb"}, "pick 30,90,150");
        row({"-v"}, "Swatchly " SWATCHLY_VERSION "\n");
        row({"-x"}, "swatchly: Unknown option 'x'.");
        for (const char* colour : {"#GG0000", "&h965a1e&", "1E5A9", "1,2", "1,,3", "1,x,3"})
            row({colour}, QString("swatchly: \"%1\" is not a colour; give #RRGGBB, &HBBGGRR& or "
                                  "R,G,B")
                              .arg(colour));
        row({"0,0, -0.5"}, "swatchly: channel -0.5 is outside 0..255");
        row({"--pick", "--format", "hex"}, "swatchly: --format takes html, vb or rgb, not \"hex\"");
        row({"#000000", "#FFFFFF"}, "swatchly: give one colour, not 2");
        row({"--pick", "#000000"}, "swatchly: --pick takes no colour");
        row({"--format", "vb"}, "swatchly: --format goes with --pick");
    }
    void parse() {
        QFETCH(QStringList, args);
        QFETCH(QString, outcome);
        const Request r = swatchly::cli::parse(QStringList{"swatchly"} + args);
        const auto& c = r.colour;
        QCOMPARE(r.action == Request::Pick ? "pick " + colourText({30, 90, 150}, r.form)
                 : c ? QString("open %1 %2 %3").arg(c->red).arg(c->green).arg(c->blue)
                     : r.text,
                 outcome);
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
