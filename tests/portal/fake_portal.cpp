// A stand-in for the desktop portal on a private session bus, for the portal picker's tests.
// usage: fake_portal [--version N] [--respond CODE] [--color R,G,B] [--no-screenshot]
// It serves the Screenshot interface's "version" property and PickColor, answering each
// pick with a Response signal on the request path the caller's handle_token names.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTimer>
#include <cstdio>

namespace {

struct Options {
    uint version = 2;
    uint respond = 0;
    double colour[3] = {0, 0, 0};
    bool screenshot = true;
};

class Portal : public QDBusVirtualObject {
public:
    explicit Portal(Options o) : m_o(o) {}
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        const QString screenshot = "org.freedesktop.portal.Screenshot";
        if (m.interface() == "org.freedesktop.DBus.Properties" && m.member() == "Get") {
            if (!m_o.screenshot || m.arguments().value(0).toString() != screenshot)
                return reply(bus, m.createErrorReply(QDBusError::UnknownInterface, "no such interface"));
            return reply(bus, m.createReply(QVariant::fromValue(QDBusVariant(m_o.version))));
        }
        if (m.interface() == screenshot && m.member() == "PickColor" && m_o.screenshot && m_o.version >= 2) {
            const QVariantMap options = qdbus_cast<QVariantMap>(m.arguments().value(1));
            QString sender = m.service().mid(1);
            sender.replace('.', '_');
            const QString path = QString("/org/freedesktop/portal/desktop/request/%1/%2")
                                     .arg(sender, options.value("handle_token").toString());
            std::printf("PickColor parent=%s\n", qPrintable(m.arguments().value(0).toString()));
            std::fflush(stdout);
            reply(bus, m.createReply(QVariant::fromValue(QDBusObjectPath(path))));
            QTimer::singleShot(50, [this, bus, path] {
                QDBusArgument colour;
                colour.beginStructure();
                colour << m_o.colour[0] << m_o.colour[1] << m_o.colour[2];
                colour.endStructure();
                QVariantMap results;
                if (m_o.respond == 0) results.insert("color", QVariant::fromValue(colour));
                QDBusMessage signal =
                    QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
                signal << m_o.respond << results;
                QDBusConnection(bus).send(signal);
            });
            return true;
        }
        return reply(bus, m.createErrorReply(QDBusError::UnknownMethod, "no such method"));
    }

private:
    static bool reply(const QDBusConnection& bus, const QDBusMessage& r) {
        QDBusConnection(bus).send(r);
        return true;
    }
    Options m_o;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Options o;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--version") o.version = args.value(++i).toUInt();
        else if (args[i] == "--respond") o.respond = args.value(++i).toUInt();
        else if (args[i] == "--no-screenshot") o.screenshot = false;
        else if (args[i] == "--color") {
            const QStringList c = args.value(++i).split(',');
            for (int k = 0; k < 3; ++k) o.colour[k] = c.value(k).toDouble();
        }
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    Portal portal(o);
    if (!bus.registerVirtualObject("/org/freedesktop/portal/desktop", &portal) ||
        !bus.registerService("org.freedesktop.portal.Desktop")) {
        std::fprintf(stderr, "fake_portal: cannot register on the session bus\n");
        return 1;
    }
    return app.exec();
}
