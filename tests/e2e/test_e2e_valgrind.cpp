// One start-to-exit run of the real program under valgrind memcheck: no memory error and no
// definite leak may have a frame in our own sources. (Errors inside the platform's libraries
// with no frame of ours are theirs, not ours.)

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "xsession.h"

namespace {
struct Finding {
    QString kind;
    QStringList stack;
};

// Errors whose stack runs through a function of ours other than main().
QList<Finding> ourErrors(const QString& xmlPath, const QString& sourceRoot) {
    QFile file(xmlPath);
    if (!file.open(QIODevice::ReadOnly)) return {{"no valgrind report", {}}};
    QXmlStreamReader xml(&file);
    QList<Finding> found;
    Finding current;
    bool inError = false, ours = false;
    QString dir, fn, fileName, line;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"error") {
                inError = true;
                ours = false;
                current = {};
            } else if (inError && name == u"kind") {
                current.kind = xml.readElementText();
            } else if (inError && name == u"frame") {
                dir.clear(), fn.clear(), fileName.clear(), line.clear();
            } else if (inError && name == u"dir") {
                dir = xml.readElementText();
            } else if (inError && name == u"fn") {
                fn = xml.readElementText();
            } else if (inError && name == u"file") {
                fileName = xml.readElementText();
            } else if (inError && name == u"line") {
                line = xml.readElementText();
            }
        } else if (xml.isEndElement()) {
            if (inError && xml.name() == u"frame") {
                current.stack << QString("%1 %2/%3:%4").arg(fn, dir, fileName, line);
                // main() is below every event; only code it leads to can be at fault.
                if (!dir.isEmpty() && dir.startsWith(sourceRoot) && fn != u"main") ours = true;
            } else if (xml.name() == u"error") {
                inError = false;
                if (ours) found << current;
            }
        }
    }
    return found;
}
}  // namespace

class TestE2EValgrind : public QObject {
    Q_OBJECT
    XSession x;
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("valgrind").isEmpty()) QSKIP("valgrind is not installed");
        if (!x.start()) QSKIP(qPrintable("no X server for real-window tests: " + x.why()));
    }

    void startToExitIsClean() {
        QTemporaryDir dir;
        const QString report = dir.filePath("memcheck.xml");
        QProcess* app = x.launch("valgrind", {"--tool=memcheck", "--xml=yes", "--xml-file=" + report,
                                              "--leak-check=full", "--show-leak-kinds=definite",
                                              "--track-origins=yes", SWATCHLY_BIN});
        const qulonglong win = x.waitForWindow("^Swatchly$", 120000);
        QVERIFY2(win, "the window did not appear under valgrind");
        const QRect g = x.geometry(win);
        // Work the window a little, then File > Exit by the keyboard from the opened menu.
        x.xdotool({"mousemove", QString::number(g.x() + 283), QString::number(g.y() + 200),
                   "click", "1", "click", "1"});
        x.xdotool({"mousemove", QString::number(g.x() + 20), QString::number(g.y() + 8), "click", "1"});
        QTest::qWait(1500);
        x.xdotool({"key", "Down", "Down", "Return"});
        QVERIFY2(app->waitForFinished(120000), "the program did not end after File > Exit");
        QCOMPARE(app->exitStatus(), QProcess::NormalExit);
        QCOMPARE(app->exitCode(), 0);
        QFile xml(report);
        QVERIFY(xml.open(QIODevice::ReadOnly));
        QVERIFY2(xml.readAll().contains("<state>FINISHED</state>"), "valgrind did not finish its report");
        const QList<Finding> errors = ourErrors(report, SWATCHLY_SOURCE_DIR);
        for (const Finding& f : errors) qWarning().noquote() << f.kind << "\n  " << f.stack.join("\n   ");
        QVERIFY2(errors.isEmpty(), "memcheck found errors in our code");
    }
};

QTEST_MAIN(TestE2EValgrind)
#include "test_e2e_valgrind.moc"
