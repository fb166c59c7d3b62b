#pragma once
// Every finished pick, kept with its time, newest first; and the colours written out for other
// programs, as a GIMP palette, CSS custom properties or JSON.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "runtime/rgb.h"

namespace swatchly {

struct Pick {
    Channels colour;
    QDateTime picked;  // UTC, to the second
    friend bool operator==(const Pick&, const Pick&) = default;
};
using History = std::vector<Pick>;
inline constexpr std::size_t kHistoryLimit = 200;

// `colour` picked at `at` on top of `history`: a colour already there moves to the top with its
// new time, and only the newest kHistoryLimit stay.
History remember(History history, Channels colour, const QDateTime& at);

// [{"hex": "#FF8000", "picked": "2026-12-07T10:00:00Z"}, ...], newest first, and back; nothing
// for a file that is not one (which the caller keeps aside).
QByteArray historyJson(const History& history);
std::optional<History> readHistoryJson(const QByteArray& file);

// What a file's name asks for: .gpl, .css or .json (any case); nothing for another.
enum class ColourFile { Gpl, Css, Json };
std::optional<ColourFile> colourFileFor(const QString& path);
// `colours` in that kind, in their order: a GIMP palette, custom properties --<prefix>-1 ...
// on :root, or JSON as historyJson writes it (without times where there are none).
QByteArray colourFile(ColourFile kind, const History& colours, const QString& prefix);

}  // namespace swatchly
