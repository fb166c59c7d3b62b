// Swatchly in a real Wayland session (a private headless Weston, see wayland/run-in-weston),
// where no application may read the screen: Grab Color goes to the desktop portal, played by
// the fake portal on a private session bus, and Stay On Top, which the protocol does not
// offer, is disabled and breaks nothing.

#include <QDBusConnectionInterface>
#include <QtTest>

#include "app/form1.h"
#include "app/platform/qt_services.h"
#include "fakes.h"

using namespace swatchly;

class TestWayland : public QObject {
    Q_OBJECT
    QProcess bus, portal;
    QString address;

    std::unique_ptr<Form1> showForm(const Fakes& fakes) {
        Services services = fakes.services();
        services.probe = std::make_shared<QtScreenProbe>(QDBusConnection::connectToBus(address, "probe"));
        auto form = std::make_unique<Form1>(services);
        form->show();
        return form;
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "wayland") QSKIP("not in a Wayland session");
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
    }
    void cleanupTestCase() {
        for (QProcess* p : {&portal, &bus}) {
            p->terminate();
            p->waitForFinished();
        }
    }

    void withoutPortalGrabColorSaysSoAndChangesNothing() {
        Fakes fakes;
        auto form = showForm(fakes);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(!form->services().probe->readsScreen());
        form->SetBars(std::int16_t(5), std::int16_t(6), std::int16_t(7));
        form->GetPixelbtn->click();
        QTRY_COMPARE(fakes.messageBox->calls.size(), 1);
        QCOMPARE(fakes.messageBox->calls[0].text, Form1::kNoColourPicker);
        QCOMPARE(form->NewPrev->BackColor(), rgb(5, 6, 7));
        QVERIFY(!form->Timer1->isTicking());
    }

    void grabColorTakesThePortalsPick() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        portal.setProcessEnvironment(env);
        portal.start(FAKE_PORTAL, {"--color", "0.5,0.25,1"});
        QVERIFY(portal.waitForStarted());
        QDBusConnection c = QDBusConnection::connectToBus(address, "check");
        QTRY_VERIFY(c.interface()->isServiceRegistered("org.freedesktop.portal.Desktop"));

        Fakes fakes;
        auto form = showForm(fakes);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->GetPixelbtn->click();
        QTRY_COMPARE(form->NewPrev->BackColor(), rgb(128, 64, 255));
        QCOMPARE(form->HexVal->Text(), QString("#8040FF"));
        QCOMPARE(form->Timer1->Interval(), 0);
        QVERIFY(fakes.messageBox->calls.isEmpty());
    }

    void stayOnTopIsDisabledAndSaysWhy() {
        Form1 form;  // the real window manager service
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QSize size = form.size();
        QVERIFY(!form.stay->isEnabled());
        QVERIFY(!form.stay->toolTip().isEmpty() && form.opt->toolTipsVisible());
        form.stay->trigger();
        QVERIFY(!form.stay->isChecked());
        QVERIFY(form.isVisible());
        QCOMPARE(form.size(), size);
        form.RScroll->setValue(40);  // and the window still works
        QCOMPARE(form.NewPrev->BackColor(), 40);
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
