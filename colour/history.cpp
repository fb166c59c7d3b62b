#include "colour/history.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "colour/forms.h"
#include "colour/swatches.h"

namespace swatchly {

History remember(History history, Channels colour, const QDateTime& at) {
    std::erase_if(history, [&](const Pick& p) { return p.colour == colour; });
    history.insert(history.begin(), {colour, at.toUTC()});
    if (history.size() > kHistoryLimit) history.resize(kHistoryLimit);
    return history;
}

QByteArray historyJson(const History& history) {
    QJsonArray picks;
    for (const Pick& p : history) {
        QJsonObject o{{QStringLiteral("hex"), htmlHex(p.colour)}};
        if (p.picked.isValid())
            o.insert(QStringLiteral("picked"), p.picked.toUTC().toString(Qt::ISODate));
        picks.append(o);
    }
    return QJsonDocument(picks).toJson(QJsonDocument::Indented);
}

std::optional<History> readHistoryJson(const QByteArray& file) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return std::nullopt;
    History history;
    for (const QJsonValue& v : doc.array()) {
        const auto colour = readHtmlHexExactly(v[QStringLiteral("hex")].toString());
        const QDateTime at =
            QDateTime::fromString(v[QStringLiteral("picked")].toString(), Qt::ISODate);
        if (!v.isObject() || !colour || !at.isValid()) return std::nullopt;
        history.push_back({*colour, at.toUTC()});
    }
    if (history.size() > kHistoryLimit) return std::nullopt;
    return history;
}

std::optional<ColourFile> colourFileFor(const QString& path) {
    const QString suffix = path.section(u'.', -1).toLower();
    if (!path.contains(u'.')) return std::nullopt;
    if (suffix == u"gpl") return ColourFile::Gpl;
    if (suffix == u"css") return ColourFile::Css;
    if (suffix == u"json") return ColourFile::Json;
    return std::nullopt;
}

QByteArray colourFile(ColourFile kind, const History& colours, const QString& prefix) {
    std::vector<Channels> plain;
    for (const Pick& p : colours) plain.push_back(p.colour);
    switch (kind) {
        case ColourFile::Gpl:
            return gimpPalette(plain);
        case ColourFile::Json:
            return historyJson(colours);
        case ColourFile::Css: {
            QByteArray out = ":root {\n";
            for (std::size_t i = 0; i < plain.size(); ++i)
                out += QStringLiteral("  --%1-%2: %3;\n")
                           .arg(prefix)
                           .arg(i + 1)
                           .arg(htmlHex(plain[i]))
                           .toUtf8();
            return out + "}\n";
        }
    }
    return {};
}

}  // namespace swatchly
