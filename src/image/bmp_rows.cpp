#include "image/bmp_rows.h"

#include <array>
#include <bit>
#include <cstddef>

#include "common/little_endian.h"

namespace nerula {
namespace {

// One channel of a masked pixel, widened or narrowed to 8 bits. Narrower channels are
// scaled with rounding so that their largest value gives 255; wider ones keep their top
// eight bits.
class MaskedChannel {
public:
    explicit MaskedChannel(std::uint32_t mask) : mask_(mask) {
        if (mask == 0) {
            return; // the channel is always 0
        }
        shift_ = std::countr_zero(mask);
        const int bits = std::popcount(mask);
        if (bits > 8) {
            shift_ += bits - 8;
            mask_ = mask >> (bits - 8) << (bits - 8);
        }
        const std::uint32_t largest = (1u << (bits > 8 ? 8 : bits)) - 1;
        for (std::uint32_t value = 0; value <= largest; ++value) {
            scale_[value] = static_cast<std::uint8_t>((value * 255 + largest / 2) / largest);
        }
    }

    std::uint32_t operator()(std::uint32_t pixel) const noexcept { return scale_[(pixel & mask_) >> shift_]; }

private:
    std::uint32_t mask_;
    int shift_ = 0;
    std::array<std::uint8_t, 256> scale_{};
};

// Walks the stored rows and hands each to decodeRow with the output row it belongs to.
// decodeRow is a lambda, so the per-pixel work is inlined into each caller's loop.
template <typename DecodeRow>
void ForEachRow(const BmpLayout& layout, std::span<const std::uint8_t> file, std::span<std::uint32_t> pixels,
                DecodeRow decodeRow) {
    const std::size_t stride = static_cast<std::size_t>(BmpRowStride(layout.width, layout.bitCount));
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::uint8_t* source = file.data() + layout.pixelOffset;
    for (std::int32_t row = 0; row < layout.height; ++row, source += stride) {
        const std::int32_t outputRow = layout.topDown ? row : layout.height - 1 - row;
        decodeRow(source, pixels.data() + static_cast<std::size_t>(outputRow) * width, width);
    }
}

void DecodePaletteRows(const BmpLayout& layout, std::span<const std::uint8_t> file,
                       std::span<std::uint32_t> pixels) {
    const auto& palette = layout.palette;
    switch (layout.bitCount) {
    case 1:
        ForEachRow(layout, file, pixels,
                   [&](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                       for (std::size_t x = 0; x < width; ++x) {
                           out[x] = palette[(source[x / 8] >> (7 - x % 8)) & 1];
                       }
                   });
        break;
    case 4:
        ForEachRow(layout, file, pixels,
                   [&](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                       for (std::size_t x = 0; x < width; ++x) {
                           out[x] = palette[x % 2 == 0 ? source[x / 2] >> 4 : source[x / 2] & 0x0F];
                       }
                   });
        break;
    default:
        ForEachRow(layout, file, pixels,
                   [&](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                       for (std::size_t x = 0; x < width; ++x) {
                           out[x] = palette[source[x]];
                       }
                   });
        break;
    }
}

void DecodeMaskedRows(const BmpLayout& layout, std::span<const std::uint8_t> file,
                      std::span<std::uint32_t> pixels) {
    const MaskedChannel red(layout.masks.red);
    const MaskedChannel green(layout.masks.green);
    const MaskedChannel blue(layout.masks.blue);
    const MaskedChannel alpha(layout.masks.alpha);
    const auto convert = [&](std::uint32_t value) {
        return alpha(value) << 24 | red(value) << 16 | green(value) << 8 | blue(value);
    };
    if (layout.bitCount == 16) {
        ForEachRow(layout, file, pixels,
                   [&](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                       for (std::size_t x = 0; x < width; ++x) {
                           out[x] = convert(LoadU16(source + 2 * x));
                       }
                   });
    } else {
        ForEachRow(layout, file, pixels,
                   [&](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                       for (std::size_t x = 0; x < width; ++x) {
                           out[x] = convert(LoadU32(source + 4 * x));
                       }
                   });
    }
}

// The usual 32-bit layout is already the output's: only the unused byte needs clearing.
bool IsStoredAsOutput(const BmpChannelMasks& masks) {
    return masks.red == 0x00FF0000 && masks.green == 0x0000FF00 && masks.blue == 0x000000FF &&
           (masks.alpha == 0 || masks.alpha == 0xFF000000);
}

} // namespace

void DecodeBmpRows(const BmpLayout& layout, std::span<const std::uint8_t> file,
                   std::span<std::uint32_t> pixels) {
    switch (layout.bitCount) {
    case 24:
        ForEachRow(layout, file, pixels,
                   [](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                       for (std::size_t x = 0; x < width; ++x, source += 3) {
                           out[x] = static_cast<std::uint32_t>(source[0]) |
                                    static_cast<std::uint32_t>(source[1]) << 8 |
                                    static_cast<std::uint32_t>(source[2]) << 16;
                       }
                   });
        break;
    case 32:
        if (IsStoredAsOutput(layout.masks)) {
            const std::uint32_t keep = 0x00FFFFFF | layout.masks.alpha;
            ForEachRow(layout, file, pixels,
                       [keep](const std::uint8_t* source, std::uint32_t* out, std::size_t width) {
                           for (std::size_t x = 0; x < width; ++x) {
                               out[x] = LoadU32(source + 4 * x) & keep;
                           }
                       });
        } else {
            DecodeMaskedRows(layout, file, pixels);
        }
        break;
    case 16:
        DecodeMaskedRows(layout, file, pixels);
        break;
    default:
        DecodePaletteRows(layout, file, pixels);
        break;
    }
}

} // namespace nerula
