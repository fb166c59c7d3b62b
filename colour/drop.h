#pragma once
// What a drop of the preview stores, from the channel texts it captured.

#include <cstdint>
#include <optional>

#include "runtime/variant.h"

namespace swatchly {

// RGB of the three captured channel texts, each converted to a 16-bit integer (empty gives 0,
// halves to even, above 255 counts as 255). Nothing when one of them is not a number, lies
// outside -32768..32767 or is negative; such a drop must change nothing.
std::optional<std::int32_t> dropColour(const Variant& red, const Variant& green,
                                       const Variant& blue);

}  // namespace swatchly
