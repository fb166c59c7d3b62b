#pragma once
// The packed colour: one 32-bit integer red + green * 256 + blue * 65536, as every control's
// BackColor holds it. rgb() is the one way in and unpack() the one way out; everything else
// speaks of a colour as its Channels.

#include <cstdint>

#include "runtime/runtime_error.h"

namespace swatchly {

struct Channels {
    std::int16_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Channels&, const Channels&) = default;
};

// An argument above 255 counts as 255; a negative one throws an invalid call.
inline std::int32_t rgb(std::int16_t red, std::int16_t green, std::int16_t blue) {
    if (red < 0 || green < 0 || blue < 0) throw RuntimeError::invalidCall();
    auto clamp = [](std::int16_t c) { return static_cast<std::int32_t>(c > 255 ? 255 : c); };
    return clamp(red) + 256 * clamp(green) + 65536 * clamp(blue);
}

// Red is the remainder of the packed value by 256, green and blue those of its quotients by 256
// and 65536, with C++'s truncating division: for 0..16777215 the three bytes, low byte first,
// and any bits above them ignored; a negative value gives channels from -255 to 0, which no bar
// takes.
constexpr Channels unpack(std::int32_t packed) {
    return {static_cast<std::int16_t>(packed % 256), static_cast<std::int16_t>(packed / 256 % 256),
            static_cast<std::int16_t>(packed / 65536 % 256)};
}

}  // namespace swatchly
