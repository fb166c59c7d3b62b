#include "colour/spaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace swatchly {

namespace {

using Matrix = std::array<Triple, 3>;

Triple times(const Matrix& m, const Triple& v) {
    Triple out{};
    for (int i = 0; i < 3; ++i) out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return out;
}

// The matrices CSS Color 4 publishes, so that lab() and oklab() text means what browsers take
// it to mean.
constexpr Matrix kLinearToXyz{{{0.41239079926595934, 0.357584339383878, 0.1804807884018343},
                               {0.21263900587151027, 0.715168678767756, 0.07219231536073371},
                               {0.01933081871559182, 0.11919477979462598, 0.9505321522496607}}};
constexpr Matrix kXyzToLinear{{{3.2409699419045226, -1.537383177570094, -0.4986107602930034},
                               {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
                               {0.05563007969699366, -0.20397695888897652, 1.0569715142428786}}};
constexpr Matrix kD65ToD50{{{1.0479298208405488, 0.022946793341019088, -0.05019222954313557},
                            {0.029627815688159344, 0.990434484573249, -0.01707382502938514},
                            {-0.009243058152591178, 0.015055144896577895, 0.7518742899580008}}};
constexpr Matrix kD50ToD65{{{0.9554734527042182, -0.023098536874261423, 0.0632593086610217},
                            {-0.028369706963208136, 1.0099954580058226, 0.021041398966943008},
                            {0.012314001688319899, -0.020507696433477912, 1.3303659366080753}}};
constexpr Triple kD50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
// Oklab's, from linear sRGB through the cone responses.
constexpr Matrix kLinearToLms{{{0.4122214708, 0.5363325363, 0.0514459929},
                               {0.2119034982, 0.6806995451, 0.1073969566},
                               {0.0883024619, 0.2817188376, 0.6299787005}}};
constexpr Matrix kLmsToOklab{{{0.2104542553, 0.7936177850, -0.0040720468},
                              {1.9779984951, -2.4285922050, 0.4505937099},
                              {0.0259040371, 0.7827717662, -0.8086757660}}};
constexpr Matrix kOklabToLms{{{1.0, 0.3963377774, 0.2158037573},
                              {1.0, -0.1055613458, -0.0638541728},
                              {1.0, -0.0894841775, -1.2914855480}}};
constexpr Matrix kLmsToLinear{{{4.0767416621, -3.3077115913, 0.2309699292},
                               {-1.2684380046, 2.6097574011, -0.3413193965},
                               {-0.0041960863, -0.7034186147, 1.7076147010}}};

double decode(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }

struct LinearTables {
    std::array<double, 256> linear;
    // The linear light halfway between two neighbouring channels, in encoded terms: a channel
    // is the count of these below its light.
    std::array<double, 255> between;
    LinearTables() {
        for (int i = 0; i < 256; ++i) linear[std::size_t(i)] = decode(i / 255.0);
        for (int i = 0; i < 255; ++i) between[std::size_t(i)] = decode((i + 0.5) / 255.0);
    }
};
const LinearTables& tables() {
    static const LinearTables t;
    return t;
}

}  // namespace

Back fromUnit(const Triple& channels01) {
    Back back;
    std::int16_t* out[] = {&back.colour.red, &back.colour.green, &back.colour.blue};
    for (int i = 0; i < 3; ++i) {
        const double v = std::round(channels01[i] * 255);
        // Half a step beyond the gamut is rounding; more is a colour sRGB does not hold.
        back.clipped |= !(channels01[i] > -0.5 / 255 && channels01[i] < 255.5 / 255);
        *out[i] = std::int16_t(std::isnan(v) ? 0 : std::clamp(v, 0.0, 255.0));
    }
    return back;
}

namespace {

double labF(double t) {
    constexpr double e = 216.0 / 24389, k = 24389.0 / 27;
    return t > e ? std::cbrt(t) : (k * t + 16) / 116;
}
double labFInverse(double f) {
    constexpr double e = 216.0 / 24389, k = 24389.0 / 27;
    return f * f * f > e ? f * f * f : (116 * f - 16) / k;
}

constexpr double kDegrees = 180 / std::numbers::pi;

// Hue in degrees and the max and min of the channels 0..1.
Triple hueMaxMin(Channels c) {
    const double r = c.red / 255.0, g = c.green / 255.0, b = c.blue / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b}), d = max - min;
    double hue = 0;
    if (d > 0) {
        if (max == r)
            hue = (g - b) / d + (g < b ? 6 : 0);
        else if (max == g)
            hue = (b - r) / d + 2;
        else
            hue = (r - g) / d + 4;
        hue *= 60;
    }
    return {hue, max, min};
}

}  // namespace

