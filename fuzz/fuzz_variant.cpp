// Any text through the numeric test and the conversions: nothing may crash, and the
// conversions must agree with each other.

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "runtime/runtime_error.h"
#include "runtime/variant.h"

using namespace swatchly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto number = parseNumber(text);
    if (isNumeric(text) != number.has_value()) std::abort();
    try {
        const std::int16_t i = toInt16(Variant(text));
        // Only numeric text converts, to its value rounded half to even.
        if (!number || roundHalfEven(*number) != i) std::abort();
    } catch (const RuntimeError& e) {
        if (number ? e.number != 6 : e.number != 13) std::abort();
        if (number && std::fabs(roundHalfEven(*number)) <= 32767 &&
            roundHalfEven(*number) != -32768)
            std::abort();
    }
    const double v = val(text);
    if (!std::isfinite(v)) std::abort();
    try {
        (void)hex(Variant(text));
    } catch (const RuntimeError& e) {
        if (e.number != 6 && e.number != 13) std::abort();
    }
    (void)trim(text);
    return 0;
}
