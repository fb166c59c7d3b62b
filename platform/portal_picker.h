#pragma once
// The desktop's own colour picker through the freedesktop Screenshot portal, for sessions in
// which an application may not read the screen (Wayland).

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <optional>

#include "platform/services.h"

namespace swatchly {

class PortalColourPicker : public QObject {
    Q_OBJECT
  public:
    explicit PortalColourPicker(QDBusConnection bus = QDBusConnection::sessionBus(),
                                QObject* parent = nullptr);
    // Asks the portal; `done` runs once, later, from the event loop (or at once when no
    // portal can be asked). `parentWindow` is the portal's window identifier ("x11:1a2b"), or
    // empty.
    void pick(const QString& parentWindow, std::function<void(PickResult)> done);
    bool busy() const { return static_cast<bool>(m_done); }
    // The Screenshot interface version the portal offers, 0 when there is no portal.
    uint portalVersion();
    // PickColor came with version 2 of the interface.
    bool offersPick() { return portalVersion() >= 2; }

    // A portal colour, three doubles 0..1, as channel values rounded to the nearest.
    static std::optional<Channels> toChannels(const QVariant& colour);

  private slots:
    void onResponse(uint response, const QVariantMap& results);

  private:
    void finish(PickResult result);
    QDBusConnection m_bus;
    QString m_requestPath;
    std::function<void(PickResult)> m_done;
    unsigned m_counter = 0;
};

}  // namespace swatchly
