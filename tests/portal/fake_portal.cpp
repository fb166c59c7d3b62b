// A stand-in for the desktop portal on a private session bus, for the portal picker's tests.
// usage: fake_portal [--version N] [--respond CODE] [--color R,G,B] [--no-screenshot]
// It serves the Screenshot interface's "version" property and PickColor, answering each pick
// with a Response signal on the request path that the caller's handle_token names.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTimer>

namespace {

struct Options {
    uint version = 2, respond = 0;
    double colour[3] = {0, 0, 0};
    bool screenshot = true;
};

class Portal : public QDBusVirtualObject {
  public:
    explicit Portal(Options o) : m_o(o) {}
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        const QString screenshot = "org.freedesktop.portal.Screenshot";
        QDBusMessage reply = m.createErrorReply(QDBusError::UnknownMethod, "no such method");
        if (m.member() == "Get" && m_o.screenshot && m.arguments().value(0) == screenshot)
            reply = m.createReply(QVariant::fromValue(QDBusVariant(m_o.version)));
        if (m.interface() == screenshot && m.member() == "PickColor" && m_o.screenshot &&
            m_o.version >= 2) {
            const QString path =
                QString("/org/freedesktop/portal/desktop/request/%1/%2")
                    .arg(
                        m.service().mid(1).replace('.', '_'),
                        qdbus_cast<QVariantMap>(m.arguments().value(1))["handle_token"].toString());
            reply = m.createReply(QVariant::fromValue(QDBusObjectPath(path)));
            QTimer::singleShot(50, [this, bus, path] {
                QDBusArgument colour;
                colour.beginStructure();
                colour << m_o.colour[0] << m_o.colour[1] << m_o.colour[2];
                colour.endStructure();
                QVariantMap results;
                if (m_o.respond == 0) results.insert("color", QVariant::fromValue(colour));
                QDBusConnection(bus).send(
                    QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response")
                    << m_o.respond << results);
            });
        }
        return QDBusConnection(bus).send(reply);
    }

  private:
    Options m_o;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Options o;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--version") o.version = args.value(++i).toUInt();
        if (args[i] == "--respond") o.respond = args.value(++i).toUInt();
        if (args[i] == "--no-screenshot") o.screenshot = false;
        if (args[i] == "--color")
            for (int k = 0; const QString& c : args.value(++i).split(','))
                o.colour[k++] = c.toDouble();
    }
    Portal portal(o);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject("/org/freedesktop/portal/desktop", &portal) ||
        !bus.registerService("org.freedesktop.portal.Desktop"))
        qFatal("fake_portal: cannot register on the session bus");
    return app.exec();
}
