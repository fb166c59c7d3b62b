#pragma once
// Pure arithmetic of the tone slider: where it stands for a colour, and how far a requested
// shift may move all three channels.

#include <algorithm>
#include <cstdint>

namespace swatchly {

// The middle one of the three channel values; with a tie it is the tied value.
constexpr int toneMedian(int red, int green, int blue) {
    return std::max(std::min(red, green), std::min(std::max(red, green), blue));
}

// The requested shift clamped so that no channel of (red, green, blue), each 0..255, leaves
// 0..255: into -lowest .. 255 - highest, a range that always holds 0.
constexpr int toneShift(std::int32_t wanted, int red, int green, int blue) {
    const int lowest = std::min({red, green, blue});
    const int highest = std::max({red, green, blue});
    std::int32_t d = wanted;
    if (d < -lowest) d = -lowest;
    if (d > 255 - highest) d = 255 - highest;
    return d;
}

}  // namespace swatchly
