#include "runtime/variant.h"

#include <QLocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/runtime_error.h"

namespace swatchly {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Digits of a hexadecimal literal as the literal's value: up to four digits are a 16-bit
// value, up to eight a 32-bit one (so &HFFFF is -1 and &HFFFFFFFF is -1 too).
std::optional<double> hexLiteral(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    if (digits.size() <= 4) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(value);
}

std::optional<double> localeNumber(const QLocale& locale, const QString& text) {
    bool ok = false;
    const double d = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

}  // namespace

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    return -1;
}

double roundHalfEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<double> parseNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    if (t.size() >= 2 && t[0] == u'&' && (t[1] == u'H' || t[1] == u'h'))
        return hexLiteral(QStringView(t).mid(2));
    // Digits only, no letters that a locale might read as infinity or not-a-number.
    for (QChar c : t)
        if (c.isLetter() && c != u'e' && c != u'E') return std::nullopt;
    // The user's locale first, so that a German "1.000" is a thousand; a plain "." decimal
    // that it cannot read ("12.5" groups nothing anywhere) still counts.
    if (auto d = localeNumber(QLocale(), t)) return d;
    static const QLocale plain = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    return localeNumber(plain, t);
}

bool isNumeric(const QString& text) { return parseNumber(text).has_value(); }

double val(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c)) s.append(c);
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H' || kind == u'O') {
            const int base = kind == u'H' ? 16 : 8;
            qsizetype end = 2;
            while (end < s.size() && hexDigit(s[end]) >= 0 && hexDigit(s[end]) < base) ++end;
            const QStringView digits = QStringView(s).mid(2, end - 2);
            if (base == 16) {
                if (auto v = hexLiteral(digits.left(8))) return *v;
                return 0;
            }
            std::uint32_t value = 0;
            for (QChar c : digits.left(11))
                value = value * 8 + static_cast<std::uint32_t>(c.unicode() - u'0');
            if (digits.size() <= 6 && value <= 0xFFFF)
                return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
            return static_cast<std::int32_t>(value);
        }
        return 0;
    }
    // The longest prefix of the shape [sign] digits [. digits] [e|d [sign] digits].
    qsizetype i = 0;
    std::string number;
    auto digitsAt = [&](qsizetype& pos) {
        const qsizetype start = pos;
        while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128)
            number.push_back(static_cast<char>(s[pos++].unicode()));
        return pos - start;
    };
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number.push_back(static_cast<char>(s[i++].unicode()));
    qsizetype mantissa = digitsAt(i);
    if (i < s.size() && s[i] == u'.') {
        number.push_back('.');
        ++i;
        mantissa += digitsAt(i);
    }
    if (mantissa == 0) return 0;
    if (i < s.size() && (s[i].toLower() == u'e' || s[i].toLower() == u'd')) {
        const std::string kept = number;
        qsizetype j = i + 1;
        number.push_back('e');
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            number.push_back(static_cast<char>(s[j++].unicode()));
        if (digitsAt(j) == 0) number = kept;
    }
    const double d = std::strtod(number.c_str(), nullptr);
    return std::isfinite(d) ? d : 0;
}

QString trim(const QString& text) {
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == u' ') ++start;
    while (end > start && text[end - 1] == u' ') --end;
    return text.mid(start, end - start);
}

QString Variant::toString() const {
    switch (kind()) {
        case Kind::Empty:
            return {};
        case Kind::Integer:
            return QString::number(std::get<std::int16_t>(m_value));
        case Kind::Long:
            return QString::number(std::get<std::int32_t>(m_value));
        case Kind::Double:
            return QString::number(std::get<double>(m_value), 'g', 15);
        case Kind::String:
            return std::get<QString>(m_value);
    }
    return {};
}

double Variant::toDouble() const {
    switch (kind()) {
        case Kind::Empty:
            return 0;
        case Kind::Integer:
            return std::get<std::int16_t>(m_value);
        case Kind::Long:
            return std::get<std::int32_t>(m_value);
        case Kind::Double:
            return std::get<double>(m_value);
        case Kind::String:
            if (auto d = parseNumber(std::get<QString>(m_value))) return *d;
            throw RuntimeError::typeMismatch();
    }
    return 0;
}

namespace {
template <typename Int>
Int toInt(const Variant& v) {
    const double rounded = roundHalfEven(v.toDouble());
    if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()))
        throw RuntimeError::overflow();
    return static_cast<Int>(rounded);
}
}  // namespace

std::int16_t toInt16(const Variant& v) { return toInt<std::int16_t>(v); }
std::int32_t toInt32(const Variant& v) { return toInt<std::int32_t>(v); }

QString hex(const Variant& v) {
    if (v.kind() == Variant::Kind::Integer)
        return QString::number(static_cast<std::uint16_t>(toInt16(v)), 16).toUpper();
    return QString::number(static_cast<std::uint32_t>(toInt32(v)), 16).toUpper();
}

}  // namespace swatchly
