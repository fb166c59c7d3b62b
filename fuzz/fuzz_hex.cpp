// Any text through the HTML and the VB hex reader: a colour either accepts must write back as
// the same six digits, and the only error either may raise is the type mismatch of a bad pair.

#include <cstdint>
#include <cstdlib>

#include "colour/text_formats.h"
#include "runtime/runtime_error.h"

using namespace swatchly;

namespace {
template <typename Read, typename Write>
void roundTrip(const QString& text, Read read, Write sixDigits, QStringView prefix) {
    try {
        const auto c = read(text);
        if (!c) return;
        for (int v : {c->red, c->green, c->blue})
            if (v < 0 || v > 255) std::abort();
        const QString digits = text.startsWith(prefix) ? text.mid(prefix.size(), 6) : text;
        if (sixDigits(*c) != digits.toUpper()) std::abort();
    } catch (const RuntimeError& e) {
        if (e.number != 13) std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    roundTrip(
        text, readHtmlHex, [](Channels c) { return htmlHexText(c.red, c.green, c.blue).mid(1); },
        u"#");
    roundTrip(
        text, readVbHex, [](Channels c) { return vbHexText(c.red, c.green, c.blue).mid(2, 6); },
        u"&H");
    return 0;
}
