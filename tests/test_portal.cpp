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
    QProcess bus, fakePortal;
    QString address;
    int connections = 0;

  private slots:
    // The bus and the portal get an environment of their own, whatever session the caller has.
    void initTestCase() {
        QProcessEnvironment env;
        env.insert("PATH", qEnvironmentVariable("PATH"));
        bus.setProcessEnvironment(env);
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!bus.waitForStarted()) QSKIP("dbus-daemon cannot start");
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        fakePortal.setProcessEnvironment(env);
    }
    void cleanup() {
        fakePortal.kill();
        fakePortal.waitForFinished();
    }
    void cleanupTestCase() {
        bus.terminate();
        bus.waitForFinished();
    }

    // Each press asks the portal once and takes its one answer: a colour (its three doubles
    // rounded to the nearest channel value, clamped), a cancel that changes nothing, or no
    // picker at all, which a message says.
    void grabColor_data() {
        QTest::addColumn<QString>("portal");  // its arguments; "none": no portal on the bus
        QTest::addColumn<QString>("colour");
        QTest::addColumn<int>("messages");  // per press
        auto row = [](const char* name, const char* portal, const char* colour, int messages) {
            QTest::newRow(name) << portal << colour << messages;
        };
        row("picked", "--color 0.5,0.2,0.999", "#8033ff", 0);  // truncated: 127, 50, 254
        row("clamped", "--color -0.5,1.5,0.25", "#00ff40", 0);
        row("cancelled", "--respond 1", "#010203", 0);
        row("no portal", "none", "#010203", 1);
        row("no PickColor", "--version 1", "#010203", 1);
        row("no Screenshot", "--no-screenshot", "#010203", 1);
    }
    void grabColor() {
        QFETCH(QString, portal);
        QFETCH(QString, colour);
        QFETCH(int, messages);
        auto connection = [&] {
            return QDBusConnection::connectToBus(address, QString::number(++connections));
        };
        if (portal != "none") fakePortal.start(FAKE_PORTAL, portal.split(' '));
        QTRY_COMPARE(
            connection().interface()->isServiceRegistered("org.freedesktop.portal.Desktop").value(),
            portal != "none");
        Fakes fakes;
        auto probe = std::make_shared<WaylandProbe>(connection());
        Form1 form({probe, fakes.windowManager, fakes.shell, fakes.messageBox});
        form.SetBars(std::int16_t(1), std::int16_t(2), std::int16_t(3));
        for (int press = 1; press <= 2; ++press) {
            form.GetPixelbtn->click();
            QTRY_COMPARE(probe->answers, press);
            QCOMPARE(
                QColor(form.RScroll->Value(), form.GScroll->Value(), form.BScroll->Value()).name(),
                colour);
            QCOMPARE(fakes.messageBox->calls.size(), press * messages);
            QCOMPARE(form.Timer1->Interval(), 0);
        }
        if (messages) QCOMPARE(fakes.messageBox->calls[0].text, Form1::kNoColourPicker);
    }
};

QTEST_MAIN(TestPortal)
#include "test_portal.moc"
