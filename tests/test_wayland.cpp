// Swatchly in a real Wayland session (a private headless Weston and session bus, see
// run-in-desktop), where no application may read the screen: Grab Color goes to the desktop
// portal, played by the fake portal, and says so where there is none.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "app/form1.h"
#include "app/platform/qt_services.h"
#include "fakes.h"

using namespace swatchly;

class TestWayland : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "wayland") QSKIP("not in a Wayland session");
    }

    void grabColorAsksThePortal_data() {
        QTest::addColumn<bool>("portal");
        QTest::newRow("no portal: a message, nothing changes") << false;
        QTest::newRow("the portal's pick") << true;
    }
    void grabColorAsksThePortal() {
        QFETCH(bool, portal);
        QProcess fake;
        if (portal) {
            fake.start(FAKE_PORTAL, {"--color", "0.5,0.25,1"});
            QTRY_VERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                "org.freedesktop.portal.Desktop"));
        }
        Fakes fakes;
        Services services = fakes.services();
        services.probe = std::make_shared<QtScreenProbe>();
        Form1 form(services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!services.probe->readsScreen());
        form.SetBars(std::int16_t(5), std::int16_t(6), std::int16_t(7));
        form.GetPixelbtn->click();
        if (portal) {
            QTRY_COMPARE(form.NewPrev->BackColor(), rgb(128, 64, 255));
            QCOMPARE(form.HexVal->Text(), QString("#8040FF"));
            QVERIFY(fakes.messageBox->calls.isEmpty());
        } else {
            QTRY_COMPARE(fakes.messageBox->calls.size(), 1);
            QCOMPARE(fakes.messageBox->calls[0].text, Form1::kNoColourPicker);
            QCOMPARE(form.NewPrev->BackColor(), rgb(5, 6, 7));
        }
        QCOMPARE(form.Timer1->Interval(), 0);
        fake.kill();
        fake.waitForFinished();
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
