// Swatchly in a real Wayland session (a private headless Weston and session bus, see
// run-in-desktop), where no application may read the screen: each press of Grab Color asks the
// desktop portal, played by the test, once and takes its one answer; where no portal offers a
// picker a message says so.

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
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

const QString kPortal = "org.freedesktop.portal.Desktop";
bool portalOnTheBus() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(kPortal);
}

// The portal on a connection of its own: the Screenshot interface's version, and PickColor
// answered a moment later by a Response signal on the request path the caller's token names.
struct FakePortal : QDBusVirtualObject {
    uint version, respond;
    QList<double> colour;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
    FakePortal(uint v, uint r, const QList<double>& c) : version(v), respond(r), colour(c) {
        bus.registerVirtualObject("/org/freedesktop/portal/desktop", this);
        bus.registerService(kPortal);
    }
    ~FakePortal() override { QDBusConnection::disconnectFromBus("portal"); }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
        QDBusMessage reply = m.createErrorReply(QDBusError::UnknownMethod, "no such method");
        if (m.member() == "Get") reply = m.createReply(QVariant::fromValue(QDBusVariant(version)));
        if (m.member() == "PickColor" && version >= 2) {
            const QString token =
                qdbus_cast<QVariantMap>(m.arguments().value(1))["handle_token"].toString();
            const QString path = QString("/org/freedesktop/portal/desktop/request/%1/%2")
                                     .arg(m.service().mid(1).replace('.', '_'), token);
            reply = m.createReply(QVariant::fromValue(QDBusObjectPath(path)));
            QTimer::singleShot(50, this, [this, path] {
                QDBusArgument rgb;
                rgb.beginStructure();
                rgb << colour[0] << colour[1] << colour[2];
                rgb.endStructure();
                QVariantMap results;
                if (respond == 0) results.insert("color", QVariant::fromValue(rgb));
                bus.send(
                    QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response")
                    << respond << results);
            });
        }
        return bus.send(reply);
    }
};
}  // namespace

class TestWayland : public QObject {
    Q_OBJECT

  private slots:
    // The portal's colour is three doubles, rounded to the nearest channel value and clamped.
    void grabColorAsksThePortal_data() {
        QTest::addColumn<uint>("version");  // of the portal's Screenshot interface; 0: no portal
        QTest::addColumn<uint>("respond");  // 0 picked, 1 cancelled
        QTest::addColumn<QList<double>>("colour");
        QTest::addColumn<QString>("shown");  // after two presses, from #010203
        QTest::addColumn<int>("messages");
        QTest::newRow("a colour") << 2u << 0u << QList{0.5, 0.2, 0.999} << "#8033FF" << 0;
        QTest::newRow("clamped") << 2u << 0u << QList{-0.5, 1.5, 0.25} << "#00FF40" << 0;
        QTest::newRow("cancelled") << 2u << 1u << QList{0.5, 0.5, 0.5} << "#010203" << 0;
        QTest::newRow("no picker") << 1u << 0u << QList{0.5, 0.5, 0.5} << "#010203" << 2;
        QTest::newRow("no portal") << 0u << 0u << QList<double>() << "#010203" << 2;
    }
    void grabColorAsksThePortal() {
        QFETCH(uint, version);
        QFETCH(uint, respond);
        QFETCH(QList<double>, colour);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        // The portal answers from a thread of its own, as the program waits on it.
        QThread thread;
        std::optional<FakePortal> portal;
        const auto stop = qScopeGuard([&] { thread.quit(), thread.wait(); });
        if (version) portal.emplace(version, respond, colour).moveToThread(&thread);
        thread.start();
        QTRY_COMPARE(portalOnTheBus(), version > 0);
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
        QCOMPARE(form.HexVal->Text(), shown);
        QCOMPARE(form.Timer1->Interval(), 0);
        QCOMPARE(fakes.messageBox->calls.size(), messages);
        for (const FakeMessageBox::Call& call : fakes.messageBox->calls)
            QCOMPARE(call.text, Form1::kNoColourPicker);
    }
    void cleanup() { QTRY_VERIFY(!portalOnTheBus()); }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
