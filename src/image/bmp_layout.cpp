#include "image/bmp_layout.h"

#include <bit>

#include "common/little_endian.h"
#include "image/bmp_errors.h"

namespace nerula {
namespace {

constexpr std::uint64_t kFileHeaderSize = kBmpFileHeaderSize;

// DIB header sizes, named after what each generation of the header added.
constexpr std::uint32_t kCoreHeader = 12;     // OS/2 1.x: 16-bit sizes, RGB triples
constexpr std::uint32_t kInfoHeader = 40;     // the common header
constexpr std::uint32_t kRgbMaskHeader = 52;  // + red, green and blue masks
constexpr std::uint32_t kRgbaMaskHeader = 56; // + alpha mask
constexpr std::uint32_t kOs2Header = 64;      // OS/2 2.x: own fields after the first 40 bytes
constexpr std::uint32_t kV4Header = 108;      // + colour space
constexpr std::uint32_t kV5Header = 124;      // + rendering intent and profile

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3, // OS/2 2.x headers use this value for Huffman coding
    kAlphaBitFields = 6,
};

// Each structure is read whole before it is judged, so a file that stops inside a header
// is a read error even when what it holds already looks wrong.
void Require(std::span<const std::uint8_t> file, std::uint64_t end) {
    if (end > file.size()) {
        ThrowStreamReadError();
    }
}

bool IsKnownHeaderSize(std::uint32_t size) {
    switch (size) {
    case kCoreHeader:
    case kInfoHeader:
    case kRgbMaskHeader:
    case kRgbaMaskHeader:
    case kOs2Header:
    case kV4Header:
    case kV5Header:
        return true;
    default:
        return false;
    }
}

// The header's fields that matter for decoding, widened so that nothing overflows.
struct HeaderFields {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t coloursUsed = 0;
    std::uint32_t paletteEntrySize = 4;
    int masksInHeader = 0; // how many of red, green, blue, alpha the header itself holds
};

HeaderFields ReadHeaderFields(const std::uint8_t* header, std::uint32_t headerSize) {
    HeaderFields fields;
    if (headerSize == kCoreHeader) {
        fields.width = LoadU16(header + 4);
        fields.height = LoadU16(header + 6);
        fields.bitCount = LoadU16(header + 10);
        fields.paletteEntrySize = 3;
        return fields;
    }
    fields.width = LoadI32(header + 4);
    fields.height = LoadI32(header + 8);
    fields.bitCount = LoadU16(header + 14);
    fields.compression = LoadU32(header + 16);
    fields.coloursUsed = LoadU32(header + 32);
    if (headerSize != kOs2Header) {
        fields.masksInHeader = headerSize >= kRgbaMaskHeader ? 4 : headerSize >= kRgbMaskHeader ? 3 : 0;
    }
    return fields;
}

bool IsKnownBitCount(std::uint32_t bitCount, std::uint32_t headerSize) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return true;
    case 16:
    case 32:
        return headerSize != kCoreHeader;
    default:
        return false;
    }
}

// Which codings each bit count allows; JPEG and PNG (4 and 5) and OS/2's own Huffman and
// RLE24 codings are not drawn into a DIB and therefore not read.
BmpPixelCoding CheckCompression(const HeaderFields& fields, std::uint32_t headerSize) {
    switch (fields.compression) {
    case kRgb:
        return BmpPixelCoding::Uncompressed;
    case kRle8:
        if (fields.bitCount == 8) {
            return BmpPixelCoding::Rle8;
        }
        break;
    case kRle4:
        if (fields.bitCount == 4) {
            return BmpPixelCoding::Rle4;
        }
        break;
    case kBitFields:
    case kAlphaBitFields:
        if ((fields.bitCount == 16 || fields.bitCount == 32) && headerSize != kOs2Header) {
            return BmpPixelCoding::Uncompressed;
        }
        break;
    default:
        break;
    }
    ThrowInvalidBitmap();
}

