#pragma once
// The three text forms of a colour: decimal channel text, HTML hex text (#RRGGBB) and VB hex
// text (&HBBGGRR&). Pure functions; no window needed.

#include <QString>

#include "app/runtime/variant.h"

namespace swatchly {

// One channel as at least two upper-case hexadecimal digits (0 -> "00", 255 -> "FF").
QString hexPair(const Variant& value);
// "#" + red + green + blue pairs.
QString htmlHexText(const Variant& red, const Variant& green, const Variant& blue);
// "&H" + blue + green + red pairs + "&".
QString vbHexText(const Variant& red, const Variant& green, const Variant& blue);

}  // namespace swatchly
