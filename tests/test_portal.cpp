// The portal colour picker against a fake portal on a private session bus.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "app/platform/portal_picker.h"
#include "app/platform/qt_services.h"
#include "fakes.h"
#include "support.h"

using namespace swatchly;

Q_DECLARE_METATYPE(PickResult::Kind)

namespace {
// The real probe as a Wayland session has it: no screen reads, the portal on the test's bus.
struct WaylandProbe : QtScreenProbe {
    using QtScreenProbe::QtScreenProbe;
    bool readsScreen() override { return false; }
};
}  // namespace

class TestPortal : public QObject {
    Q_OBJECT
    QProcess bus;
    QString address;
    std::unique_ptr<QProcess> portal;

    QDBusConnection connection() {
        static int n = 0;
        return QDBusConnection::connectToBus(address, QString("test%1").arg(++n));
    }
    // Starts the fake portal, unless there is to be none, and waits until it holds its name.
    void startPortal(const QStringList& args) {
        if (args == QStringList{"none"}) return;
        portal = std::make_unique<QProcess>();
        portal->start(FAKE_PORTAL, args);  // on the private bus, which the environment names
        QVERIFY(portal->waitForStarted());
        const QDBusConnection c = connection();
        QTRY_VERIFY(c.interface()->isServiceRegistered("org.freedesktop.portal.Desktop"));
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            QSKIP("dbus-daemon is not installed");
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
    }
    void cleanup() {
        if (!portal) return;
        portal->kill();
        portal->waitForFinished();
        portal.reset();
    }
    void cleanupTestCase() {
        bus.terminate();
        bus.waitForFinished();
    }

    // Each pick, asked twice in turn, answers once with the portal's outcome.
    void pick_data() {
        QTest::addColumn<QStringList>("portalArgs");
        QTest::addColumn<PickResult::Kind>("kind");
        QTest::addColumn<Rgb>("colour");
        auto row = [](const char* name, QStringList args, PickResult::Kind kind, Rgb colour = {}) {
            QTest::newRow(name) << args << kind << colour;
        };
        // Truncation would give 127, 50 and 254.
        row("picked", {"--color", "0.5,0.2,0.999"}, PickResult::Picked, {128, 51, 255});
        row("out of range clamps", {"--color", "-0.5,1.5,0.25"}, PickResult::Picked, {0, 255, 64});
        row("cancelled", {"--respond", "1"}, PickResult::Cancelled);
        row("no portal at all", {"none"}, PickResult::Unavailable);
        row("portal without PickColor", {"--version", "1"}, PickResult::Unavailable);
        row("portal without Screenshot", {"--no-screenshot"}, PickResult::Unavailable);
    }
    void pick() {
        QFETCH(QStringList, portalArgs);
        QFETCH(PickResult::Kind, kind);
        QFETCH(Rgb, colour);
        startPortal(portalArgs);
        PortalColourPicker picker(connection());
        for (int round = 0; round < 2; ++round) {
            QList<PickResult> answers;
            picker.pick("x11:1a", [&](PickResult r) { answers << r; });
            QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 10000);
            QCOMPARE(answers[0].kind, kind);
            QCOMPARE((Rgb{answers[0].red, answers[0].green, answers[0].blue}), colour);
            QCOMPARE(answers[0].why.isEmpty(), kind != PickResult::Unavailable);
            QVERIFY(!picker.busy());
        }
        if (kind == PickResult::Unavailable) return;
        QByteArray said;  // what the portal was asked
        QTRY_COMPARE((said += portal->readAllStandardOutput()).count("PickColor parent=x11:1a"), 2);
    }

    void sessionDecidesHowToRead_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("waylandSession");
        QTest::addColumn<bool>("portalPicks");
        QTest::addColumn<bool>("readsScreen");
        QTest::newRow("X11") << "xcb" << false << true << true;
        QTest::newRow("Wayland") << "wayland" << true << true << false;
        QTest::newRow("Wayland, no portal") << "wayland" << true << false << false;
        QTest::newRow("X11 program on Wayland, portal") << "xcb" << true << true << false;
        QTest::newRow("X11 program on Wayland, no portal") << "xcb" << true << false << true;
        QTest::newRow("Windows") << "windows" << false << false << true;
        QTest::newRow("offscreen") << "offscreen" << true << true << true;
    }
    void sessionDecidesHowToRead() {
        QFETCH(QString, platform);
        QFETCH(bool, waylandSession);
        QFETCH(bool, portalPicks);
        QFETCH(bool, readsScreen);
        QCOMPARE(sessionReadsScreen(platform, waylandSession, [&] { return portalPicks; }),
                 readsScreen);
    }

    // "Grab Color" on a session without screen reads asks the picker on every press and never
    // starts the timer; a picked colour becomes current, and no picker is said so once.
    void grabColorAsksThePicker_data() {
        QTest::addColumn<PickResult::Kind>("kind");
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<int>("messages");
        QTest::newRow("picked") << PickResult::Picked << Rgb{9, 8, 7} << 0;
        QTest::newRow("cancelled") << PickResult::Cancelled << Rgb{1, 2, 3} << 0;
        QTest::newRow("no picker") << PickResult::Unavailable << Rgb{1, 2, 3} << 1;
    }
    void grabColorAsksThePicker() {
        QFETCH(PickResult::Kind, kind);
        QFETCH(Rgb, colour);
        QFETCH(int, messages);
        Fakes fakes;
        fakes.probe->screenReadable = false;
        Form1 form(fakes.services());
        setBars(form, {1, 2, 3});
        form.GetPixelbtn->click();
        QCOMPARE(fakes.probe->pickCalls, 1);
        QVERIFY(!form.Timer1->isTicking());
        fakes.probe->pick({kind, 9, 8, 7, kind == PickResult::Unavailable ? "no portal" : ""});
        QCOMPARE(bars(form), colour);
        const FakeMessageBox::Call noPicker{Form1::kNoColourPicker, MessageBox::OkOnly,
                                            "Swatchly"};
        QCOMPARE(fakes.messageBox->calls, QList<FakeMessageBox::Call>(messages, noPicker));
        form.GetPixelbtn->click();
        QCOMPARE(fakes.probe->pickCalls, 2);
        QCOMPARE(form.Timer1->Interval(), 0);
    }

    // The whole way: the button, the real probe, the portal on the bus, the bars.
    void grabColorThroughThePortal() {
        startPortal({"--color", "0.5,0.2,0.999"});
        Fakes fakes;
        Services services = fakes.services();
        services.probe = std::make_shared<WaylandProbe>(connection());
        Form1 form(services);
        form.GetPixelbtn->click();
        QTRY_COMPARE(bars(form), (Rgb{128, 51, 255}));
        QCOMPARE(form.Timer1->Interval(), 0);
    }
};

QTEST_MAIN(TestPortal)
#include "test_portal.moc"
