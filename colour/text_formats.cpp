#include "colour/text_formats.h"

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

}  // namespace swatchly
