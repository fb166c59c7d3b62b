#pragma once
// The forms a colour is written in for other programs (HTML and VB hex, decimal, CSS rgb() and
// hsl(), or a template of the user's own), and the one reader that takes them all back, short
// hex and colour names too: for the command line and for Paste. The window's boxes keep their
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
    // The named forms, in the order a menu lists them: html, vb, rgb, css-rgb, css-hsl.
    static const QStringList& names();
    // A named form (case free), or a template: %{r} %{g} %{b} write a channel in decimal,
    // %{R} %{G} %{B} as two upper-case hex digits, %{h} %{s} %{l} the Hsl numbers, %% a %.
    // Nothing for an unknown %{...} or a lone %, with `why` naming it.
    static std::optional<ColourForm> make(const QString& nameOrTemplate, QString* why = nullptr);
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
    // The template in pieces: text as it stands, or a field's letter (a null text).
    std::vector<std::pair<QString, char>> m_pieces;
    bool m_usesHsl = false;
};

// The html form, #RRGGBB in upper case, as every place but the window's HEX row writes it, and
// read back exactly so: seven characters, either case.
QString htmlHex(Channels colour);
std::optional<Channels> readHtmlHexExactly(QStringView text);

// Any form above, the spaces around commas and inside parentheses free, the function and colour
// names in any case: #RRGGBB, RRGGBB, #RGB, &HBBGGRR& (the closing & optional), R,G,B with each
// channel as the decimal boxes read it, rgb(R, G, B) or rgb(R G B), hsl(H, S%, L%) or
// hsl(H S% L%), and the CSS colour names (orange, rebeccapurple). Nothing, and in `why` one line
// saying what is wrong, for anything else.
std::optional<Channels> readColour(const QString& text, QString* why = nullptr);

}  // namespace swatchly
