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
    QString role(const Node& n) { return call(n, "GetRoleName").toString(); }

    QVariant call(const Node& n, const QString& method, const QVariantList& args = {},
                  const QString& interface = "org.a11y.atspi.Accessible") {
        QDBusMessage m = QDBusMessage::createMethodCall(n.first, n.second, interface, method);
        m.setArguments(args);
        return m_bus.call(m).arguments().value(0);
    }
    QString name(const Node& n, const char* property = "Name") {
        const QVariant v = call(n, "Get", {"org.a11y.atspi.Accessible", property},
                                "org.freedesktop.DBus.Properties");
        return v.value<QDBusVariant>().variant().toString();
    }
    QString description(const Node& n) { return name(n, "Description"); }
    bool has(const Node& n, int state) {
        QList<uint> words;
        call(n, "GetState").value<QDBusArgument>() >> words;
        return words.value(state / 32) >> (state % 32) & 1;
    }
    // The names of the objects that label this one (relation 2, "labelled by").
    QStringList labelledBy(const Node& n) {
        QStringList labels;
        const QDBusArgument a = call(n, "GetRelationSet").value<QDBusArgument>();
        for (a.beginArray(); !a.atEnd(); a.endStructure()) {
            uint type;
            a.beginStructure();
            a >> type;
            for (const Node& target : nodes(a)) labels << (type == 2 ? name(target) : QString());
        }
        a.endArray();
        labels.removeAll(QString());
        return labels;
    }
    // Announcements (AT-SPI's Object:Announcement events) from any program, each to `slot` of
    // `receiver`, which takes the QDBusMessage: its fourth argument is the text.
    bool listen(QObject* receiver, const char* slot) {
        return m_bus.connect(QString(), QString(), "org.a11y.atspi.Event.Object", "Announcement",
                             receiver, slot);
    }
    // Every object of every program's tree, by name.
    QMap<QString, Node> tree() {
        QMap<QString, Node> found;
        QList<Node> todo{{"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"}};
        while (!todo.isEmpty()) {
            const Node n = todo.takeFirst();
            found.insert(name(n), n);
            todo += nodes(call(n, "GetChildren").value<QDBusArgument>());
        }
        return found;
    }

  private:
    static QList<Node> nodes(const QDBusArgument& a) {
        QList<Node> out;
        for (a.beginArray(); !a.atEnd(); a.endStructure()) {
            QString bus;
            QDBusObjectPath path;
            a.beginStructure();
            a >> bus >> path;
            out.append({bus, path.path()});
        }
        a.endArray();
        return out;
    }
    QProcess m_launcher;
    QDBusConnection m_bus{QString()};
};
