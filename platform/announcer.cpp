// Announcements over AT-SPI, sent on a connection of our own to the accessibility bus.

#include <memory>

#include "platform/qt_services.h"
#ifdef SWATCHLY_HAVE_PORTAL
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>
#endif

namespace swatchly {

#ifdef SWATCHLY_HAVE_PORTAL
struct AtspiAnnouncer::Bus {
    QDBusConnection connection{QString()};
};

AtspiAnnouncer::AtspiAnnouncer() = default;
AtspiAnnouncer::~AtspiAnnouncer() = default;

void AtspiAnnouncer::announce(const QString& text) {
    if (!m_bus) {
        // Asked once: the session bus names the accessibility bus, where screen readers listen.
        m_bus = std::make_unique<Bus>();
        const QDBusMessage reply = QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")),
            QDBus::Block, 1000);
        const QString address = reply.arguments().value(0).toString();
        if (!address.isEmpty())
            m_bus->connection =
                QDBusConnection::connectToBus(address, QStringLiteral("swatchly-announcer"));
    }
    if (!m_bus->connection.isConnected()) return;
    // An AT-SPI event: detail, politeness (1, polite), a second number, the text, properties.
    QDBusMessage event = QDBusMessage::createSignal(
        QStringLiteral("/org/a11y/atspi/accessible/root"),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("Announcement"));
    event << QString() << 1 << 0 << QVariant::fromValue(QDBusVariant(text)) << QVariantMap();
    m_bus->connection.send(event);
}
#else
struct AtspiAnnouncer::Bus {};
AtspiAnnouncer::AtspiAnnouncer() = default;
AtspiAnnouncer::~AtspiAnnouncer() = default;
void AtspiAnnouncer::announce(const QString&) {}
#endif

}  // namespace swatchly
