#pragma once
// The 148 CSS colour names: a name read as its colour, and a colour named by the nearest name.

#include <QString>
#include <QStringView>
#include <optional>

#include "runtime/rgb.h"

namespace swatchly {

// The colour a CSS name (any case) stands for.
std::optional<Channels> colourOfName(QStringView name);

struct Naming {
    QString name;  // of the names for one colour (aqua, cyan), the first in the alphabet
    bool exact = false;
};
// The name nearest by distance in Oklab, where equal steps look about equally far apart.
Naming nearestName(Channels c);
// The name as the window and the name form write it: "orange", or "≈ darkorange" where the
// colour is only near it.
QString nameText(Channels c);
// The mark that says a name is near, not exact.
inline constexpr char16_t kNearMark = u'\u2248';

}  // namespace swatchly
