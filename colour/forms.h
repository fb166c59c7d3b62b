#pragma once
// The forms a colour is written in for other programs (hex in its spellings, decimal, CSS Color 4,
// HSV, CMYK, XYZ, code, the colour's name, or a template of the user's own), and the one reader
// that takes them all back: for the command line and for Paste. The window's boxes keep their
// own readers.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "runtime/rgb.h"

namespace swatchly {

// Hue in whole degrees 0..359, saturation and lightness in whole percents, each rounded to the
// nearest.
struct Hsl {
    int hue = 0, saturation = 0, lightness = 0;
    friend bool operator==(const Hsl&, const Hsl&) = default;
};
Hsl toHsl(Channels colour);
// The colour that hue (degrees, 0 <= hue < 360), saturation and lightness (percents) name, each
// channel rounded to the nearest.
Channels fromHsl(double hue, double saturation, double lightness);

class ColourForm {
  public:
    // The named forms, in the order a menu lists them within their groups: the five of old
    // first, then the CSS Color 4 functions, the design forms, the code forms and the name.
    static const QStringList& names();
    // Where a named form is listed: "Web", "Design" or "Code".
    static QString group(const QString& name);
    // A named form (case free), or a template: %{r} %{g} %{b} write a channel in decimal,
    // %{R} %{G} %{B} as two upper-case hex digits, %{h} %{s} %{l} the Hsl numbers, %% a %;
    // fields() lists them all. Nothing for an unknown %{...} or a lone %, with `why` naming it.
    static std::optional<ColourForm> make(const QString& nameOrTemplate, QString* why = nullptr);
    // Each field a template takes, as "%{name}", and what it writes.
    static const std::vector<std::pair<QString, QString>>& fields();
    ColourForm();  // html

    // The name, or the template as given.
    const QString& name() const { return m_name; }
    QString write(Channels colour) const;
    friend bool operator==(const ColourForm& a, const ColourForm& b) {
        return a.m_name == b.m_name;
    }

  private:
    explicit ColourForm(const QString& name) : m_name(name) {}
    QString m_name;
    // The template in pieces: text as it stands (field -1), or the index of a field.
    std::vector<std::pair<QString, int>> m_pieces;
    unsigned m_spaces = 0;  // the spaces the fields need, one bit each
};

// A number with `decimals` places and no sign on a zero, trailing zeros dropped with `trim`.
QString fixedNumber(double value, int decimals, bool trim);

// The html form, #RRGGBB in upper case, as every place but the window's HEX row writes it, and
// read back exactly so: seven characters, either case.
QString htmlHex(Channels colour);
std::optional<Channels> readHtmlHexExactly(QStringView text);

// What a reading may be told and may tell beside the colour.
struct ReadContext {
    // Six digits alone are a decimal number, not RRGGBB: where the decimal form was written.
    bool digitsAreDecimal = false;
    // Set to what was read but not used (an alpha, channels outside sRGB clipped).
    QString* note = nullptr;
};

// Any named form, the spaces around commas and inside parentheses free, the function and colour
// names in any case: #RRGGBB, RRGGBB, #RGB (#RGBA and #RRGGBBAA too), &HBBGGRR& (the closing &
// optional), 0xRRGGBB, the packed decimal number, R,G,B with each channel as the decimal boxes
// read it, every CSS Color 4 function (rgb, rgba, hsl, hsla, hwb, lab, lch, oklab, oklch, and
// color() in srgb, srgb-linear, xyz, xyz-d65 and xyz-d50) in its comma and its space syntax,
// with percentages, angle units, none as 0 and an alpha that is ignored, hsv(), cmyk(),
// QColor(), vec3() and the CSS colour names, near (≈ name) or not. Nothing, and in `why` one
// line saying what is wrong, for anything else.
std::optional<Channels> readColour(const QString& text, QString* why = nullptr,
                                   ReadContext context = {});

}  // namespace swatchly
