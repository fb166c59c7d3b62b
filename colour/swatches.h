#pragma once
// The drop contract and the data a drag of the preview carries; no window needed.

#include <QMimeData>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/runtime/variant.h"

namespace swatchly {

// The colour a drop stores: RGB of the three captured channel texts, each converted to a 16-bit
// integer (empty gives 0, halves to even, above 255 counts as 255). Nothing when one of them is
// not a number, lies outside -32768..32767 or is negative; such a drop must change nothing.
std::optional<std::int32_t> dropColour(const Variant& red, const Variant& green,
                                       const Variant& blue);

// What a drag of the preview carries: the colour for programs that take colours, its HTML hex
// text for programs that take text, and the mark of one of our own control drags. Drops inside
// the window read none of it.
std::unique_ptr<QMimeData> colourMimeData(std::int32_t packed);

}  // namespace swatchly
