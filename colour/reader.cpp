// The one reader of colour text: every form Swatchly writes, and CSS Color 4 as browsers take it.

#include <QVarLengthArray>
#include <charconv>
#include <cmath>
#include <numbers>

#include "colour/forms.h"
#include "colour/names.h"
#include "colour/spaces.h"
#include "colour/text_formats.h"

namespace swatchly {

namespace {

// Longer than any form a colour is written in, however spaced.
constexpr qsizetype kLongest = 160;

bool fail(QString* why, const QString& reason) {
    if (why) *why = reason;
    return false;
}

// The text as a message quotes it: shortened, and nothing that cannot be printed.
QString quoted(QStringView text) {
    QString shown = text.left(40).toString();
    for (QChar& c : shown)
        if (!c.isPrint() || c.isSurrogate()) c = QChar::ReplacementCharacter;
    return u'"' + shown + (text.size() > 40 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

struct Reader {
    QString* why;
    ReadContext context;

    bool note(const QString& what) const {
        if (context.note)
            *context.note += (context.note->isEmpty() ? QString() : QStringLiteral("; ")) + what;
        return true;
    }
    bool noteClipped(const Back& back, QStringView text, Channels& c) const {
        c = back.colour;
        if (back.clipped)
            note(QStringLiteral("%1 is outside sRGB: its nearest sRGB channels were taken")
                     .arg(quoted(text)));
        return true;
    }
};

// Hex digits, two a channel, or one a channel doubled; a fourth channel, the alpha, is counted
// in `alpha`.
bool readHexDigits(QStringView digits, Channels& c, bool* alpha = nullptr) {
    const qsizetype n = digits.size();
    const bool withAlpha = alpha && (n == 4 || n == 8);
    if (n != 6 && n != 3 && !withAlpha) return false;
    const int per = n % 3 == 0 ? int(n) / 3 : int(n) / 4;
    int v[4];
    for (int i = 0; i < (withAlpha ? 4 : 3); ++i) {
        const int high = hexDigit(digits[i * per]), low = hexDigit(digits[i * per + per - 1]);
        if (high < 0 || low < 0) return false;
        v[i] = high * 16 + low;
    }
    c = {std::int16_t(v[0]), std::int16_t(v[1]), std::int16_t(v[2])};
    if (alpha) *alpha = withAlpha && v[3] != 255;
    return true;
}

// A channel as the decimal boxes read it, but a blank or a number outside 0..255, which the
// boxes would correct, is refused. Whole numbers, as the forms write them, are read at once.
bool readChannel(QStringView part, std::int16_t& channel, QString* why) {
    const QStringView digits = part.trimmed();
    int value = 0;
    if (digits.isEmpty() || digits.size() > 3 ||
        !std::all_of(digits.begin(), digits.end(), [&](QChar d) {
            return d >= u'0' && d <= u'9' && (value = value * 10 + d.digitValue(), true);
        })) {
        const DecimalReading reading = readDecimalChannel(part.toString());
        if (!reading.value || digits.isEmpty()) return false;
        value = reading.text == part ? *reading.value : 256;
    }
    if (value > 255) return fail(why, QStringLiteral("channel %1 is outside 0..255").arg(digits));
    channel = std::int16_t(value);
    return true;
}

// One value inside a function's parentheses: a number, a percentage, an angle (in degrees) or
// none.
struct Value {
    enum Unit { Number, Percent, Angle, None } unit = Number;
    double number = 0;
    QStringView text;
};

bool readValue(QStringView text, Value& v) {
    v.text = text;
    if (text.compare(u"none", Qt::CaseInsensitive) == 0) {
        v.unit = Value::None;
        return true;
    }
    char latin[40];
    qsizetype n = 0;
    for (QChar ch : text) {
        if (ch.unicode() >= 128 || n == qsizetype(sizeof latin)) return false;
        latin[n++] = char(ch.unicode());
    }
    const char* begin = latin + (n > 0 && latin[0] == '+');
    // from_chars, unlike strtod, reads a "." whatever the user's locale.
    const auto [end, error] = std::from_chars(begin, latin + n, v.number);
    if (error != std::errc() || !std::isfinite(v.number)) return false;
    const std::string_view unit(end, std::size_t(latin + n - end));
    static constexpr std::pair<std::string_view, double> kAngles[] = {
        {"deg", 1}, {"grad", 0.9}, {"rad", 180 / std::numbers::pi}, {"turn", 360}};
    if (unit.empty()) return v.unit = Value::Number, true;
    if (unit == "%") return v.unit = Value::Percent, true;
    for (const auto& [name, degrees] : kAngles)
        if (unit.size() == name.size() &&
            std::equal(unit.begin(), unit.end(), name.begin(),
                       [](char a, char b) { return (a | 0x20) == b; })) {
            v.number *= degrees;
            return v.unit = Value::Angle, true;
        }
    return false;
}

struct Arguments {
    QVarLengthArray<QStringView, 5> parts;
    QStringView alpha;  // after a "/", or the fourth of a comma list
    bool commas = false;
};

// Inside the parentheses: by commas, or by blanks with "/ alpha" at the end (CSS Color 4).
Arguments argumentsWithin(QStringView inner) {
    Arguments args;
    args.commas = inner.contains(u',');
    QStringView components = inner;
    if (const qsizetype slash = inner.indexOf(u'/'); slash >= 0 && !args.commas) {
        components = inner.left(slash);
        args.alpha = inner.mid(slash + 1).trimmed();
        if (args.alpha.isEmpty()) args.alpha = u"/";  // a slash with nothing after it
    }
    if (args.commas) {
        for (QStringView part : components.split(u',')) args.parts.append(part.trimmed());
        return args;
    }
    qsizetype start = -1;
    for (qsizetype i = 0; i <= components.size(); ++i) {
        const bool gap = i == components.size() || components[i].isSpace();
        if (gap && start >= 0) args.parts.append(components.mid(start, i - start));
        if (gap)
            start = -1;
        else if (start < 0)
            start = i;
    }
    return args;
}

// A hue: a number of degrees or an angle, turned into 0 <= hue < 360; none is 0.
bool readHue(const Value& v, double& hue) {
    if (v.unit == Value::Percent) return false;
    hue = v.unit == Value::None ? 0 : std::fmod(std::fmod(v.number, 360) + 360, 360);
    return true;
}

// A share 0..100, written as a percentage or a number; none is 0.
bool readShare(const Value& v, double& share, const char* name, QString* why) {
    if (v.unit == Value::Angle) return false;
    share = v.unit == Value::None ? 0 : v.number;
    if (share < 0 || share > 100)
        return fail(why,
                    QStringLiteral("%1 %2 is outside 0..100%").arg(QLatin1String(name), v.text));
    return true;
}

// A number whose 100% is `full`; none is 0.
bool readScaled(const Value& v, double full, double& out) {
    if (v.unit == Value::Angle) return false;
    out = v.unit == Value::None ? 0 : v.unit == Value::Percent ? v.number / 100 * full : v.number;
    return true;
}

enum class Function {
    Rgb,
    Hsl,
    Hwb,
    Lab,
    Lch,
    Oklab,
    Oklch,
    Color,
    Hsv,
    Cmyk,
    QColor,
    Vec3,
    Vec4,
    None
};

Function functionNamed(QStringView name) {
    static constexpr std::pair<const char16_t*, Function> kNames[] = {
        {u"rgb", Function::Rgb},       {u"rgba", Function::Rgb},    {u"hsl", Function::Hsl},
        {u"hsla", Function::Hsl},      {u"hwb", Function::Hwb},     {u"lab", Function::Lab},
        {u"lch", Function::Lch},       {u"oklab", Function::Oklab}, {u"oklch", Function::Oklch},
        {u"color", Function::Color},   {u"hsv", Function::Hsv},     {u"cmyk", Function::Cmyk},
        {u"qcolor", Function::QColor}, {u"vec3", Function::Vec3},   {u"vec4", Function::Vec4}};
    for (const auto& [n, f] : kNames)
        if (name.compare(QStringView(n), Qt::CaseInsensitive) == 0) return f;
    return Function::None;
}

bool readFunction(const Reader& r, QStringView whole, QStringView function, QStringView inner,
                  Channels& c) {
    const Function f = functionNamed(function);
    if (f == Function::None) return false;
    Arguments args = argumentsWithin(inner);
    QStringView space;
    if (f == Function::Color) {
        if (args.commas || args.parts.isEmpty()) return false;
        space = args.parts.front();
        args.parts.erase(args.parts.begin());
    }
    // The last of four in a comma list, or of four in QColor() and vec4(), is the alpha.
    const qsizetype wanted = f == Function::Cmyk ? 4 : 3;
    if (args.parts.size() == wanted + 1 && (args.commas || f == Function::Vec4) &&
        args.alpha.isEmpty() && f != Function::Cmyk) {
        args.alpha = args.parts.back();
        args.parts.pop_back();
    }
    const QString shownName = function.toString().toLower() + QStringLiteral("()");
    if (args.parts.size() != wanted)
        return fail(r.why, QStringLiteral("%1 takes %2 values, not %3")
                               .arg(shownName,
                                    wanted == 4 ? QStringLiteral("four") : QStringLiteral("three"))
                               .arg(args.parts.size()));
    if (!args.alpha.isEmpty()) {
        Value alpha;
        if (!readValue(args.alpha, alpha) || alpha.unit == Value::Angle) return false;
        const bool opaque = alpha.unit == Value::Number
                                ? alpha.number >= (f == Function::QColor ? 255 : 1)
                                : alpha.unit == Value::Percent && alpha.number >= 100;
        if (!opaque)
            r.note(
                QStringLiteral("the alpha %1 is ignored: a colour here is opaque").arg(args.alpha));
    }

    if (f == Function::QColor)
        return readChannel(args.parts[0], c.red, r.why) &&
               readChannel(args.parts[1], c.green, r.why) &&
               readChannel(args.parts[2], c.blue, r.why);
    Value v[4];
    for (qsizetype i = 0; i < wanted; ++i)
        if (!readValue(args.parts[i], v[i]) && f != Function::Rgb) return false;

    switch (f) {
        case Function::Rgb: {
            std::int16_t* out[] = {&c.red, &c.green, &c.blue};
            for (int i = 0; i < 3; ++i) {
                if (v[i].unit == Value::Percent) {
                    if (v[i].number < 0 || v[i].number > 100)
                        return fail(r.why,
                                    QStringLiteral("channel %1 is outside 0..100%").arg(v[i].text));
                    *out[i] = std::int16_t(std::lround(v[i].number * 2.55));
                } else if (v[i].unit == Value::None) {
                    *out[i] = 0;
                } else if (!readChannel(args.parts[i], *out[i], r.why)) {  // as the boxes read it
                    return false;
                }
            }
            return true;
        }
        case Function::Hsl:
        case Function::Hsv:
        case Function::Hwb: {
            double hue, a, b;
            const char* const names[3][2] = {
                {"saturation", "lightness"}, {"saturation", "value"}, {"whiteness", "blackness"}};
            const int kind = f == Function::Hsl ? 0 : f == Function::Hsv ? 1 : 2;
            if (!readHue(v[0], hue)) return false;
            if (!readShare(v[1], a, names[kind][0], r.why) ||
                !readShare(v[2], b, names[kind][1], r.why))
                return false;
            if (f == Function::Hsl)
                c = fromHsl(hue, a, b);
            else
                c = (f == Function::Hsv ? fromHsv(hue, a / 100, b / 100)
                                        : fromHwb(hue, a / 100, b / 100))
                        .colour;
            return true;
        }
        case Function::Lab:
        case Function::Oklab:
        case Function::Lch:
        case Function::Oklch: {
            const bool ok = f == Function::Oklab || f == Function::Oklch,
                       polar = f == Function::Lch || f == Function::Oklch;
            Triple t;
            const double lightness = ok ? 1 : 100;
            if (!readScaled(v[0], lightness, t[0])) return false;
            t[0] = std::clamp(t[0], 0.0, lightness);
            if (polar) {
                if (!readScaled(v[1], ok ? 0.4 : 150, t[1]) || !readHue(v[2], t[2])) return false;
                t = fromPolar(t);
            } else if (!readScaled(v[1], ok ? 0.4 : 125, t[1]) ||
                       !readScaled(v[2], ok ? 0.4 : 125, t[2])) {
                return false;
            }
            return r.noteClipped(ok ? fromOklab(t) : fromLab(t), whole, c);
        }
        case Function::Color: {
            Triple t;
            for (int i = 0; i < 3; ++i)
                if (!readScaled(v[i], 1, t[i])) return false;
            auto is = [&](const char16_t* name) {
                return space.compare(QStringView(name), Qt::CaseInsensitive) == 0;
            };
            if (is(u"srgb")) return r.noteClipped(fromUnit(t), whole, c);
            if (is(u"srgb-linear")) return r.noteClipped(fromLinear(t), whole, c);
            if (is(u"xyz") || is(u"xyz-d65")) return r.noteClipped(fromXyzD65(t), whole, c);
            if (is(u"xyz-d50")) return r.noteClipped(fromXyzD65(xyzD65FromD50(t)), whole, c);
            return fail(r.why, QStringLiteral("color() in %1 is not read: give srgb, srgb-linear, "
                                              "xyz-d65 or xyz-d50")
                                   .arg(quoted(space)));
        }
        case Function::Cmyk: {
            std::array<double, 4> cmyk;
            // Written as fractions when every one is a plain number no more than 1, else percents.
            const bool fractions = std::all_of(v, v + 4, [](const Value& x) {
                return x.unit == Value::None || (x.unit == Value::Number && x.number <= 1);
            });
            const char* const names[] = {"cyan", "magenta", "yellow", "black"};
            for (int i = 0; i < 4; ++i) {
                Value share = v[i];
                if (fractions) share.number *= 100;
                if (!readShare(share, cmyk[std::size_t(i)], names[i], r.why)) return false;
                cmyk[std::size_t(i)] /= 100;
            }
            c = fromCmyk(cmyk).colour;
            return true;
        }
        case Function::Vec3:
        case Function::Vec4: {
            Triple t;
            for (int i = 0; i < 3; ++i) {
                if (!readScaled(v[i], 1, t[i])) return false;
                if (t[i] < 0 || t[i] > 1)
                    return fail(r.why, QStringLiteral("channel %1 is outside 0..1").arg(v[i].text));
            }
            c = fromUnit(t).colour;
            return true;
        }
        default:
            return false;
    }
}

bool allDigits(QStringView t) {
    return std::all_of(t.begin(), t.end(), [](QChar d) { return d >= u'0' && d <= u'9'; });
}

bool read(const Reader& r, const QString& text, Channels& c) {
    QStringView t = QStringView(text).trimmed();
    if (t.isEmpty()) return fail(r.why, QStringLiteral("no colour: the text is empty"));
    if (t.size() > kLongest)
        return fail(r.why, QStringLiteral("the text is too long to be a colour"));
    if (t.startsWith(u'#')) {
        bool alpha = false;
        if (!readHexDigits(t.mid(1), c, &alpha)) return false;
        if (alpha)
            r.note(QStringLiteral("the alpha of %1 is ignored: a colour here is opaque").arg(t));
        return true;
    }
    if (t.startsWith(u"&H")) {
        // Blue first; the closing & may be left out.
        QStringView digits = t.mid(2);
        if (digits.endsWith(u'&')) digits.chop(1);
        if (digits.size() != 6 || !readHexDigits(digits, c)) return false;
        std::swap(c.red, c.blue);
        return true;
    }
    if (t.startsWith(u"0x", Qt::CaseInsensitive) && t.size() == 8)
        return readHexDigits(t.mid(2), c);
    if (allDigits(t) && (t.size() != 6 || r.context.digitsAreDecimal)) {
        const long packed = t.size() <= 8 ? t.toLong() : 1L << 24;
        if (packed > 0xFFFFFF)
            return fail(
                r.why,
                QStringLiteral("%1 is above 16777215, the largest colour number").arg(quoted(t)));
        c = {std::int16_t(packed >> 16), std::int16_t(packed >> 8 & 255),
             std::int16_t(packed & 255)};
        return true;
    }
    if (t.size() == 6 && readHexDigits(t, c)) return true;
    const qsizetype open = t.indexOf(u'(');
    if (open > 0 && t.endsWith(u')'))
        return readFunction(r, t, t.left(open).trimmed(), t.mid(open + 1, t.size() - open - 2), c);
    if (t.contains(u',')) {
        const QList<QStringView> parts = t.split(u',');
        return parts.size() == 3 && readChannel(parts[0], c.red, r.why) &&
               readChannel(parts[1], c.green, r.why) && readChannel(parts[2], c.blue, r.why);
    }
    // A name, or a near one as the name form writes it.
    if (t.startsWith(kNearMark)) t = t.mid(1).trimmed();
    const std::optional<Channels> named = colourOfName(t);
    if (named) c = *named;
    return named.has_value();
}

}  // namespace

std::optional<Channels> readHtmlHexExactly(QStringView text) {
    Channels c;
    if (text.size() != 7 || !text.startsWith(u'#') || !readHexDigits(text.mid(1), c))
        return std::nullopt;
    return c;
}

std::optional<Channels> readColour(const QString& text, QString* why, ReadContext context) {
    Channels c;
    QString reason;
    if (context.note) context.note->clear();
    if (read(Reader{&reason, context}, text, c)) return c;
    if (context.note) context.note->clear();
    if (why)
        *why = !reason.isEmpty()
                   ? reason
                   : quoted(QStringView(text).trimmed()) +
                         QStringLiteral(
                             " is not a colour: give #RRGGBB, &HBBGGRR&, R,G,B, a CSS colour "
                             "such as rgb(), hsl() or oklch(), or a name");
    return std::nullopt;
}

}  // namespace swatchly
