// The preview dragged with the real mouse on a real X server: another program takes the
// colour from it, and releasing it over the window's own controls changes nothing.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "swatchly_window.h"

class TestE2EDrag : public QObject {
    Q_OBJECT
    XSession x;
    QTemporaryDir dir;
    std::unique_ptr<SwatchlyWindow> app;
    QRect client;  // Swatchly's client area below its menu bar, in root coordinates

    QPoint at(int clientX, int clientY) const { return client.topLeft() + QPoint(clientX, clientY); }
    QPoint preview() const { return client.topLeft() + SwatchlyWindow::kPreview.center(); }

    // Press on `from`, move there in small steps, release.
    void drag(QPoint from, QPoint to) {
        QStringList args = {"mousemove", QString::number(from.x()), QString::number(from.y()),
                            "mousedown", "1"};
        for (int step = 1; step <= 12; ++step) {
            const QPoint p = from + (to - from) * step / 12;
            args << "sleep" << "0.05" << "mousemove" << QString::number(p.x())
                 << QString::number(p.y());
        }
        args << "sleep" << "0.3" << "mouseup" << "1" << "sleep" << "0.3";
        x.xdotool(args);
    }

private slots:
    void initTestCase() {
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
        QVERIFY(dir.isValid());
        app = std::make_unique<SwatchlyWindow>(x);
        QVERIFY2(app->launch(), "the Swatchly window did not appear");
        client = QRect(app->at({0, 0}), QSize(296, 255));
        // A colour other than black: clicks in the red bar's trough, right of its thumb.
        for (int i = 0; i < 3; ++i) app->click({200, 164});
        QTRY_VERIFY_WITH_TIMEOUT(app->preview() != QColor(Qt::black), 5000);
    }

    void anotherProgramTakesTheColour() {
        const QString report = dir.filePath("drops.txt");
        x.launch(DROP_PROBE_BIN, {report});
        const qulonglong probe = x.waitForWindow("^DropProbe$");
        QVERIFY2(probe, "the drop probe did not appear");
        x.xdotool({"windowmove", QString::number(probe), "20", "60"});
        QTRY_VERIFY_WITH_TIMEOUT(x.geometry(probe).right() < client.left(), 5000);
        const QRect target = x.geometry(probe);

        const QColor colour = x.pixel(preview());
        drag(preview(), target.center());
        QFile file(report);
        QTRY_VERIFY_WITH_TIMEOUT(file.exists() && file.size() > 0, 5000);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        QVERIFY2(lines.contains("color:" + colour.name()), qPrintable(lines.join(" | ")));
        QVERIFY2(lines.contains("text:" + colour.name().toUpper()), qPrintable(lines.join(" | ")));
        QCOMPARE(app->process()->state(), QProcess::Running);
        QCOMPARE(x.pixel(preview()), colour);
    }

    // Over the preview itself, a label or a scroll bar a release takes nothing.
    void releaseOverOwnControlsChangesNothing() {
        const QColor colour = x.pixel(preview());
        const QImage before = x.screenshot().copy(client);
        drag(preview(), preview() + QPoint(30, 20));  // back onto the preview
        drag(preview(), at(30, 140));                  // the "Green:" label
        drag(preview(), at(200, 136));                 // the green bar
        QCOMPARE(app->process()->state(), QProcess::Running);
        QCOMPARE(x.pixel(preview()), colour);
        const QImage after = x.screenshot().copy(client);
        QVERIFY(after == before);
    }

    void cleanupTestCase() { app.reset(); }
};

QTEST_MAIN(TestE2EDrag)
#include "test_e2e_drag.moc"
