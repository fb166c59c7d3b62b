#include "colour/forms.h"

#include <QColor>
#include <cmath>
#include <string_view>

#include "colour/text_formats.h"

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

// ---- forms and templates

const QStringList& ColourForm::names() {
    static const QStringList names{"html", "vb", "rgb", "css-rgb", "css-hsl"};
    return names;
}

namespace {
// The letters of the fields, in their order of the Channels and the Hsl.
constexpr char kFields[] = "rgbRGBhsl";
// Each named form is a template.
const char* const kTemplates[] = {"#%{R}%{G}%{B}", "&H%{B}%{G}%{R}&", "%{r},%{g},%{b}",
                                  "rgb(%{r}, %{g}, %{b})", "hsl(%{h}, %{s}%%, %{l}%%)"};
}  // namespace

ColourForm::ColourForm() : ColourForm(*make(names().first())) {}

std::optional<ColourForm> ColourForm::make(const QString& nameOrTemplate, QString* why) {
    const qsizetype named = names().indexOf(nameOrTemplate.toLower());
    const QString text = named < 0 ? nameOrTemplate : QString::fromLatin1(kTemplates[named]);
    ColourForm form(named < 0 ? nameOrTemplate : names()[named]);
    QString literal;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            literal += text[i];
        } else if (text.mid(i + 1, 1) == u"%") {
            literal += u'%';
            ++i;
        } else if (const QString field = text.mid(i, 4);
                   field.size() == 4 && field[1] == u'{' && field[3] == u'}' &&
                   std::string_view(kFields).find(char(field[2].unicode())) !=
                       std::string_view::npos) {
            if (!literal.isEmpty()) form.m_pieces.emplace_back(std::exchange(literal, {}), 0);
            form.m_pieces.emplace_back(QString(), char(field[2].unicode()));
            form.m_usesHsl |= QStringLiteral("hsl").contains(field[2]);
            i += 3;
        } else {
            if (why) {
                const qsizetype end = text.indexOf(u'}', i);
                const QString bad = text.mid(i + 1, 1) == u"{" && end > 0 ? text.mid(i, end - i + 1)
                                                                          : QStringLiteral("%");
                *why = QStringLiteral(
                           "\"%1\" in the form \"%2\" is no field; the fields are "
                           "%{r} %{g} %{b} %{R} %{G} %{B} %{h} %{s} %{l}, and %% is a %")
                           .arg(bad, nameOrTemplate);
            }
            return std::nullopt;
        }
    }
    if (!literal.isEmpty()) form.m_pieces.emplace_back(literal, 0);
    if (std::none_of(form.m_pieces.begin(), form.m_pieces.end(),
                     [](const auto& piece) { return piece.second; })) {
        if (why)
            *why = QStringLiteral(
                       "\"%1\" is no form; give html, vb, rgb, css-rgb, css-hsl or a "
                       "template with fields such as %{r};%{g};%{b}")
                       .arg(nameOrTemplate);
        return std::nullopt;
    }
    return form;
}

QString ColourForm::write(Channels c) const {
    const Hsl hsl = m_usesHsl ? toHsl(c) : Hsl{};
    const int values[] = {c.red,  c.green, c.blue,         c.red,        c.green,
                          c.blue, hsl.hue, hsl.saturation, hsl.lightness};
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    QString out;
    out.reserve(24);
    for (const auto& [literal, field] : m_pieces) {
        const std::size_t at = std::string_view(kFields).find(field);
        if (at == std::string_view::npos) {
            out += literal;
        } else if (at >= 3 && at < 6) {  // R G B: two upper-case hex digits
            out += QChar(kHex[values[at] >> 4 & 15]);
            out += QChar(kHex[values[at] & 15]);
        } else {
            out += QString::number(values[at]);
        }
    }
    return out;
}

QString htmlHex(Channels colour) {
    static const ColourForm html;
    return html.write(colour);
}

// ---- the reader

