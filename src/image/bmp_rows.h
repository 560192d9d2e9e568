#pragma once
// Uncompressed BMP rows to 0xAARRGGBB pixels.

#include <cstdint>
#include <span>

#include "image/bmp_layout.h"

namespace nerula {

// Fills width × height pixels, top row first, from the rows at layout.pixelOffset.
void DecodeBmpRows(const BmpLayout& layout, std::span<const std::uint8_t> file,
                   std::span<std::uint32_t> pixels);

} // namespace nerula
