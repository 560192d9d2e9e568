#include "image/bmp_reader.h"

#include <algorithm>
#include <limits>

#include "common/little_endian.h"
#include "image/bmp_errors.h"
#include "image/bmp_layout.h"
#include "image/bmp_rle.h"
#include "image/bmp_rows.h"

namespace nerula {

namespace {

using PixelTarget = std::function<std::span<std::uint32_t>(std::int32_t width, std::int32_t height)>;

// Decodes the pixels that pixelData holds from layout.pixelOffset on.
bool DecodeInto(const BmpLayout& layout, std::span<const std::uint8_t> pixelData, const PixelTarget& target) {
    const std::span<std::uint32_t> pixels = target(layout.width, layout.height);
    if (pixels.size() < static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height)) {
        ThrowInvalidBitmap();
    }
    if (layout.coding == BmpPixelCoding::Uncompressed) {
        DecodeBmpRows(layout, pixelData, pixels);
    } else {
        DecodeBmpRle(layout, pixelData, pixels);
    }
    return layout.masks.alpha != 0;
}

} // namespace

bool ReadBmpFileInto(std::span<const std::uint8_t> file, const PixelTarget& target, std::uint64_t maxPixels) {
    if (file.empty()) {
        return false;
    }
    return DecodeInto(ReadBmpLayout(file, file.size(), std::min(maxPixels, kMaxBmpPixels)), file, target);
}

bool ReadDibInto(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                 const PixelTarget& target, std::uint64_t maxPixels) {
    // The file header that the two pieces lack, pointing at the pixels right after the
    // BITMAPINFO; the headers are read from it and the BITMAPINFO alone.
    if (info.size() > std::numeric_limits<std::uint32_t>::max() - kBmpFileHeaderSize) {
        ThrowInvalidBitmap(); // far beyond any BITMAPINFO, and past what bfOffBits can say
    }
    std::vector<std::uint8_t> headers(kBmpFileHeaderSize + info.size());
    headers[0] = 'B';
    headers[1] = 'M';
    StoreU32(headers.data() + 10, static_cast<std::uint32_t>(headers.size()));
    std::copy(info.begin(), info.end(), headers.begin() + kBmpFileHeaderSize);
    BmpLayout layout =
        ReadBmpLayout(headers, headers.size() + bits.size(), std::min(maxPixels, kMaxBmpPixels));
    // The pixels begin where the file header points, which is the start of `bits`.
    layout.pixelOffset -= headers.size();
    return DecodeInto(layout, bits, target);
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