namespace {

// Longer than any form a colour is written in, however spaced.
constexpr qsizetype kLongest = 100;

bool fail(QString* why, const QString& reason) {
    if (why) *why = reason;
    return false;
}

// The text as a message quotes it: shortened, and nothing that cannot be printed.
QString quoted(const QString& text) {
    QString shown = text.left(40);
    for (QChar& c : shown)
        if (!c.isPrint() || c.isSurrogate()) c = QChar::ReplacementCharacter;
    return u'"' + shown + (text.size() > 40 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

// Hex digits, all of them, two a channel or (three digits) one a channel, doubled.
bool readHexDigits(QStringView digits, Channels& c) {
    if (digits.size() != 6 && digits.size() != 3) return false;
    const int per = int(digits.size()) / 3;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(digits[i * per]), low = hexDigit(digits[i * per + per - 1]);
        if (high < 0 || low < 0) return false;
        v[i] = high * 16 + low;
    }
    c = {std::int16_t(v[0]), std::int16_t(v[1]), std::int16_t(v[2])};
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

// The three parts inside rgb( ) or hsl( ): by commas, or by blanks in the CSS 4 syntax.
QList<QStringView> partsWithin(QStringView inner) {
    QList<QStringView> parts;
    if (inner.contains(u','))
        parts = inner.split(u',');
    else
        for (QStringView p : inner.split(u' ', Qt::SkipEmptyParts)) parts += p.split(u'\t');
    for (QStringView& p : parts) p = p.trimmed();
    parts.removeAll(QStringView());
    return parts;
}

// A CSS number: a "." decimal wherever the user is; whole numbers read at once.
double cssNumber(QStringView text, bool* ok) {
    if (!text.isEmpty() && text.size() <= 3 &&
        std::all_of(text.begin(), text.end(), [](QChar d) { return d >= u'0' && d <= u'9'; })) {
        *ok = true;
        return text.toInt();
    }
    const double v = text.toDouble(ok);
    *ok = *ok && std::isfinite(v);
    return v;
}

bool readHsl(const QList<QStringView>& parts, Channels& c, QString* why) {
    double v[3];
    const char* const names[] = {"hue", "saturation", "lightness"};
    for (int i = 0; i < 3; ++i) {
        QStringView part = parts[i];
        if (i > 0 && part.endsWith(u'%')) part.chop(1);
        bool ok = false;
        v[i] = cssNumber(part, &ok);
        if (!ok) return false;
        const double top = i == 0 ? 360 : 100;
        if (v[i] < 0 || v[i] > top || (i == 0 && v[i] == 360))
            return fail(why, QStringLiteral("%1 %2 is outside 0..%3")
                                 .arg(QLatin1String(names[i]), parts[i],
                                      i == 0 ? QStringLiteral("359") : QStringLiteral("100%")));
    }
    c = fromHsl(v[0], v[1], v[2]);
    return true;
}

bool readChannels(const QList<QStringView>& parts, Channels& c, QString* why) {
    return parts.size() == 3 && readChannel(parts[0], c.red, why) &&
           readChannel(parts[1], c.green, why) && readChannel(parts[2], c.blue, why);
}

bool read(const QString& text, Channels& c, QString* why) {
    const QStringView t = QStringView(text).trimmed();
    if (t.isEmpty()) return fail(why, QStringLiteral("no colour: the text is empty"));
    if (t.size() > kLongest)
        return fail(why, QStringLiteral("the text is too long to be a colour"));
    if (t.startsWith(u'#')) return readHexDigits(t.mid(1), c);
    if (t.startsWith(u"&H")) {
        // Blue first; the closing & may be left out.
        QStringView digits = t.mid(2);
        if (digits.endsWith(u'&')) digits.chop(1);
        if (digits.size() != 6 || !readHexDigits(digits, c)) return false;
        std::swap(c.red, c.blue);
        return true;
    }
    if (t.size() == 6 && readHexDigits(t, c)) return true;
    const qsizetype open = t.indexOf(u'(');
    if (open > 0 && t.endsWith(u')')) {
        const QStringView function = t.left(open).trimmed();
        const QList<QStringView> parts = partsWithin(t.mid(open + 1, t.size() - open - 2));
        if (function.compare(u"hsl", Qt::CaseInsensitive) == 0)
            return parts.size() == 3 && readHsl(parts, c, why);
        return function.compare(u"rgb", Qt::CaseInsensitive) == 0 && readChannels(parts, c, why);
    }
    if (t.contains(u',')) return readChannels(t.split(u','), c, why);
    for (QChar ch : t)
        if (!(ch.isLetter() && ch.unicode() < 128)) return false;
    // The names Qt knows, SVG's, and the one CSS has added since. "transparent" is none to pick.
    const QString name = t.toString().toLower();
    const QColor named =
        QColor::fromString(name == u"rebeccapurple" ? QStringLiteral("#663399") : name);
    if (!named.isValid() || named.alpha() != 255) return false;
    c = {std::int16_t(named.red()), std::int16_t(named.green()), std::int16_t(named.blue())};
    return true;
}

}  // namespace

std::optional<Channels> readHtmlHexExactly(QStringView text) {
    Channels c;
    if (text.size() != 7 || !text.startsWith(u'#') || !readHexDigits(text.mid(1), c))
        return std::nullopt;
    return c;
}

std::optional<Channels> readColour(const QString& text, QString* why) {
    Channels c;
    QString reason;
    if (read(text, c, &reason)) return c;
    if (why)
        *why = !reason.isEmpty()
                   ? reason
                   : quoted(text.trimmed()) +
                         QStringLiteral(
                             " is not a colour: give #RRGGBB, &HBBGGRR&, R,G,B, rgb(), "
                             "hsl() or a name");
    return std::nullopt;
}

}  // namespace swatchly
