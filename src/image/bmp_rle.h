#pragma once
// Run-length coded BMP pixels (RLE8 and RLE4) to 0xAARRGGBB pixels.

#include <cstdint>
#include <span>

#include "image/bmp_layout.h"

namespace nerula {

// Draws the runs from layout.pixelOffset into width × height pixels, top row first, that the
// caller has made black: pixels that no run reaches stay black. Runs and deltas that leave
// the picture are clipped. Decoding ends at the end-of-bitmap code or when an end-of-line
// or a delta moves past the top row; data that ends before either is a read error.
void DecodeBmpRle(const BmpLayout& layout, std::span<const std::uint8_t> file,
                  std::span<std::uint32_t> pixels);

} // namespace nerula
