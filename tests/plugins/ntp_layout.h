#pragma once
// Where an NTP file's palette and rows lie, found without trusting any of its numbers.

#include <cstddef>
#include <cstdint>

namespace nerula::plugins {

struct NtpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: the rows are stored top-down
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t rows = 0;
    std::size_t rowStride = 0;
    std::size_t paletteOffset = 0; // 0 when the picture has no palette
    std::size_t pixelOffset = 0;
    std::size_t pixelSize = 0; // rows * rowStride
};

// Checks the file of the given length and describes it. Answers kSuccess, kUnknownFormat
// when it does not start with the magic, or kBrokenData when its numbers are out of range
// or its rows reach past its end.
int ReadNtpLayout(const unsigned char* data, std::size_t length, NtpLayout& layout);

// Whether the bytes start like an NTP file; reads at most the magic's length.
bool StartsWithNtpMagic(const unsigned char* data, std::size_t length);

} // namespace nerula::plugins
