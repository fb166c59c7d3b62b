// Swatchly in a real Wayland session (a private headless Weston and session bus, see
// run-in-desktop), where no application may read the screen: Grab Color says so while no desktop
// portal is on the bus, and then takes the pick of the portal, played by the fake one; Stay On Top, which the protocol
// does not offer, is disabled.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "window/form1.h"
#include "platform/qt_services.h"
#include "fakes.h"

using namespace swatchly;

class TestWayland : public QObject {
    Q_OBJECT

private slots:
    void grabColorGoesToThePortal() {
        Fakes fakes;
        Services services = fakes.services();
        services.probe = std::make_shared<QtScreenProbe>();
        Form1 form(services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!services.probe->readsScreen());
        form.SetBars(std::int16_t(5), std::int16_t(6), std::int16_t(7));
        form.GetPixelbtn->click();
        QTRY_COMPARE(fakes.messageBox->calls.size(), 1);
        QCOMPARE(fakes.messageBox->calls[0].text, Form1::kNoColourPicker);
        QCOMPARE(form.NewPrev->BackColor(), rgb(5, 6, 7));

        QProcess portal;
        portal.start(FAKE_PORTAL, {"--color", "0.5,0.25,1"});
        QTRY_VERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(
            "org.freedesktop.portal.Desktop"));
        form.GetPixelbtn->click();
        QTRY_COMPARE(form.NewPrev->BackColor(), rgb(128, 64, 255));
        QCOMPARE(form.HexVal->Text(), QString("#8040FF"));
        QCOMPARE(fakes.messageBox->calls.size(), 1);
        QCOMPARE(form.Timer1->Interval(), 0);
        portal.kill();
        portal.waitForFinished();
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
