// The portal colour picker against a fake portal on a private session bus.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "app/form1.h"
#include "app/platform/portal_picker.h"
#include "app/platform/qt_services.h"
#include "fakes.h"

using namespace swatchly;

namespace {
// The real probe as a Wayland session has it: no screen reads, the portal on the test's bus.
struct WaylandProbe : QtScreenProbe {
    using QtScreenProbe::QtScreenProbe;
    bool readsScreen() override { return false; }
};

struct Colour {
    int r, g, b;
    bool operator==(const Colour&) const = default;
};
Colour barsOf(const Form1& f) { return {f.RScroll->Value(), f.GScroll->Value(), f.BScroll->Value()}; }
}  // namespace
Q_DECLARE_METATYPE(Colour)
namespace QTest {
template <>
char* toString(const Colour& c) {
    return qstrdup(qPrintable(QString("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b)));
}
}  // namespace QTest

class TestPortal : public QObject {
    Q_OBJECT
    QProcess bus;
    QString address;
    std::unique_ptr<QProcess> portal;

    QDBusConnection connection() {
        static int n = 0;
        return QDBusConnection::connectToBus(address, QString("test%1").arg(++n));
    }
    // Starts the fake portal and waits until it holds its name.
    void startPortal(const QStringList& args) {
        portal = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        portal->setProcessEnvironment(env);
        portal->setProcessChannelMode(QProcess::SeparateChannels);
        portal->start(FAKE_PORTAL, args);
        QVERIFY(portal->waitForStarted());
        QDBusConnection c = connection();
        QTRY_VERIFY(c.interface()->isServiceRegistered("org.freedesktop.portal.Desktop"));
    }
    void stopPortal() {
        if (!portal) return;
        portal->kill();
        portal->waitForFinished();
        portal.reset();
    }
    std::optional<PickResult> pick(PortalColourPicker& picker) {
        std::optional<PickResult> result;
        picker.pick("x11:1a", [&](PickResult r) { result = r; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000); }();
        return result;
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) QSKIP("dbus-daemon is not installed");
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
    }
    void cleanup() { stopPortal(); }
    void cleanupTestCase() {
        bus.terminate();
        bus.waitForFinished();
    }

    void pickedColourRoundsToNearest_data() {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        // Truncation would give 127, 50 and 254.
        QTest::newRow("halves and near-misses") << "0.5,0.2,0.999" << 128 << 51 << 255;
        QTest::newRow("black") << "0,0,0" << 0 << 0 << 0;
        QTest::newRow("white") << "1,1,1" << 255 << 255 << 255;
        QTest::newRow("out of range clamps") << "-0.5,1.5,0.25" << 0 << 255 << 64;
    }
    void pickedColourRoundsToNearest() {
        QFETCH(QString, colour);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        startPortal({"--color", colour});
        PortalColourPicker picker(connection());
        const auto r = pick(picker);
        QVERIFY(r);
        QCOMPARE(r->kind, PickResult::Picked);
        QCOMPARE(r->red, red);
        QCOMPARE(r->green, green);
        QCOMPARE(r->blue, blue);
        QVERIFY(!picker.busy());
        QByteArray said;
        QTRY_VERIFY2((said += portal->readAllStandardOutput()).contains("PickColor parent=x11:1a"),
                     said.constData());
    }

    void cancelledPick() {
        startPortal({"--respond", "1"});
        PortalColourPicker picker(connection());
        const auto r = pick(picker);
        QVERIFY(r);
        QCOMPARE(r->kind, PickResult::Cancelled);
    }

    void unavailable_data() {
        QTest::addColumn<QStringList>("portalArgs");
        QTest::addColumn<bool>("running");
        QTest::newRow("no portal at all") << QStringList() << false;
        QTest::newRow("portal without PickColor") << QStringList{"--version", "1"} << true;
        QTest::newRow("portal without Screenshot") << QStringList{"--no-screenshot"} << true;
    }
    void unavailable() {
        QFETCH(QStringList, portalArgs);
        QFETCH(bool, running);
        if (running) startPortal(portalArgs);
        PortalColourPicker picker(connection());
        const auto r = pick(picker);
        QVERIFY(r);
        QCOMPARE(r->kind, PickResult::Unavailable);
        QVERIFY(!r->why.isEmpty());
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
        QCOMPARE(sessionReadsScreen(platform, waylandSession, [&] { return portalPicks; }), readsScreen);
    }

    void grabColorPicksThroughThePortal_data() {
        QTest::addColumn<QStringList>("portalArgs");
        QTest::addColumn<bool>("running");
        QTest::addColumn<Colour>("expected");
        QTest::addColumn<int>("messages");
        QTest::newRow("picked") << QStringList{"--color", "0.5,0.2,0.999"} << true << Colour{128, 51, 255} << 0;
        QTest::newRow("cancelled") << QStringList{"--respond", "1"} << true << Colour{1, 2, 3} << 0;
        QTest::newRow("no portal") << QStringList() << false << Colour{1, 2, 3} << 1;
        QTest::newRow("no PickColor") << QStringList{"--version", "1"} << true << Colour{1, 2, 3} << 1;
    }
    void grabColorPicksThroughThePortal() {
        QFETCH(QStringList, portalArgs);
        QFETCH(bool, running);
        QFETCH(Colour, expected);
        QFETCH(int, messages);
        if (running) startPortal(portalArgs);
        Fakes fakes;
        Services services = fakes.services();
        services.probe = std::make_shared<WaylandProbe>(connection());
        Form1 form(services);
        form.SetBars(std::int16_t(1), std::int16_t(2), std::int16_t(3));
        form.GetPixelbtn->click();
        QVERIFY(!form.Timer1->isTicking());  // nothing to sample on this path
        if (running) {
            QTRY_COMPARE(barsOf(form), expected);
            QTest::qWait(100);  // and nothing more arrives
        }
        QCOMPARE(barsOf(form), expected);
        QCOMPARE(fakes.messageBox->calls.size(), messages);
        if (messages) {
            QCOMPARE(fakes.messageBox->calls[0].text, Form1::kNoColourPicker);
            QCOMPARE(fakes.messageBox->calls[0].style, int(MessageBox::OkOnly));
            QCOMPARE(fakes.messageBox->calls[0].title, QString("Swatchly"));
        }
        QCOMPARE(form.Timer1->Interval(), 0);  // grab mode is over either way
    }

    void grabColorWithoutScreenReadsNeverStartsTheTimer() {
        Fakes fakes;
        fakes.probe->screenReadable = false;
        Form1 form(fakes.services());
        form.GetPixelbtn->click();
        QCOMPARE(fakes.probe->pickCalls, 1);
        QCOMPARE(form.Timer1->Interval(), 0);
        fakes.probe->pick({PickResult::Picked, 9, 8, 7, {}});
        QCOMPARE(barsOf(form), (Colour{9, 8, 7}));
        QCOMPARE(form.HexVal->Text(), QString("#090807"));
        // The next press asks again; where the screen can be read the timer runs as before.
        form.GetPixelbtn->click();
        QCOMPARE(fakes.probe->pickCalls, 2);
        fakes.probe->screenReadable = true;
        form.GetPixelbtn->click();
        QCOMPARE(form.Timer1->Interval(), 100);
        QCOMPARE(fakes.probe->pickCalls, 2);
    }

    void picksAgainAfterAnswer() {
        startPortal({"--color", "0,0.5,0"});
        PortalColourPicker picker(connection());
        QCOMPARE(pick(picker)->green, 128);
        QCOMPARE(pick(picker)->green, 128);
    }
};

QTEST_MAIN(TestPortal)
#include "test_portal.moc"
