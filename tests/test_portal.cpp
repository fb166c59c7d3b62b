// The portal colour picker against a fake portal on a private session bus.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "app/platform/portal_picker.h"

using namespace swatchly;

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

    void picksAgainAfterAnswer() {
        startPortal({"--color", "0,0.5,0"});
        PortalColourPicker picker(connection());
        QCOMPARE(pick(picker)->green, 128);
        QCOMPARE(pick(picker)->green, 128);
    }
};

QTEST_GUILESS_MAIN(TestPortal)
#include "test_portal.moc"
