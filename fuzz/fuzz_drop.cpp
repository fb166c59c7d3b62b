// Three captured channel texts (the input split at newlines) through the drop conversion: it
// never raises, and a colour it gives is a packed colour whose channels match each text's own
// conversion, above 255 counting as 255.

#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "colour/drop.h"
#include "runtime/runtime_error.h"

using namespace swatchly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .split(u'\n');
    Variant channel[3];
    for (int i = 0; i < 3 && i < parts.size(); ++i) channel[i] = parts[i];
    const auto colour = dropColour(channel[0], channel[1], channel[2]);
    if (!colour) return 0;
    if (*colour < 0 || *colour > 0xFFFFFF) std::abort();
    for (int i = 0; i < 3; ++i) {
        const int expected = std::min<int>(toInt16(channel[i]), 255);  // converted once already
        if (((*colour >> (8 * i)) & 0xFF) != expected) std::abort();
    }
    return 0;
}
