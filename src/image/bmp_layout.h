#pragma once
// What a BMP file's headers say about its pixels, once they have been checked against the
// format and against the file's length. The decoders trust a layout completely.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace nerula {

// "BM", the file's size, two reserved words and bfOffBits.
inline constexpr std::size_t kBmpFileHeaderSize = 14;

enum class BmpPixelCoding { Uncompressed, Rle8, Rle4 };

// Where each channel sits in a 16- or 32-bit pixel. Every mask is one run of bits, lies
// within the pixel and shares no bit with another; alpha is zero when the file has none.
struct BmpChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t alpha = 0;
};

struct BmpLayout {
    std::int32_t width = 0;  // at least 1
    std::int32_t height = 0; // rows, at least 1
    bool topDown = false;    // the file's first row is the top one
    int bitCount = 0;
    BmpPixelCoding coding = BmpPixelCoding::Uncompressed;
    BmpChannelMasks masks;
    // 0x00RRGGBB for every possible index: entries that the file does not have are black.
    std::array<std::uint32_t, 256> palette{};
    // Where the pixel data starts. For uncompressed pixels, every row up to the last
    // pixel of the last row lies within the file; RLE data runs to the end of the file.
    std::size_t pixelOffset = 0;
};

// Bytes per stored row: rows are padded to whole 32-bit words.
inline std::uint64_t BmpRowStride(std::int32_t width, int bitCount) noexcept {
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

// Reads and checks the file header, the DIB header, the masks and the colour table of a
// non-empty file. Throws by the rules that bmp_reader.h states. maxPixels must be at most
// kMaxBmpPixels, so that the pixels' byte count and the rows' sizes cannot overflow.
// `file` is the file from its start, and the headers, masks and colour table are read from
// it alone; fileSize is the length of the whole file, which the pixels must lie within:
// file.size() for a file in one piece, more when the pixels are kept elsewhere.
BmpLayout ReadBmpLayout(std::span<const std::uint8_t> file, std::uint64_t fileSize, std::uint64_t maxPixels);

} // namespace nerula
