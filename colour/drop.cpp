#include "colour/drop.h"

#include "runtime/rgb.h"
#include "runtime/runtime_error.h"

namespace swatchly {

std::optional<std::int32_t> dropColour(const Variant& red, const Variant& green,
                                       const Variant& blue) {
    // All three are converted before anything is written, so a bad one leaves no trace.
    try {
        return rgb(toInt16(red), toInt16(green), toInt16(blue));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace swatchly