bool IsOneRunOfBits(std::uint32_t mask) {
    if (mask == 0) {
        return true;
    }
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

void CheckMasks(const BmpChannelMasks& masks, std::uint32_t bitCount) {
    const std::uint32_t pixelBits = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    const std::uint32_t all[] = {masks.red, masks.green, masks.blue, masks.alpha};
    std::uint32_t seen = 0;
    for (const std::uint32_t mask : all) {
        if (!IsOneRunOfBits(mask) || (mask & ~pixelBits) != 0 || (mask & seen) != 0) {
            ThrowInvalidBitmap();
        }
        seen |= mask;
    }
}

BmpChannelMasks DefaultMasks(std::uint32_t bitCount) {
    if (bitCount == 16) {
        return {0x7C00, 0x03E0, 0x001F, 0};
    }
    return {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
}

} // namespace

BmpLayout ReadBmpLayout(std::span<const std::uint8_t> file, std::uint64_t fileSize, std::uint64_t maxPixels) {
    Require(file, kFileHeaderSize);
    const std::uint8_t* bytes = file.data();
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        ThrowInvalidBitmap();
    }
    const std::uint32_t pixelOffsetField = LoadU32(bytes + 10);

    Require(file, kFileHeaderSize + 4);
    const std::uint32_t headerSize = LoadU32(bytes + kFileHeaderSize);
    if (!IsKnownHeaderSize(headerSize)) {
        ThrowInvalidBitmap();
    }
    Require(file, kFileHeaderSize + headerSize);
    const std::uint8_t* header = bytes + kFileHeaderSize;
    const HeaderFields fields = ReadHeaderFields(header, headerSize);

    BmpLayout layout;
    if (!IsKnownBitCount(fields.bitCount, headerSize)) {
        ThrowInvalidBitmap();
    }
    layout.bitCount = static_cast<int>(fields.bitCount);
    layout.coding = CheckCompression(fields, headerSize);

    // A height of zero describes no picture at all; only an empty file is an empty picture.
    const std::int64_t rows = fields.height < 0 ? -fields.height : fields.height;
    if (fields.width <= 0 || rows == 0 ||
        static_cast<std::uint64_t>(fields.width) * static_cast<std::uint64_t>(rows) > maxPixels) {
        ThrowInvalidBitmap();
    }
    layout.topDown = fields.height < 0;
    if (layout.topDown && layout.coding != BmpPixelCoding::Uncompressed) {
        ThrowInvalidBitmap();
    }
    layout.width = static_cast<std::int32_t>(fields.width);
    layout.height = static_cast<std::int32_t>(rows);

    // Masks that the header has no room for follow it.
    std::uint64_t headersEnd = kFileHeaderSize + headerSize;
    if (fields.compression == kBitFields || fields.compression == kAlphaBitFields) {
        const int wanted = fields.compression == kAlphaBitFields ? 4 : 3;
        const int following = wanted > fields.masksInHeader ? wanted - fields.masksInHeader : 0;
        Require(file, headersEnd + 4 * static_cast<std::uint64_t>(following));
        std::uint32_t values[4] = {};
        const int count = fields.masksInHeader > wanted ? fields.masksInHeader : wanted;
        for (int i = 0; i < count; ++i) {
            values[i] = LoadU32(header + 40 + 4 * i);
        }
        layout.masks = {values[0], values[1], values[2], values[3]};
        CheckMasks(layout.masks, fields.bitCount);
        headersEnd += 4 * static_cast<std::uint64_t>(following);
    } else if (fields.bitCount == 16 || fields.bitCount == 32) {
        layout.masks = DefaultMasks(fields.bitCount);
    }

    // Up to neededEnd the file holds what decoding needs; tableEnd is where a colour table
    // of the stated length ends (for 16, 24 and 32 bits one that nothing uses).
    std::uint64_t neededEnd = headersEnd;
    std::uint64_t tableEnd = headersEnd + static_cast<std::uint64_t>(fields.coloursUsed) * 4;
    if (fields.bitCount <= 8) {
        const std::uint32_t possible = 1u << fields.bitCount;
        const std::uint32_t entries = fields.coloursUsed == 0 ? possible : fields.coloursUsed;
        if (entries > possible) {
            ThrowInvalidBitmap();
        }
        tableEnd = headersEnd + static_cast<std::uint64_t>(entries) * fields.paletteEntrySize;
        neededEnd = tableEnd;
        Require(file, tableEnd);
        const std::uint8_t* entry = bytes + headersEnd;
        for (std::uint32_t i = 0; i < entries; ++i, entry += fields.paletteEntrySize) {
            layout.palette[i] = static_cast<std::uint32_t>(entry[0]) |
                                static_cast<std::uint32_t>(entry[1]) << 8 |
                                static_cast<std::uint32_t>(entry[2]) << 16;
        }
    }

    // Writers that leave bfOffBits zero, or point it into the headers, mean the pixels that
    // follow the colour table directly.
    const std::uint64_t pixelOffset = pixelOffsetField >= neededEnd ? pixelOffsetField : tableEnd;
    const auto requirePixels = [fileSize](std::uint64_t end) {
        if (end > fileSize) {
            ThrowStreamReadError();
        }
    };
    requirePixels(pixelOffset);
    if (layout.coding == BmpPixelCoding::Uncompressed) {
        // The last row's padding may be missing: no pixel is in it.
        const std::uint64_t lastRowBytes =
            (static_cast<std::uint64_t>(layout.width) * fields.bitCount + 7) / 8;
        requirePixels(pixelOffset +
                      BmpRowStride(layout.width, layout.bitCount) *
                          static_cast<std::uint64_t>(layout.height - 1) +
                      lastRowBytes);
    }
    layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
    return layout;
}

} // namespace nerula
