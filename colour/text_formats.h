#pragma once
// The three text forms of a colour: decimal channel text, HTML hex text (#RRGGBB) and VB hex
// text (&HBBGGRR&). Pure functions; no window needed.

#include <QString>
#include <cstdint>
#include <optional>

#include "runtime/rgb.h"
#include "runtime/variant.h"

namespace swatchly {

// One channel as at least two upper-case hexadecimal digits (0 -> "00", 255 -> "FF").
QString hexPair(const Variant& value);
// "#" + red + green + blue pairs.
QString htmlHexText(const Variant& red, const Variant& green, const Variant& blue);
// "&H" + blue + green + red pairs + "&".
QString vbHexText(const Variant& red, const Variant& green, const Variant& blue);

// A hex pair read back: exactly two hexadecimal digits, either case, give 0..255; anything
// else (a letter beyond F, a blank, a sign, one digit) throws a type mismatch.
std::int16_t readHexPair(QStringView pair);

// The hex readers give the three channels, or nothing when the text has the wrong shape (not
// six digits once the prefix is stripped). A pair that does not convert throws a type mismatch
// at the first such pair; the later pairs are not read.
//
// HTML: a leading "#" is stripped and only the next six characters are kept; red comes first.
std::optional<Channels> readHtmlHex(const QString& text);
// VB: a leading "&H" (capital H only) is stripped and only the next six characters are kept,
// so the closing "&" and any tail are dropped; blue comes first, red is read first.
std::optional<Channels> readVbHex(const QString& text);

struct DecimalReading {
    // The box's text after reading: as typed, or corrected to "0" or "255".
    QString text;
    // Nothing when the text is not a number.
    std::optional<std::int16_t> value;
    friend bool operator==(const DecimalReading&, const DecimalReading&) = default;
};

// One decimal channel box: blank becomes "0"; a number below 0 becomes "0" and one above 255
// becomes "255" (0 and 255 themselves stay as typed); the value is the number rounded half to
// even. Anything else becomes "0" with no value. Numbers follow the user's locale, plain "."
// decimals and "&H" literals are always taken. Never throws.
DecimalReading readDecimalChannel(const QString& text);

}  // namespace swatchly
