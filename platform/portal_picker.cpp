#include "platform/portal_picker.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <cmath>

namespace swatchly {

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
}  // namespace

PortalColourPicker::PortalColourPicker(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)) {}

std::optional<Channels> PortalColourPicker::toChannels(const QVariant& colour) {
    double c[3];
    if (!colour.canConvert<QDBusArgument>()) return std::nullopt;
    const QDBusArgument arg = colour.value<QDBusArgument>();
    if (arg.currentType() != QDBusArgument::StructureType) return std::nullopt;
    arg.beginStructure();
    for (double& v : c) {
        if (arg.atEnd()) return std::nullopt;
        arg >> v;
    }
    arg.endStructure();
    std::int16_t channel[3];
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(c[i])) return std::nullopt;
        channel[i] = static_cast<std::int16_t>(std::lround(std::clamp(c[i], 0.0, 1.0) * 255.0));
    }
    return Channels{channel[0], channel[1], channel[2]};
}

void PortalColourPicker::pick(const QString& parentWindow, std::function<void(PickResult)> done) {
    if (m_done) return;  // one pick at a time; the portal's picker is already up
    m_done = std::move(done);
    if (!m_bus.isConnected()) return finish({PickResult::Unavailable, {}, "no session bus"});
    if (!m_bus.interface()->isServiceRegistered(kService))
        return finish({PickResult::Unavailable, {}, "no desktop portal"});
    if (!offersPick())
        return finish({PickResult::Unavailable, {}, "the desktop portal offers no colour picker"});

    // Listen on the request's path before asking, so a quick answer is not missed.
    const QString token = QStringLiteral("swatchly%1").arg(++m_counter);
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    m_requestPath =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    m_bus.connect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kScreenshot, QStringLiteral("PickColor"));
    call << parentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) return finish({PickResult::Unavailable, {}, reply.error().message()});
        // Older portals answer on a path of their own choosing.
        const QString path = reply.value().path();
        if (path != m_requestPath && m_done) {
            m_bus.disconnect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                             SLOT(onResponse(uint, QVariantMap)));
            m_requestPath = path;
            m_bus.connect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                          SLOT(onResponse(uint, QVariantMap)));
        }
    });
}

uint PortalColourPicker::portalVersion() {
    if (!m_bus.isConnected() || !m_bus.interface()->isServiceRegistered(kService)) return 0;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    const QDBusMessage reply = m_bus.call(get, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return 0;
    return reply.arguments().first().value<QDBusVariant>().variant().toUInt();
}

void PortalColourPicker::onResponse(uint response, const QVariantMap& results) {
    if (!m_done) return;
    if (response != 0) return finish({PickResult::Cancelled, {}, {}});
    const std::optional<Channels> colour = toChannels(results.value(QStringLiteral("color")));
    if (!colour) return finish({PickResult::Unavailable, {}, "the portal gave no colour"});
    finish({PickResult::Picked, *colour, {}});
}

void PortalColourPicker::finish(PickResult result) {
    if (!m_requestPath.isEmpty())
        m_bus.disconnect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                         SLOT(onResponse(uint, QVariantMap)));
    m_requestPath.clear();
    auto done = std::move(m_done);
    m_done = nullptr;
    if (done) done(result);
}

}  // namespace swatchly
