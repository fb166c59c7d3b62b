#pragma once
// What a screen reader reads: the accessibility bus of this desktop's session (at-spi2-core's
// launcher, started here and stopped by PID) and the programs' trees on it, read over AT-SPI.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>

class Atspi {
  public:
    enum { kChecked = 4, kFocused = 12, kShowing = 25 };  // state bits
    using Node = std::pair<QString, QString>;             // the serving connection, a path

    Atspi() {
        m_launcher.start("/usr/libexec/at-spi-bus-launcher", {"--launch-immediately"});
        auto address = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus",
                                                      "org.a11y.Bus", "GetAddress");
        for (int i = 0; i < 100 && !m_bus.isConnected(); ++i, QThread::msleep(50))
            m_bus = QDBusConnection::connectToBus(
                QDBusConnection::sessionBus().call(address).arguments().value(0).toString(),
                "a11y");
    }
    ~Atspi() { m_launcher.terminate(), m_launcher.waitForFinished(); }
    bool ready() const { return m_bus.isConnected(); }

    QVariant call(const Node& n, const QString& method, const QVariantList& args = {},
                  const QString& interface = "org.a11y.atspi.Accessible") {
        QDBusMessage m = QDBusMessage::createMethodCall(n.first, n.second, interface, method);
        m.setArguments(args);
        return m_bus.call(m).arguments().value(0);
    }
    QString name(const Node& n) {
        return call(n, "Get", {"org.a11y.atspi.Accessible", "Name"},
                    "org.freedesktop.DBus.Properties")
            .value<QDBusVariant>()
            .variant()
            .toString();
    }
    QString role(const Node& n) { return call(n, "GetRoleName").toString(); }
    bool has(const Node& n, int state) {
        QList<uint> words;
        call(n, "GetState").value<QDBusArgument>() >> words;
        return words.value(state / 32) >> (state % 32) & 1;
    }
    // The names of the objects that label this one.
    QStringList labelledBy(const Node& n) {
        QStringList labels;
        const QDBusArgument a = call(n, "GetRelationSet").value<QDBusArgument>();
        a.beginArray();
        while (!a.atEnd()) {
            uint type;
            a.beginStructure();
            a >> type;
            for (const Node& target : nodes(a))
                if (type == 2) labels << name(target);  // labelled by
            a.endStructure();
        }
        a.endArray();
        return labels;
    }
    // Every object of every program's tree, by name.
    QMap<QString, Node> tree() {
        QMap<QString, Node> found;
        QList<Node> todo = children({"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"});
        while (!todo.isEmpty()) {
            const Node n = todo.takeFirst();
            found.insert(name(n), n);
            todo += children(n);
        }
        return found;
    }

  private:
    QList<Node> children(const Node& n) {
        return nodes(call(n, "GetChildren").value<QDBusArgument>());
    }
    static QList<Node> nodes(const QDBusArgument& a) {
        QList<Node> out;
        a.beginArray();
        while (!a.atEnd()) {
            QString bus;
            QDBusObjectPath path;
            a.beginStructure();
            a >> bus >> path;
            a.endStructure();
            out.append({bus, path.path()});
        }
        a.endArray();
        return out;
    }
    QProcess m_launcher;
    QDBusConnection m_bus{QString()};
};
