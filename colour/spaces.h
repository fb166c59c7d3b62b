#pragma once
// An 8-bit sRGB colour in the other spaces people write colours in, and back. Each way back
// rounds to the nearest 8-bit colour; a colour outside sRGB comes back with its channels clipped
// and `clipped` set.

#include <array>

#include "runtime/rgb.h"

namespace swatchly {

using Triple = std::array<double, 3>;

// sRGB's transfer function: an 8-bit channel as linear light 0..1, and linear light to the
// nearest 8-bit channel (0 below, 255 above).
double linearFromChannel(int channel);
int channelFromLinear(double linear);

struct Back {
    Channels colour;
    bool clipped = false;
};
// Red, green and blue 0..1 (gamma-encoded) to the nearest 8-bit colour.
Back fromUnit(const Triple& channels);
// Linear-light red, green and blue (each 0..1 in gamut) to the nearest 8-bit colour.
Back fromLinear(const Triple& linear);
Triple toLinear(Channels c);

// CIE XYZ relative to D65, Y of white 1.
Triple toXyzD65(Channels c);
Back fromXyzD65(const Triple& xyz);
Triple xyzD65FromD50(const Triple& xyz);  // Bradford

// CIELAB and its polar LCh, relative to D50 (as CSS lab() and lch() are): L 0..100.
Triple toLab(Channels c);
Back fromLab(const Triple& lab);
// Oklab: L 0..1.
Triple toOklab(Channels c);
Back fromOklab(const Triple& oklab);
// Lightness, chroma and hue in degrees 0 <= h < 360 (0 where the chroma is too small for the
// hue to mean anything) of a Lab-like triple, and back.
Triple toPolar(const Triple& lab);
Triple fromPolar(const Triple& lch);

// Hue (degrees, 0 <= hue < 360, 0 for greys) with saturation and value (HSV), whiteness and
// blackness (HWB), each 0..1, unrounded.
Triple toHsv(Channels c);
Triple toHwb(Channels c);
Back fromHsv(double hue, double saturation, double value);
Back fromHwb(double hue, double whiteness, double blackness);
// Cyan, magenta, yellow and black 0..1, as the naive conversion without an ink profile makes
// them.
std::array<double, 4> toCmyk(Channels c);
Back fromCmyk(const std::array<double, 4>& cmyk);

}  // namespace swatchly
