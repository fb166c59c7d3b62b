#include "colour/swatches.h"

#include <QList>
#include <algorithm>

#include "colour/forms.h"

namespace swatchly {

Slots keepPick(const Slots& kept, std::int32_t packed) {
    Slots result;
    result[0] = packed;
    std::size_t next = 1;
    for (const auto& slot : kept)
        if (slot && *slot != packed && next < result.size()) result[next++] = slot;
    return result;
}

QByteArray gimpPalette(const std::vector<Channels>& colours) {
    QByteArray out = "GIMP Palette\nName: Swatchly\nColumns: 7\n#\n";
    for (const Channels& c : colours)
        out += (QString::asprintf("%3d %3d %3d\t", c.red, c.green, c.blue) + htmlHex(c) + u'\n')
                   .toLatin1();
    return out;
}

PaletteReading readPalette(const QByteArray& file) {
    constexpr qsizetype kMost = 1 << 20;
    if (file.size() > kMost) return {{}, QStringLiteral("The file is larger than 1 MiB.")};
    const QList<QByteArray> lines = file.split('\n');
    const QByteArray first = lines.first().trimmed();
    if (!first.startsWith("GIMP Palette") && !first.startsWith("KDE RGB Palette"))
        return {{},
                QStringLiteral("The file is not a palette: its first line is not "
                               "\"GIMP Palette\".")};
    PaletteReading reading;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        const QByteArray line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith("Name:") ||
            line.startsWith("Columns:"))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool ok = fields.size() >= 3;
        int v[3] = {};
        for (int i = 0; ok && i < 3; ++i) {
            v[i] = fields[i].toInt(&ok);
            if (ok && (v[i] < 0 || v[i] > 255))
                return {{},
                        QStringLiteral("Line %1 is not a colour: %2 is outside 0..255.")
                            .arg(n + 1)
                            .arg(v[i])};
        }
        if (!ok)
            return {{},
                    QStringLiteral("Line %1 is not a colour: it should begin with three whole "
                                   "numbers from 0 to 255.")
                        .arg(n + 1)};
        reading.colours.push_back({std::int16_t(v[0]), std::int16_t(v[1]), std::int16_t(v[2])});
    }
    if (reading.colours.empty()) return {{}, QStringLiteral("The palette holds no colour.")};
    return reading;
}

}  // namespace swatchly
