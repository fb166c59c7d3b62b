#include "colour/forms.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "colour/names.h"
#include "colour/spaces.h"

namespace swatchly {

// ---- HSL

Hsl toHsl(Channels c) {
    // In whole numbers, so that a half is a half: each value is a fraction rounded half up.
    const int max = std::max({c.red, c.green, c.blue}), min = std::min({c.red, c.green, c.blue});
    const int sum = max + min, d = max - min;
    auto rounded = [](long numerator, long denominator) {
        return int((2 * numerator + denominator) / (2 * denominator));
    };
    Hsl hsl;
    hsl.lightness = rounded(100L * sum, 510);
    if (d == 0) return hsl;
    hsl.saturation = rounded(100L * d, sum <= 255 ? sum : 510 - sum);
    long sixths;  // 60 degrees times the sextant's offset, as a fraction of d
    if (max == c.red)
        sixths = 60L * (c.green - c.blue) + (c.green < c.blue ? 360L * d : 0);
    else if (max == c.green)
        sixths = 60L * (c.blue - c.red) + 120L * d;
    else
        sixths = 60L * (c.red - c.green) + 240L * d;
    hsl.hue = rounded(sixths, d) % 360;
    return hsl;
}

Channels fromHsl(double hue, double saturation, double lightness) {
    const double s = saturation / 100, l = lightness / 100;
    const double high = l <= 0.5 ? l * (s + 1) : l + s - l * s, low = 2 * l - high;
    auto channel = [&](double h) {
        h = std::fmod(h + 360, 360);
        double v = low;
        if (h < 60)
            v = low + (high - low) * h / 60;
        else if (h < 180)
            v = high;
        else if (h < 240)
            v = low + (high - low) * (240 - h) / 60;
        return std::int16_t(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return {channel(hue + 120), channel(hue), channel(hue - 120)};
}

// ---- numbers

QString fixedNumber(double value, int decimals, bool trim) {
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    long long scaled = std::llround(value * kScale[decimals]);
    // Written by hand: QString::number would take most of a form's microsecond.
    char digits[32];
    char* end = digits + sizeof digits;
    char* at = end;
    const bool negative = scaled < 0;
    unsigned long long v =
        negative ? 0ULL - (unsigned long long)(scaled) : (unsigned long long)scaled;
    int places = decimals;
    if (trim)
        while (places > 0 && v % 10 == 0 && v != 0) v /= 10, --places;
    if (trim && v == 0) places = 0;
    for (int i = 0; i < places; ++i, v /= 10) *--at = char('0' + v % 10);
    if (places > 0) *--at = '.';
    do *--at = char('0' + v % 10);
    while (v /= 10);
    if (negative && scaled != 0) *--at = '-';
    return QString::fromLatin1(at, end - at);
}

// ---- forms and templates

namespace {

// What a field is taken from: each space is worked out once a write, and only when a field of
// the form needs it.
enum Space : unsigned {
    kChannel,
    kHexPair,
    kHsl,
    kHexLower,
    kPacked,
    kUnit,
    kHsv,
    kHwb,
    kLab,
    kLch,
    kOklab,
    kOklch,
    kCmyk,
    kXyz,
    kName,
    kSpaces
};

struct Field {
    const char* name;
    Space space;
    int index;
    double scale;
    // Enough places for every colour to read back as itself (bench/forms.cpp proves each).
    int decimals;
    bool trim;
    const char* what;
};

constexpr Field kFieldTable[] = {
    {"r", kChannel, 0, 1, 0, true, "red 0..255"},
    {"g", kChannel, 1, 1, 0, true, "green 0..255"},
    {"b", kChannel, 2, 1, 0, true, "blue 0..255"},
    {"R", kHexPair, 0, 1, 0, true, "red as two hex digits, upper case"},
    {"G", kHexPair, 1, 1, 0, true, "green as two hex digits"},
    {"B", kHexPair, 2, 1, 0, true, "blue as two hex digits"},
    {"h", kHsl, 0, 1, 0, true, "HSL hue, whole degrees"},
    {"s", kHsl, 1, 1, 0, true, "HSL saturation, whole percents"},
    {"l", kHsl, 2, 1, 0, true, "HSL lightness, whole percents"},
    {"hex", kHexLower, 0, 1, 0, true, "RRGGBB in lower case"},
    {"decimal", kPacked, 0, 1, 0, true, "red * 65536 + green * 256 + blue"},
    {"rf", kUnit, 0, 1, 3, false, "red 0..1"},
    {"gf", kUnit, 1, 1, 3, false, "green 0..1"},
    {"bf", kUnit, 2, 1, 3, false, "blue 0..1"},
    {"hue", kHsv, 0, 1, 2, true, "HSV and HWB hue, degrees"},
    {"hsv.s", kHsv, 1, 100, 1, true, "HSV saturation, percents"},
    {"hsv.v", kHsv, 2, 100, 1, true, "HSV value, percents"},
    {"hwb.w", kHwb, 1, 100, 1, true, "HWB whiteness, percents"},
    {"hwb.b", kHwb, 2, 100, 1, true, "HWB blackness, percents"},
    {"lab.l", kLab, 0, 1, 2, true, "CIELAB (D50) lightness 0..100"},
    {"lab.a", kLab, 1, 1, 2, true, "CIELAB a"},
    {"lab.b", kLab, 2, 1, 2, true, "CIELAB b"},
    {"lch.c", kLch, 1, 1, 2, true, "CIE LCh chroma"},
    {"lch.h", kLch, 2, 1, 2, true, "CIE LCh hue, degrees"},
    {"L", kOklch, 0, 1, 5, true, "Oklab and OKLCH lightness 0..1"},
    {"C", kOklch, 1, 1, 5, true, "OKLCH chroma"},
    {"H", kOklch, 2, 1, 2, true, "OKLCH hue, degrees"},
    {"oklab.a", kOklab, 1, 1, 5, true, "Oklab a"},
    {"oklab.b", kOklab, 2, 1, 5, true, "Oklab b"},
    {"cmyk.c", kCmyk, 0, 100, 1, true, "cyan, percents"},
    {"cmyk.m", kCmyk, 1, 100, 1, true, "magenta, percents"},
    {"cmyk.y", kCmyk, 2, 100, 1, true, "yellow, percents"},
    {"cmyk.k", kCmyk, 3, 100, 1, true, "black, percents"},
    {"xyz.x", kXyz, 0, 1, 5, true, "CIE XYZ (D65) X, white's Y 1"},
    {"xyz.y", kXyz, 1, 1, 5, true, "CIE XYZ Y"},
    {"xyz.z", kXyz, 2, 1, 5, true, "CIE XYZ Z"},
    {"name", kName, 0, 1, 0, true, "the nearest CSS colour name"},
};

struct NamedForm {
    const char* name;
    const char* group;
    const char* text;
};
constexpr NamedForm kForms[] = {
    {"html", "Web", "#%{R}%{G}%{B}"},
    {"vb", "Code", "&H%{B}%{G}%{R}&"},
    {"rgb", "Design", "%{r},%{g},%{b}"},
    {"css-rgb", "Web", "rgb(%{r}, %{g}, %{b})"},
    {"css-hsl", "Web", "hsl(%{h}, %{s}%%, %{l}%%)"},
    {"css-hwb", "Web", "hwb(%{hue} %{hwb.w}%% %{hwb.b}%%)"},
    {"css-lab", "Web", "lab(%{lab.l} %{lab.a} %{lab.b})"},
    {"css-lch", "Web", "lch(%{lab.l} %{lch.c} %{lch.h})"},
    {"css-oklab", "Web", "oklab(%{L} %{oklab.a} %{oklab.b})"},
    {"css-oklch", "Web", "oklch(%{L} %{C} %{H})"},
    {"hsv", "Design", "hsv(%{hue}, %{hsv.s}%%, %{hsv.v}%%)"},
    {"cmyk", "Design", "cmyk(%{cmyk.c}%%, %{cmyk.m}%%, %{cmyk.y}%%, %{cmyk.k}%%)"},
    {"xyz", "Design", "color(xyz-d65 %{xyz.x} %{xyz.y} %{xyz.z})"},
    {"hex", "Web", "#%{hex}"},
    {"hex-int", "Code", "0x%{R}%{G}%{B}"},
    {"decimal", "Code", "%{decimal}"},
    {"qt", "Code", "QColor(%{r}, %{g}, %{b})"},
    {"vec3", "Code", "vec3(%{rf}, %{gf}, %{bf})"},
    {"name", "Web", "%{name}"},
};

int fieldNamed(QStringView name) {
    for (int i = 0; i < int(std::size(kFieldTable)); ++i)
        if (name == QLatin1String(kFieldTable[i].name)) return i;
    return -1;
}

}  // namespace

const QStringList& ColourForm::names() {
    static const QStringList names = [] {
        QStringList list;
        for (const NamedForm& form : kForms) list << QString::fromLatin1(form.name);
        return list;
    }();
    return names;
}

QString ColourForm::group(const QString& name) {
    const qsizetype at = names().indexOf(name);
    return at < 0 ? QString() : QString::fromLatin1(kForms[at].group);
}

const std::vector<std::pair<QString, QString>>& ColourForm::fields() {
    static const std::vector<std::pair<QString, QString>> fields = [] {
        std::vector<std::pair<QString, QString>> list;
        for (const Field& f : kFieldTable)
            list.emplace_back(QStringLiteral("%{%1}").arg(QLatin1String(f.name)),
                              QString::fromLatin1(f.what));
        return list;
    }();
    return fields;
}

ColourForm::ColourForm() : ColourForm(*make(names().first())) {}

std::optional<ColourForm> ColourForm::make(const QString& nameOrTemplate, QString* why) {
    const qsizetype named = names().indexOf(nameOrTemplate.toLower());
    const QString text = named < 0 ? nameOrTemplate : QString::fromLatin1(kForms[named].text);
    ColourForm form(named < 0 ? nameOrTemplate : names()[named]);
    QString literal;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text.mid(i, 2) == u"%{" ? text.indexOf(u'}', i) : -1;
        const int field = close > 0 ? fieldNamed(QStringView(text).mid(i + 2, close - i - 2)) : -1;
        if (text[i] != u'%') {
            literal += text[i];
        } else if (text.mid(i + 1, 1) == u"%") {
            literal += u'%';
            ++i;
        } else if (field >= 0) {
            if (!literal.isEmpty()) form.m_pieces.emplace_back(std::exchange(literal, {}), -1);
            form.m_pieces.emplace_back(QString(), field);
            form.m_spaces |= 1u << kFieldTable[field].space;
            i = close;
        } else {
            if (why) {
                const QString bad = close > 0 ? text.mid(i, close - i + 1) : QStringLiteral("%");
                QStringList all;
                for (const auto& f : fields()) all << f.first;
                *why = QStringLiteral(
                           "\"%1\" in the form \"%2\" is no field; the fields are "
                           "%3, and %% is a %")
                           .arg(bad, nameOrTemplate, all.join(u' '));
            }
            return std::nullopt;
        }
    }
    if (!literal.isEmpty()) form.m_pieces.emplace_back(literal, -1);
    if (std::none_of(form.m_pieces.begin(), form.m_pieces.end(),
                     [](const auto& piece) { return piece.second >= 0; })) {
        if (why)
            *why = QStringLiteral(
                       "\"%1\" is no form; give one of %2, or a template with fields such as "
                       "%{r};%{g};%{b}")
                       .arg(nameOrTemplate, names().join(QStringLiteral(", ")));
        return std::nullopt;
    }
    return form;
}

QString ColourForm::write(Channels c) const {
    auto needs = [this](Space s) { return (m_spaces >> s & 1) != 0; };
    std::array<Triple, kSpaces> values{};
    values[kChannel] = {double(c.red), double(c.green), double(c.blue)};
    values[kUnit] = {c.red / 255.0, c.green / 255.0, c.blue / 255.0};
    if (needs(kHsl)) {
        const Hsl hsl = toHsl(c);
        values[kHsl] = {double(hsl.hue), double(hsl.saturation), double(hsl.lightness)};
    }
    if (needs(kHsv)) values[kHsv] = toHsv(c);
    if (needs(kHwb)) values[kHwb] = toHwb(c);
    if (needs(kLab) || needs(kLch)) values[kLch] = toPolar(values[kLab] = toLab(c));
    if (needs(kOklab) || needs(kOklch)) values[kOklch] = toPolar(values[kOklab] = toOklab(c));
    std::array<double, 4> cmyk{};
    if (needs(kCmyk)) cmyk = toCmyk(c);
    if (needs(kXyz)) values[kXyz] = toXyzD65(c);

    static constexpr char16_t kHex[] = u"0123456789ABCDEF", kLowerHex[] = u"0123456789abcdef";
    const int bytes[] = {c.red, c.green, c.blue};
    QString out;
    out.reserve(40);
    for (const auto& [literal, at] : m_pieces) {
        if (at < 0) {
            out += literal;
            continue;
        }
        const Field& f = kFieldTable[at];
        switch (f.space) {
            case kHexPair:
                out += QChar(kHex[bytes[f.index] >> 4 & 15]);
                out += QChar(kHex[bytes[f.index] & 15]);
                break;
            case kHexLower:
                for (int b : bytes)
                    out += QChar(kLowerHex[b >> 4 & 15]), out += QChar(kLowerHex[b & 15]);
                break;
            case kPacked:
                out += QString::number(c.red * 65536 + c.green * 256 + c.blue);
                break;
            case kName:
                out += nameText(c);
                break;
            case kCmyk:
                out += fixedNumber(cmyk[std::size_t(f.index)] * f.scale, f.decimals, f.trim);
                break;
            default:
                out += fixedNumber(values[f.space][std::size_t(f.index)] * f.scale, f.decimals,
                                   f.trim);
        }
    }
    return out;
}

QString htmlHex(Channels colour) {
    static const ColourForm html;
    return html.write(colour);
}

}  // namespace swatchly
