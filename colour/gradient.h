#pragma once
// Pure arithmetic of the gradient strip.

#include <array>
#include <cstdint>

namespace swatchly {

// One endpoint's red, green and blue as numbers.
using GradientEnd = std::array<double, 3>;

// The packed colour of column i of a strip `width` units wide that blends from `left` to
// `right`: each channel is left + (right - left) / width * (i + 1), rounded half to even, and
// then taken as RGB takes it (above 255 counts as 255). The factor i + 1 puts column 0 one step
// away from the left colour and, for a whole-number width, the last column on the right one.
// Throws as the 16-bit conversion and RGB do for a channel that rounds outside 0..32767.
std::int32_t gradientColumn(const GradientEnd& left, const GradientEnd& right, double width, int i);

}  // namespace swatchly
