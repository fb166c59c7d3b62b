#pragma once
// The colour of an area of the screen rather than of one noisy pixel.

#include <QImage>
#include <optional>

#include "runtime/rgb.h"

namespace swatchly {

// The sizes a pick averages over, in device pixels a side: 1 (the pixel alone) to 9.
inline constexpr int kAverageSizes[] = {1, 3, 5, 7, 9};
bool isAverageSize(int size);

// The mean of the size x size pixels around a region's centre, in linear light: each channel
// decoded from sRGB, averaged, encoded again and rounded, as light mixes; a plain mean of the
// numbers would make a fine black and white checkerboard far too dark. Pixels off every screen
// (transparent) are left out; nothing when every one is.
std::optional<Channels> averageAround(const QImage& region, int size);

}  // namespace swatchly
