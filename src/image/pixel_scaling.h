#pragma once
// Shrinking a picture for fit-to-window: every destination pixel is the average of the
// source pixels it covers (a box filter), so detail is blended rather than dropped as
// nearest-neighbour sampling would.

#include <cstdint>
#include <span>
#include <vector>

namespace nerula {

// Pixels are 32-bit values, rows top-down without padding; each of the four bytes is
// averaged on its own. The destination must not be larger than the source in either
// direction, and neither size may be zero.
std::vector<std::uint32_t> ShrinkPixels(std::span<const std::uint32_t> source, int sourceWidth,
                                        int sourceHeight, int width, int height);

} // namespace nerula
