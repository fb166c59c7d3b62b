#include "colour/average.h"

#include <algorithm>

#include "colour/spaces.h"

namespace swatchly {

bool isAverageSize(int size) {
    return std::find(std::begin(kAverageSizes), std::end(kAverageSizes), size) !=
           std::end(kAverageSizes);
}

std::optional<Channels> averageAround(const QImage& region, int size) {
    if (region.isNull()) return std::nullopt;
    const int cx = region.width() / 2, cy = region.height() / 2, reach = size / 2;
    Triple sum{};
    int counted = 0;
    for (int y = std::max(0, cy - reach); y <= std::min(region.height() - 1, cy + reach); ++y)
        for (int x = std::max(0, cx - reach); x <= std::min(region.width() - 1, cx + reach); ++x) {
            const QRgb p = region.pixel(x, y);
            if (qAlpha(p) == 0) continue;
            sum[0] += linearFromChannel(qRed(p));
            sum[1] += linearFromChannel(qGreen(p));
            sum[2] += linearFromChannel(qBlue(p));
            ++counted;
        }
    if (counted == 0) return std::nullopt;
    for (double& s : sum) s /= counted;
    return fromLinear(sum).colour;
}

}  // namespace swatchly
