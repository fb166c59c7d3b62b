// A stand-in for the desktop portal on a private session bus, for the portal picker's tests.
// usage: fake_portal [--version N] [--respond CODE] [--color R,G,B]
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

uint version = 2, respond = 0;
double colour[3] = {0, 0, 0};

class Portal : public QDBusVirtualObject {
  public:
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        QDBusMessage reply = m.createErrorReply(QDBusError::UnknownMethod, "no such method");
        if (m.member() == "Get" && m.arguments().value(0) == "org.freedesktop.portal.Screenshot")
            reply = m.createReply(QVariant::fromValue(QDBusVariant(version)));
        if (m.member() == "PickColor" && version >= 2) {
            const QString path =
                QString("/org/freedesktop/portal/desktop/request/%1/%2")
                    .arg(
                        m.service().mid(1).replace('.', '_'),
                        qdbus_cast<QVariantMap>(m.arguments().value(1))["handle_token"].toString());
            reply = m.createReply(QVariant::fromValue(QDBusObjectPath(path)));
            QTimer::singleShot(50, [bus, path] {
                QDBusArgument rgb;
                rgb.beginStructure();
                rgb << colour[0] << colour[1] << colour[2];
                rgb.endStructure();
                QVariantMap results;
                if (respond == 0) results.insert("color", QVariant::fromValue(rgb));
                QDBusConnection(bus).send(
                    QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response")
                    << respond << results);
            });
        }
        return QDBusConnection(bus).send(reply);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--version") version = args[i + 1].toUInt();
        if (args[i] == "--respond") respond = args[i + 1].toUInt();
        for (int k = 0; args[i] == "--color" && k < 3; ++k)
            colour[k] = args[i + 1].section(',', k, k).toDouble();
    }
    Portal portal;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject("/org/freedesktop/portal/desktop", &portal) ||
        !bus.registerService("org.freedesktop.portal.Desktop"))
        qFatal("fake_portal: cannot register on the session bus");
    return app.exec();
}
