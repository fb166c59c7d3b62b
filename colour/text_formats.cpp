#include "colour/text_formats.h"

#include "runtime/runtime_error.h"

namespace swatchly {

QString hexPair(const Variant& value) {
    QString digits = hex(value);
    if (digits.size() < 2) digits.prepend(u'0');
    return digits;
}

QString htmlHexText(const Variant& red, const Variant& green, const Variant& blue) {
    return u'#' + hexPair(red) + hexPair(green) + hexPair(blue);
}

QString vbHexText(const Variant& red, const Variant& green, const Variant& blue) {
    return QStringLiteral("&H") + hexPair(blue) + hexPair(green) + hexPair(red) + u'&';
}

std::int16_t readHexPair(QStringView pair) {
    // A pair is two digits or it is not a colour: no blank, sign or third digit.
    const int high = pair.size() == 2 ? hexDigit(pair[0]) : -1;
    const int low = pair.size() == 2 ? hexDigit(pair[1]) : -1;
    if (high < 0 || low < 0) throw RuntimeError::typeMismatch();
    return static_cast<std::int16_t>(high * 16 + low);
}

std::optional<Channels> readHtmlHex(const QString& text) {
    QStringView t(text);
    if (t.startsWith(u'#')) t = t.mid(1, 6);
    if (t.size() != 6) return std::nullopt;
    Channels c;
    c.red = readHexPair(t.mid(0, 2));
    c.green = readHexPair(t.mid(2, 2));
    c.blue = readHexPair(t.mid(4, 2));
    return c;
}

std::optional<Channels> readVbHex(const QString& text) {
    QStringView t(text);
    if (t.startsWith(u"&H")) t = t.mid(2, 6);
    if (t.size() != 6) return std::nullopt;
    Channels c;
    c.red = readHexPair(t.mid(4, 2));
    c.green = readHexPair(t.mid(2, 2));
    c.blue = readHexPair(t.mid(0, 2));
    return c;
}

DecimalReading readDecimalChannel(const QString& typed) {
    // Each test looks at the text as the step before left it.
    QString text = typed;
    if (trim(text).isEmpty()) text = QStringLiteral("0");
    if (!isNumeric(text)) return {QStringLiteral("0"), std::nullopt};
    if (*parseNumber(text) < 0) text = QStringLiteral("0");
    if (*parseNumber(text) > 255) text = QStringLiteral("255");
    return {text, toInt16(Variant(text))};
}

}  // namespace swatchly
