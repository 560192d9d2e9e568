#pragma once
// NTP, the test picture format that the test plug-ins decode. It is a DIB with a smaller
// header, so that a decoder is a few checks and a copy. All numbers are little-endian.
//
//   offset  size  field
//        0     4  magic "NTP1"
//        4     4  width in pixels, unsigned, 1 .. 2^31 - 1
//        8     4  height in rows, signed, not 0: positive = rows stored bottom-up,
//                 negative = rows stored top-down (as a DIB's biHeight)
//       12     2  bits per pixel, 24 or 8
//       14     2  reserved, 0
//       16  1024  8 bits per pixel only: 256 RGBQUAD entries (blue, green, red, 0)
//        …        |height| rows, each padded to a multiple of 4 bytes; a 24-bit row holds
//                 blue, green, red per pixel, an 8-bit row one palette index per pixel
//
// Bytes after the last row are ignored. The builder below is portable so that any test
// can write fixtures.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nerula::ntp {

inline constexpr std::string_view kMagic = "NTP1";
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::size_t kPaletteEntries = 256;
inline constexpr std::size_t kPaletteSize = kPaletteEntries * 4;

// The bytes of one stored row, padding included.
constexpr std::uint64_t RowStride(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

namespace detail {

inline void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace detail

// An NTP file of a picture given as rows from top to bottom without padding: three bytes
// (blue, green, red) per pixel at 24 bits, one palette index per pixel at 8 bits. The
// palette holds RGBQUAD entries; a shorter one is completed with zeros. A negative height
// stores the rows top-down, a positive one bottom-up.
inline std::string MakeFile(std::uint32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                            std::string_view pixels, std::string_view palette = {}) {
    if (bitsPerPixel != 24 && bitsPerPixel != 8) {
        throw std::invalid_argument("NTP stores 24 or 8 bits per pixel");
    }
    if (height == 0 || height == INT32_MIN || palette.size() > kPaletteSize) {
        throw std::invalid_argument("no NTP picture has this size or palette");
    }
    const std::size_t rows =
        static_cast<std::size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (bitsPerPixel / 8);
    if (pixels.size() != rowBytes * rows) {
        throw std::invalid_argument("the pixels do not fill the picture");
    }
    std::string file(kMagic);
    detail::AppendLittleEndian(file, width, 4);
    detail::AppendLittleEndian(file, static_cast<std::uint32_t>(height), 4);
    detail::AppendLittleEndian(file, bitsPerPixel, 2);
    detail::AppendLittleEndian(file, 0, 2);
    if (bitsPerPixel == 8) {
        file += palette;
        file.append(kPaletteSize - palette.size(), '\0');
    }
    const std::size_t stride = static_cast<std::size_t>(RowStride(width, bitsPerPixel));
    for (std::size_t stored = 0; stored < rows; ++stored) {
        const std::size_t row = height < 0 ? stored : rows - 1 - stored;
        file += pixels.substr(row * rowBytes, rowBytes);
        file.append(stride - rowBytes, '\0');
    }
    return file;
}

} // namespace nerula::ntp
