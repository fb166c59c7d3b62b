// Any text through the HTML hex reader: a colour it accepts must write back as the same six
// digits, and the only error it may raise is the type mismatch of a bad pair.

#include <cstdint>
#include <cstdlib>

#include "runtime/runtime_error.h"
#include "colour/text_formats.h"

using namespace swatchly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const auto c = readHtmlHex(text);
        if (!c) return 0;
        for (int v : {c->red, c->green, c->blue})
            if (v < 0 || v > 255) std::abort();
        const QString digits = text.startsWith(u'#') ? text.mid(1, 6) : text;
        if (htmlHexText(c->red, c->green, c->blue) != u'#' + digits.toUpper()) std::abort();
    } catch (const RuntimeError& e) {
        if (e.number != 13) std::abort();
    }
    return 0;
}
