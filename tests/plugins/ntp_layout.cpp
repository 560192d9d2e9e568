#include "ntp_layout.h"

#include <cstring>

#include "ntp_format.h"
#include "plugin_result.h"

namespace nerula::plugins {
namespace {

std::uint32_t ReadLittleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

} // namespace

bool StartsWithNtpMagic(const unsigned char* data, std::size_t length) {
    return data != nullptr && length >= ntp::kMagic.size() &&
           std::memcmp(data, ntp::kMagic.data(), ntp::kMagic.size()) == 0;
}

int ReadNtpLayout(const unsigned char* data, std::size_t length, NtpLayout& layout) {
    if (!StartsWithNtpMagic(data, length)) {
        return kUnknownFormat;
    }
    if (length < ntp::kHeaderSize) {
        return kBrokenData;
    }
    const std::uint32_t width = ReadLittleEndian(data + 4, 4);
    const std::uint32_t storedHeight = ReadLittleEndian(data + 8, 4);
    const std::uint32_t bitsPerPixel = ReadLittleEndian(data + 12, 2);
    if (width == 0 || width > INT32_MAX || storedHeight == 0 || storedHeight == 0x80000000u) {
        return kBrokenData;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 8) {
        return kBrokenData;
    }
    const bool topDown = (storedHeight & 0x80000000u) != 0;
    const std::uint32_t rows = topDown ? 0u - storedHeight : storedHeight;

    std::size_t offset = ntp::kHeaderSize;
    std::size_t paletteOffset = 0;
    if (bitsPerPixel == 8) {
        if (length - offset < ntp::kPaletteSize) {
            return kBrokenData;
        }
        paletteOffset = offset;
        offset += ntp::kPaletteSize;
    }
    // A stride of up to 6 * 2^31 bytes needs 64 bits; dividing instead of multiplying keeps
    // the row count check free of overflow.
    const std::uint64_t stride = ntp::RowStride(width, bitsPerPixel);
    const std::uint64_t available = length - offset;
    if (stride > available || rows > available / stride) {
        return kBrokenData;
    }
    // A DIB's biSizeImage counts the pixel bytes in 32 bits.
    if (stride * rows > UINT32_MAX) {
        return kBrokenData;
    }
    layout.width = static_cast<std::int32_t>(width);
    layout.height = topDown ? -static_cast<std::int32_t>(rows) : static_cast<std::int32_t>(rows);
    layout.bitsPerPixel = static_cast<std::uint16_t>(bitsPerPixel);
    layout.rows = rows;
    layout.rowStride = static_cast<std::size_t>(stride);
    layout.paletteOffset = paletteOffset;
    layout.pixelOffset = offset;
    layout.pixelSize = static_cast<std::size_t>(stride * rows);
    return kSuccess;
}

} // namespace nerula::plugins
