// Grab Color where the screen cannot be read: the desktop portal's picker, played by a fake
// portal on a private session bus that the test starts and stops.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "app/form1.h"
#include "app/platform/qt_services.h"
#include "fakes.h"

using namespace swatchly;

namespace {
// The real probe as a Wayland session has it, counting the answers it passes on.
struct WaylandProbe : QtScreenProbe {
    using QtScreenProbe::QtScreenProbe;
    int answers = 0;
    bool readsScreen() override { return false; }
    void pickColour(QWidget* window, std::function<void(PickResult)> done) override {
        QtScreenProbe::pickColour(window, [this, done](PickResult r) { ++answers, done(r); });
    }
};
}  // namespace

class TestPortal : public QObject {
    Q_OBJECT
    QTemporaryDir runtimeDir;
    QProcess bus, portal;
    QString address;

    QDBusConnection connection() {
        static int n = 0;
        return QDBusConnection::connectToBus(address, QString::number(++n));
    }

  private slots:
    // The bus and the portal get an environment of their own, whatever session the caller has.
    void initTestCase() {
        QProcessEnvironment env;
        env.insert("PATH", qEnvironmentVariable("PATH"));
        env.insert("XDG_RUNTIME_DIR", runtimeDir.path());
        bus.setProcessEnvironment(env);
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!bus.waitForStarted()) QSKIP("dbus-daemon cannot start");
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        portal.setProcessEnvironment(env);
    }
    void cleanup() {
        portal.kill();
        portal.waitForFinished();
    }
    void cleanupTestCase() {
        bus.terminate();
        bus.waitForFinished();
    }

    // Each press asks the portal once and takes its one answer: a colour (its three doubles
    // rounded to the nearest channel value, clamped), a cancel that changes nothing, or no
    // picker at all, which a message says.
    void grabColor_data() {
        QTest::addColumn<QStringList>("portalArgs");  // empty: no portal on the bus
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("messages");  // per press
        // Truncation would give 127, 50 and 254.
        QTest::newRow("picked") << QStringList{"--color", "0.5,0.2,0.999"} << QColor(128, 51, 255)
                                << 0;
        QTest::newRow("clamped") << QStringList{"--color", "-0.5,1.5,0.25"} << QColor(0, 255, 64)
                                 << 0;
        QTest::newRow("cancelled") << QStringList{"--respond", "1"} << QColor(1, 2, 3) << 0;
        QTest::newRow("no portal") << QStringList() << QColor(1, 2, 3) << 1;
        QTest::newRow("no PickColor") << QStringList{"--version", "1"} << QColor(1, 2, 3) << 1;
        QTest::newRow("no Screenshot") << QStringList{"--no-screenshot"} << QColor(1, 2, 3) << 1;
    }
    void grabColor() {
        QFETCH(QStringList, portalArgs);
        QFETCH(QColor, colour);
        QFETCH(int, messages);
        if (!portalArgs.isEmpty()) {
            portal.start(FAKE_PORTAL, portalArgs);
            QTRY_VERIFY(
                connection().interface()->isServiceRegistered("org.freedesktop.portal.Desktop"));
        }
        Fakes fakes;
        Services services = fakes.services();
        auto probe = std::make_shared<WaylandProbe>(connection());
        services.probe = probe;
        Form1 form(services);
        form.SetBars(std::int16_t(1), std::int16_t(2), std::int16_t(3));
        for (int press = 1; press <= 2; ++press) {
            form.GetPixelbtn->click();
            QTRY_COMPARE(probe->answers, press);
            QCOMPARE(QColor(form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value()),
                     colour);
            QCOMPARE(fakes.messageBox->calls.size(), press * messages);
            QCOMPARE(form.Timer1->Interval(), 0);
        }
        if (messages) QCOMPARE(fakes.messageBox->calls[0].text, Form1::kNoColourPicker);
    }
};

QTEST_MAIN(TestPortal)
#include "test_portal.moc"
