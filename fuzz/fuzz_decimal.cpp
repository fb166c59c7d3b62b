// Any text through the decimal channel reader: it never raises, its value stays in 0..255, and
// the box ends as typed, "0" or "255", with "0" whenever there is no value.

#include <cstdint>
#include <cstdlib>

#include "colour/text_formats.h"

using namespace swatchly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DecimalReading r = readDecimalChannel(text);
    if (r.value && (*r.value < 0 || *r.value > 255)) std::abort();
    if (!r.value && r.text != u'0') std::abort();
    if (r.text != text && r.text != u'0' && r.text != QLatin1String("255")) std::abort();
    // What the box now holds reads again to the same value, unchanged.
    const DecimalReading again = readDecimalChannel(r.text);
    if (r.value && (again.value != r.value || again.text != r.text)) std::abort();
    return 0;
}
