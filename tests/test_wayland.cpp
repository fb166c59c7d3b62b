// Swatchly in a real Wayland session (a private headless Weston and session bus, see
// run-in-desktop), where no application may read the screen: each press of Grab Color asks the
// desktop portal, played by the fake one, once and takes its one answer; where no portal offers
// a picker a message says so. Stay On Top, which the protocol does not offer, is disabled.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "fakes.h"
#include "platform/qt_services.h"
#include "window/form1.h"

using namespace swatchly;

namespace {
// The real probe, counting the answers it passes on.
struct CountingProbe : QtScreenProbe {
    int answers = 0;
    void pickColour(QWidget* window, std::function<void(PickResult)> done) override {
        QtScreenProbe::pickColour(window, [this, done](PickResult r) { ++answers, done(r); });
    }
};

bool portalOnTheBus() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        "org.freedesktop.portal.Desktop");
}
}  // namespace

class TestWayland : public QObject {
    Q_OBJECT

  private slots:
    // The portal's colour is three doubles, rounded to the nearest channel value and clamped.
    void grabColorAsksThePortal_data() {
        QTest::addColumn<QStringList>("portal");  // the fake portal's arguments; none: no portal
        QTest::addColumn<QString>("colour");      // after two presses, from #010203
        QTest::addColumn<int>("messages");
        QTest::newRow("a colour") << QStringList{"--color", "0.5,0.2,0.999"} << "#8033FF" << 0;
        QTest::newRow("clamped") << QStringList{"--color", "-0.5,1.5,0.25"} << "#00FF40" << 0;
        QTest::newRow("cancelled") << QStringList{"--respond", "1"} << "#010203" << 0;
        QTest::newRow("no picker") << QStringList{"--version", "1"} << "#010203" << 2;
        QTest::newRow("no portal") << QStringList() << "#010203" << 2;
    }
    void grabColorAsksThePortal() {
        QFETCH(QStringList, portal);
        QFETCH(QString, colour);
        QFETCH(int, messages);
        QProcess fake;
        if (!portal.isEmpty()) fake.start(FAKE_PORTAL, portal);
        QTRY_COMPARE(portalOnTheBus(), !portal.isEmpty());
        Fakes fakes;
        Services services = fakes.services();
        const auto probe = std::make_shared<CountingProbe>();
        services.probe = probe;
        Form1 form(services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!probe->readsScreen());
        form.SetBars(std::int16_t(1), std::int16_t(2), std::int16_t(3));
        for (int press = 1; press <= 2; ++press) {
            form.GetPixelbtn->click();
            QTRY_COMPARE(probe->answers, press);
        }
        QCOMPARE(form.HexVal->Text(), colour);
        QCOMPARE(form.Timer1->Interval(), 0);
        QCOMPARE(fakes.messageBox->calls.size(), messages);
        for (const FakeMessageBox::Call& call : fakes.messageBox->calls)
            QCOMPARE(call.text, Form1::kNoColourPicker);
        fake.kill();
        fake.waitForFinished();
        QTRY_VERIFY(!portalOnTheBus());
    }

    // A check mark that changed nothing would tell the user it worked.
    void stayOnTopIsDisabledAndSaysWhy() {
        Form1 form;  // the real window manager service
        QVERIFY(!form.stay->isEnabled() && form.opt->toolTipsVisible());
        QVERIFY(!form.stay->toolTip().isEmpty());
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
