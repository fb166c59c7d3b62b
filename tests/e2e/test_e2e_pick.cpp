// The command line on a real desktop: --pick prints the pixel under a click on another window,
// Escape or a right click cancels it, and a colour given opens the window showing it.

#include <QtTest>

#include "swatchly_window.h"

class TestE2EPick : public QObject {
    Q_OBJECT
    XSession x;
    QRect target;  // the window of known colours, in root pixels

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
        // Two bands above, a different colour at each device pixel of a 2 x 2 pattern below.
        x.launch(COLOUR_WINDOW_BIN,
                 {"Pick target", "#1e5a96", "#c08040", "#ff0000", "#00ff00", "#0000ff", "#ffff00"});
        const qulonglong id = x.waitForWindow("^Pick target$");
        QVERIFY(id);
        target = x.geometry(id);
        QTRY_COMPARE_WITH_TIMEOUT(x.pixel(target.topLeft() + QPoint(40, 25)), QColor("#1e5a96"),
                                  5000);
    }

    void pick_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("act");      // once --pick holds the pointer
        QTest::addColumn<QString>("printed");  // "pattern": a pattern pixel, as the screen shows it
        for (int scale : {1, 2})
            for (const char* row :
                 {"html #1E5A96", "vb &H965A1E&", "rgb 30,90,150", "html pattern"}) {
                const QStringList r = QString(row).split(' ');
                QTest::addRow("%s at %d", row, scale) << scale << r[0] << "click 1" << r[1];
            }
        for (const char* act : {"key Escape", "click 3"})
            QTest::addRow("cancel by %s", act) << 1 << "html" << act << "";
    }
    void pick() {
        QFETCH(int, scale);
        QFETCH(QString, format);
        QFETCH(QString, act);
        QFETCH(QString, printed);
        QPoint spot = target.topLeft() + QPoint(40, 25);
        if (printed == "pattern") {
            // At scale 2 an even root position is exactly one logical pixel's corner.
            spot = target.topLeft() + QPoint(61, 71);
            spot = QPoint(spot.x() & -scale, spot.y() & -scale);
            printed = x.pixel(spot).name().toUpper();
        }
        x.pointTo(spot);
        QProcessEnvironment env = x.environment();
        env.insert("QT_SCALE_FACTOR", QString::number(scale));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(SWATCHLY_BIN, {"--pick", "--format", format});
        if (x.waitForWindow("^Swatchly pick$")) x.xdotool(act.split(' '));
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), printed.isEmpty() ? 1 : 0);
        QCOMPARE(QString(p.readAllStandardOutput()), printed.isEmpty() ? "" : printed + '\n');
    }

    void opensWithTheColourGiven() {
        x.launch(SWATCHLY_BIN, {"&H965A1E"});
        const QRect g = x.geometry(x.waitForWindow("^Swatchly$"));
        const QPoint client(g.left(), g.bottom() + 1 - SwatchlyWindow::kClientHeight);
        QTRY_COMPARE_WITH_TIMEOUT(x.pixel(client + SwatchlyWindow::kPreview.center()),
                                  QColor("#1e5a96"), 5000);
    }
};

QTEST_MAIN(TestE2EPick)
#include "test_e2e_pick.moc"
