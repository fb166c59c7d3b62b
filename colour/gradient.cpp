#include "colour/gradient.h"

#include "runtime/rgb.h"
#include "runtime/variant.h"

namespace swatchly {

std::int32_t gradientColumn(const GradientEnd& left, const GradientEnd& right, double width,
                            int i) {
    std::array<std::int16_t, 3> v{};
    for (std::size_t c = 0; c < v.size(); ++c) {
        const double step = (right[c] - left[c]) / width;
        v[c] = toInt16(roundHalfEven(left[c] + step * (i + 1)));
    }
    return rgb(v[0], v[1], v[2]);
}

}  // namespace swatchly