double linearFromChannel(int channel) { return tables().linear[std::size_t(channel & 255)]; }

int channelFromLinear(double linear) {
    const auto& between = tables().between;
    return int(std::lower_bound(between.begin(), between.end(), linear) - between.begin());
}

Triple toLinear(Channels c) {
    return {linearFromChannel(c.red), linearFromChannel(c.green), linearFromChannel(c.blue)};
}

Back fromLinear(const Triple& linear) {
    Back back;
    std::int16_t* out[] = {&back.colour.red, &back.colour.green, &back.colour.blue};
    for (int i = 0; i < 3; ++i) {
        const double v = std::isnan(linear[i]) ? 0 : linear[i];
        back.clipped |= v < -0.5 / 255 / 12.92 || v > 1 + 0.5 / 255 * 2.4;
        *out[i] = std::int16_t(channelFromLinear(v));
    }
    return back;
}

Triple toXyzD65(Channels c) { return times(kLinearToXyz, toLinear(c)); }
Back fromXyzD65(const Triple& xyz) { return fromLinear(times(kXyzToLinear, xyz)); }
Triple xyzD65FromD50(const Triple& xyz) { return times(kD50ToD65, xyz); }

Triple toLab(Channels c) {
    const Triple xyz = times(kD65ToD50, toXyzD65(c));
    const double fx = labF(xyz[0] / kD50White[0]), fy = labF(xyz[1]),
                 fz = labF(xyz[2] / kD50White[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Back fromLab(const Triple& lab) {
    const double fy = (lab[0] + 16) / 116, fx = fy + lab[1] / 500, fz = fy - lab[2] / 200;
    const Triple xyz{labFInverse(fx) * kD50White[0], labFInverse(fy),
                     labFInverse(fz) * kD50White[2]};
    return fromXyzD65(times(kD50ToD65, xyz));
}

Triple toOklab(Channels c) {
    Triple lms = times(kLinearToLms, toLinear(c));
    for (double& v : lms) v = std::cbrt(v);
    return times(kLmsToOklab, lms);
}

Back fromOklab(const Triple& oklab) {
    Triple lms = times(kOklabToLms, oklab);
    for (double& v : lms) v = v * v * v;
    return fromLinear(times(kLmsToLinear, lms));
}

Triple toPolar(const Triple& lab) {
    const double chroma = std::hypot(lab[1], lab[2]);
    double hue = std::atan2(lab[2], lab[1]) * kDegrees;
    if (hue < 0) hue += 360;
    // A grey's a and b are rounding noise: its hue would be too.
    if (chroma < 1e-7 * std::max(1.0, lab[0])) hue = 0;
    return {lab[0], chroma, hue >= 360 ? 0 : hue};
}

Triple fromPolar(const Triple& lch) {
    const double h = lch[2] / kDegrees, chroma = std::max(lch[1], 0.0);
    return {lch[0], chroma * std::cos(h), chroma * std::sin(h)};
}

Triple toHsv(Channels c) {
    const auto [hue, max, min] = hueMaxMin(c);
    return {hue, max > 0 ? (max - min) / max : 0, max};
}

Triple toHwb(Channels c) {
    const auto [hue, max, min] = hueMaxMin(c);
    return {hue, min, 1 - max};
}

Back fromHsv(double hue, double saturation, double value) {
    hue = std::fmod(std::fmod(hue, 360) + 360, 360) / 60;
    auto channel = [&](double n) {
        const double k = std::fmod(n + hue, 6);
        return value - value * saturation * std::clamp(std::min(k, 4 - k), 0.0, 1.0);
    };
    return fromUnit({channel(5), channel(3), channel(1)});
}

Back fromHwb(double hue, double whiteness, double blackness) {
    if (whiteness + blackness >= 1) {
        const double grey = whiteness / (whiteness + blackness);
        return fromUnit({grey, grey, grey});
    }
    const double value = 1 - blackness;
    return fromHsv(hue, 1 - whiteness / value, value);
}

std::array<double, 4> toCmyk(Channels c) {
    const double r = c.red / 255.0, g = c.green / 255.0, b = c.blue / 255.0;
    const double k = 1 - std::max({r, g, b});
    if (k >= 1) return {0, 0, 0, 1};
    return {(1 - r - k) / (1 - k), (1 - g - k) / (1 - k), (1 - b - k) / (1 - k), k};
}

Back fromCmyk(const std::array<double, 4>& cmyk) {
    const double k = 1 - cmyk[3];
    return fromUnit({(1 - cmyk[0]) * k, (1 - cmyk[1]) * k, (1 - cmyk[2]) * k});
}

}  // namespace swatchly
