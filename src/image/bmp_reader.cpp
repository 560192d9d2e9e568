#include "image/bmp_reader.h"

#include <algorithm>

#include "common/little_endian.h"
#include "image/bmp_errors.h"
#include "image/bmp_layout.h"
#include "image/bmp_rle.h"
#include "image/bmp_rows.h"

namespace nerula {

bool ReadBmpFileInto(
    std::span<const std::uint8_t> file,
    const std::function<std::span<std::uint32_t>(std::int32_t width, std::int32_t height)>& target,
    std::uint64_t maxPixels) {
    if (file.empty()) {
        return false;
    }
    const BmpLayout layout = ReadBmpLayout(file, std::min(maxPixels, kMaxBmpPixels));
    const std::span<std::uint32_t> pixels = target(layout.width, layout.height);
    if (pixels.size() < static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height)) {
        ThrowInvalidBitmap();
    }
    if (layout.coding == BmpPixelCoding::Uncompressed) {
        DecodeBmpRows(layout, file, pixels);
    } else {
        DecodeBmpRle(layout, file, pixels);
    }
    return layout.masks.alpha != 0;
}

DecodedBitmap ReadBmpFile(std::span<const std::uint8_t> file, std::uint64_t maxPixels) {
    DecodedBitmap bitmap;
    bitmap.hasAlpha = ReadBmpFileInto(
        file,
        [&bitmap](std::int32_t width, std::int32_t height) {
            bitmap.width = width;
            bitmap.height = height;
            bitmap.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
            return std::span<std::uint32_t>(bitmap.pixels);
        },
        maxPixels);
    return bitmap;
}

BmpCaptionInfo ReadBmpInfoHeader(std::span<const std::uint8_t> file) {
    constexpr std::size_t kInfoHeaderEnd = 14 + 40;
    if (file.size() < kInfoHeaderEnd) {
        ThrowStreamReadError();
    }
    const std::uint8_t* bytes = file.data();
    BmpCaptionInfo info;
    info.width = LoadI32(bytes + 18);
    info.height = LoadI32(bytes + 22);
    info.bitCount = static_cast<std::int16_t>(LoadU16(bytes + 28));
    info.horizontalDensity = LoadU16(bytes + 38);
    info.verticalDensity = LoadU16(bytes + 42);
    return info;
}

} // namespace nerula
