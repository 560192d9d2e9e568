#pragma once
// Nerula's own reader for BMP files: everything that Windows can draw from a DIB, decoded
// here so that the picture view only has to copy pixels into a 32-bit DIB section.
//
// What is read
// - The 14-byte file header ("BM"), then a DIB header of 12 bytes (OS/2 1.x), 40, 52 or 56
//   (with RGB or RGBA masks), 64 (OS/2 2.x), 108 (V4) or 124 (V5) bytes.
// - 1, 4 and 8 bits with a colour table (RGB triples after a 12-byte header, RGB quads
//   otherwise); 16 and 32 bits with the default 5-5-5 and 8-8-8 layouts or with masks
//   (BI_BITFIELDS, BI_ALPHABITFIELDS); 24 bits. A 12-byte header allows 1, 4, 8 and 24.
// - BI_RLE8 for 8 bits and BI_RLE4 for 4 bits, bottom-up only. BI_BITFIELDS is not read
//   with an OS/2 2.x header, where the same value means Huffman coding; BI_JPEG, BI_PNG
//   and every other coding are not read.
// - Masks that the DIB header has no room for follow it: all three (four with
//   BI_ALPHABITFIELDS) after a 40-byte header, the alpha mask after a 52-byte one. With
//   BI_BITFIELDS, a 56-byte or larger header's alpha mask is used too.
//
// Errors: every failure throws nerula::Exception with one of two messages.
// - "ストリームからの読み取りエラー": the file ends before something that the parts read so
//   far call for: the 14-byte file header, the DIB header's 4-byte size, the rest of the
//   DIB header, the masks after it, the colour table, the pixel rows, or the RLE data
//   before decoding has ended (see below).
// - "ビットマップ画像が無効です": anything else that is wrong: no "BM", an unknown header
//   size, bit count or coding, a width below 1, a height of 0, more than the pixel limit,
//   masks that are not single runs of bits, overlap or stick out of the pixel, a colour
//   count above 2^bits, a top-down RLE picture.
// Each of those parts is read whole before it is judged, so a file that stops inside a
// header is a read error even when the header's first bytes are already wrong.
//
// Leniency, where reading stays within the file
// - bfOffBits that is 0 or points into what decoding needs (the headers, the masks, the
//   colour table of a 1-, 4- or 8-bit picture) means that the pixels follow the colour
//   table, which for 16, 24 and 32 bits is an unused one of biClrUsed entries. Any other
//   bfOffBits is where the pixels start, even inside that unused table.
// - The last row may lack its padding bytes. biSizeImage, biPlanes and bfSize are ignored,
//   and so are the masks in a 52- to 124-byte header unless the coding is a mask coding.
// - biClrUsed of 0 means 2^bits entries; indices past the file's colour table are black.
// - RLE runs and deltas that leave the picture are clipped; pixels that no run reaches are
//   black. Decoding ends at end-of-bitmap or once the pen has moved past the top row.
//
// Pixels: each is 0xAARRGGBB, which is a 32-bit DIB pixel in memory (B, G, R, A). AA is the
// file's own alpha, straight (not premultiplied), when hasAlpha is set: 16- and 32-bit
// pictures with BI_BITFIELDS or BI_ALPHABITFIELDS and a non-zero alpha mask. Otherwise AA
// is 0, as in a BI_RGB DIB, whose fourth byte means nothing even where a file fills it.
// Channels narrower than 8 bits are scaled with rounding (31 of 5 bits gives 255); wider
// ones keep their top 8 bits.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace nerula {

struct DecodedBitmap {
    std::int32_t width = 0;  // 0 only for an empty file
    std::int32_t height = 0; // 0 only for an empty file
    bool hasAlpha = false;
    std::vector<std::uint32_t> pixels; // width × height, top row first
};

// No picture with more pixels than this is read (it would take 1 GiB): large enough for any
// photograph, small enough that its byte count fits in 32 bits.
inline constexpr std::uint64_t kMaxBmpPixels = std::uint64_t{1} << 28;

// Decodes a whole file. An empty file is an empty picture. maxPixels can lower the limit
// (larger values are taken as kMaxBmpPixels); a picture beyond it is invalid.
DecodedBitmap ReadBmpFile(std::span<const std::uint8_t> file, std::uint64_t maxPixels = kMaxBmpPixels);

// The same, decoding straight into the caller's memory (a DIB section's bits, say), so a
// large picture is not held twice. Once the headers are judged sound, `target` is asked
// for room for width × height pixels, top row first, which it hands out zeroed; it is not
// asked for an empty file. Answers whether the file has its own alpha.
bool ReadBmpFileInto(
    std::span<const std::uint8_t> file,
    const std::function<std::span<std::uint32_t>(std::int32_t width, std::int32_t height)>& target,
    std::uint64_t maxPixels = kMaxBmpPixels);

// A packed DIB in two pieces, as image plug-ins hand one over: the BITMAPINFO (header,
// masks, colour table) and the pixel data. Read by the rules above as the file that a
// file header pointing just past the BITMAPINFO would make of the two, but without
// putting them together: the headers are read from `info` alone and the pixels from `bits`
// alone, and a large picture's pixels are not copied before they are decoded.
bool ReadDibInto(
    std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
    const std::function<std::span<std::uint32_t>(std::int32_t width, std::int32_t height)>& target,
    std::uint64_t maxPixels = kMaxBmpPixels);

// The values that the window's caption shows, read as if the DIB header were always the
// 40-byte one whatever its size field says: biWidth, biHeight, biBitCount (as signed 16
// bits) and the low 16 bits of biXPelsPerMeter and biYPelsPerMeter. Nothing is checked but
// the length: a file shorter than 54 bytes is a read error.
struct BmpCaptionInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t horizontalDensity = 0;
    std::uint16_t verticalDensity = 0;
    std::int16_t bitCount = 0;
};

BmpCaptionInfo ReadBmpInfoHeader(std::span<const std::uint8_t> file);

} // namespace nerula
