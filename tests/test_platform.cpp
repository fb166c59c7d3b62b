// The desktop services' own decisions, without a window: where a point lies on a desktop of
// several screens, how a session gives the colour under the pointer, and Stay On Top on the
// native window.

#include <QtTest>

#include "colour/forms.h"
#include "platform/history_file.h"
#include "platform/qt_services.h"
#include "platform/store.h"
#include "platform/win32.h"
#include "platform/x11.h"

using namespace swatchly;

class TestPlatform : public QObject {
    Q_OBJECT
  private slots:

    // A device point in logical ones, as Qt gives the pointer: a 1.5x screen, and right of it
    // a 2x one whose logical corner is its device corner.
    void logicalPosition() {
        const QList<std::pair<QRect, qreal>> screens{{{0, 0, 800, 600}, 1.5},
                                                     {{1200, 0, 256, 192}, 2}};
        for (auto [device, logical] : {std::pair{QPoint(300, 150), QPoint(200, 100)},
                                       {{1000, 899}, {667, 599}},
                                       {{1301, 101}, {1251, 51}},
                                       {{1712, 0}, {-1, -1}}})
            QCOMPARE(swatchly::logicalPosition(device, screens).value_or(QPoint(-1, -1)), logical);
    }

    // The flag goes onto the native window that exists, which neither moves nor is made anew.
    void stayOnTopKeepsTheWindow() {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const WId id = window.winId();
        const QRect before = window.geometry();
        for (bool on : {true, false, true}) {
            QtWindowManager().setStayOnTop(&window, on);
            QCOMPARE(bool(window.windowHandle()->flags() & Qt::WindowStaysOnTopHint), on);
            QVERIFY(window.winId() == id && window.geometry() == before);
        }
    }

    // Kept values come back at the next start. A file that cannot be read or parsed, or holds
    // values out of range, keeps what is good, gives the defaults for the rest, and is kept
    // beside as .bad before anything is written over it.
    void store_data() {
        QTest::addColumn<QByteArray>("file");  // "<folder>": a folder stands where the file goes
        QTest::addColumn<QString>("found");    // slots 1 and 2, Keep Picks
        QTest::newRow("good") << QByteArray(
                                     "[swatches]\n1=#FF8000\n2=#010203\n[options]\n"
                                     "keepPicks=true\n")
                              << "#FF8000 #010203 true";
        QTest::newRow("a line that is none")
            << QByteArray("[swatches]\n1=#FF8000\ngarbage\n") << "#FF8000 - false .bad";
        QTest::newRow("a slot out of range")
            << QByteArray("[swatches]\n1=#GG8000\n2=#010203\n") << "- #010203 false .bad";
        QTest::newRow("an option out of range")
            << QByteArray("[options]\nkeepPicks=maybe\n") << "- - false .bad";
        QTest::newRow("an average of 4") << QByteArray("[pick]\naverage=4\n") << "- - false .bad";
        QTest::newRow("unreadable") << QByteArray("<folder>") << "- - false .bad";
    }
    void store() {
        QFETCH(QByteArray, file);
        QFETCH(QString, found);
        QTemporaryDir home;
        const QString path = home.filePath("swatchly.conf");
        QFile written(path);
        QVERIFY(file == "<folder>" ? QDir().mkdir(path)
                                   : written.open(QIODevice::WriteOnly) && written.write(file));
        written.close();
        auto seen = [&](Store& store) {
            QStringList s;
            for (int i = 0; i < 2; ++i)
                s << (store.swatches()[i] ? ColourForm().write(unpack(*store.swatches()[i])) : "-");
            s << (store.option(Store::Option::KeepPicks) ? "true" : "false");
            if (QFileInfo::exists(path + ".bad")) s << ".bad";
            return s.join(' ');
        };
        {
            Store store(path);
            QCOMPARE(seen(store), found);
            store.updateSlots([](Slots& kept) { kept[6] = 0x123456; });
            store.setGradientEnd(true, {"300", "12.5", "7"});
            store.setCopyForm("css-hsl");
            store.setPosition({-5, 7});
            QCOMPARE(store.averageSize(), 1);
            store.setAverageSize(7);
        }
        Store again(path);
        QCOMPARE(again.swatches()[6], 0x123456);
        QCOMPARE(again.gradientEnd(true), QStringList({"300", "12.5", "7"}));
        QCOMPARE(again.copyForm(), "css-hsl");
        QCOMPARE(again.position(), QPoint(-5, 7));
        QCOMPARE(again.averageSize(), 7);
        QFile aside(path + ".bad");
        if (file != "<folder>" && aside.open(QIODevice::ReadOnly)) QCOMPARE(aside.readAll(), file);
    }

    // The history on disk: each pick written at once where another process reads it; a file
    // that is no history kept aside as .bad, as it was, and a fresh one started.
    void historyFile() {
        QTemporaryDir home;
        const QString path = HistoryFile::beside(home.filePath("swatchly.conf"));
        HistoryFile(path).remember({1, 2, 3});
        HistoryFile(path).remember({4, 5, 6});
        QCOMPARE(HistoryFile(path).picks().size(), std::size_t(2));
        QCOMPARE(HistoryFile(path).picks().front().colour, Channels({4, 5, 6}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[{\"hex\": 1}]"));
        file.close();
        QCOMPARE(HistoryFile(path).remember({7, 8, 9}).size(), std::size_t(1));
        QFile aside(path + ".bad");
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), "[{\"hex\": 1}]");
        QCOMPARE(QDir(home.path()).entryList(QDir::Files).join(' '),
                 "history.json history.json.bad");
    }

    // A read of the screen on Windows: a pixel on no monitor, between two or past the last, is
    // transparent, as X11's reads give it.
    void offEveryMonitor() {
        QImage read(4, 1, QImage::Format_ARGB32);
        read.fill(qRgb(1, 2, 3));
        win32::clearOffMonitors(read, {1919, 0}, {{0, 0, 1920, 1080}, {1921, 0, 1, 1080}});
        const QList<QRgb> pixels{read.pixel(0, 0), read.pixel(1, 0), read.pixel(2, 0),
                                 read.pixel(3, 0)};
        QCOMPARE(pixels, QList<QRgb>({qRgb(1, 2, 3), 0, qRgb(1, 2, 3), 0}));
    }

    // What a read of the screen asks the X server for: the square around the pointer, cut at
    // the root's edges; and a pixel as the server sends it, whatever the visual's masks.
    void deviceReads() {
        QCOMPARE(x11::readable({100, 100}, 5, {1024, 768}), QRect(95, 95, 11, 11));
        QCOMPARE(x11::readable({0, 0}, 5, {1024, 768}), QRect(0, 0, 6, 6));
        QCOMPARE(x11::readable({1023, 767}, 5, {1024, 768}), QRect(1018, 762, 6, 6));
        QCOMPARE(x11::toRgb(0x00FF8001, 0xFF0000, 0xFF00, 0xFF), qRgb(255, 128, 1));
        QCOMPARE(x11::toRgb(0xFC01, 0xF800, 0x7E0, 0x1F), qRgb(255, 129, 8));  // 5-6-5 bits
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
