#pragma once
// What a drag of a colour carries out of the window.

#include <QMimeData>
#include <cstdint>
#include <memory>

namespace swatchly {

// The colour for programs that take colours, its HTML hex text for programs that take text, and
// the mark of one of our own control drags. Drops inside the window read none of it.
std::unique_ptr<QMimeData> colourMimeData(std::int32_t packed);

}  // namespace swatchly
