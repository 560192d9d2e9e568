#pragma once
// Small BMP files made in code: the reader's test fixtures and the fuzzer's seeds. Fields
// are written as given, so a test can make a header lie on purpose.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace nerula::test {

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitFields = 3;
inline constexpr std::uint32_t kBiJpeg = 4;
inline constexpr std::uint32_t kBiPng = 5;
inline constexpr std::uint32_t kBiAlphaBitFields = 6;

// Rows of stored values, top row first: palette indices for 1, 4 and 8 bits, 0xRRGGBB for
// 24 bits, the raw pixel for 16 and 32 bits.
using PixelRows = std::vector<std::vector<std::uint32_t>>;

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

inline void SetU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The rows as a file stores them: bottom row first unless topDown, each padded to 4 bytes.
inline std::vector<std::uint8_t> PackRows(const PixelRows& rows, int bitCount, bool topDown) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[topDown ? i : rows.size() - 1 - i];
        std::vector<std::uint8_t> packed;
        for (std::size_t x = 0; x < row.size(); ++x) {
            const std::uint32_t v = row[x];
            switch (bitCount) {
            case 1:
            case 4:
                if (x * bitCount % 8 == 0) {
                    packed.push_back(0);
                }
                packed.back() |= static_cast<std::uint8_t>(v << (8 - bitCount - x * bitCount % 8));
                break;
            case 8:
                packed.push_back(static_cast<std::uint8_t>(v));
                break;
            case 16:
                PutU16(packed, v);
                break;
            case 24:
                packed.push_back(static_cast<std::uint8_t>(v));
                packed.push_back(static_cast<std::uint8_t>(v >> 8));
                packed.push_back(static_cast<std::uint8_t>(v >> 16));
                break;
            default:
                PutU32(packed, v);
                break;
            }
        }
        packed.resize((packed.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

struct BmpFixture {
    std::uint32_t headerSize = 40; // 12, 40, 52, 56, 64, 108 or 124; others to test rejection
    std::int32_t width = 1;        // truncated to 16 bits in a 12-byte header
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = kBiRgb;
    // Written into the header where it has room for them (52 bytes: three, 56 and more but
    // not 64: four), the rest straight after it.
    std::vector<std::uint32_t> masks;
    std::vector<std::uint32_t> palette;       // 0xRRGGBB
    std::optional<std::uint32_t> coloursUsed; // biClrUsed; the palette's length if not given
    std::optional<std::uint32_t> pixelOffset; // bfOffBits; where the pixels are if not given
    std::size_t gap = 0;                      // filler bytes between colour table and pixels
    std::int32_t horizontalDensity = 0;
    std::int32_t verticalDensity = 0;
    std::vector<std::uint8_t> pixels; // as stored

    std::vector<std::uint8_t> Build() const {
        std::vector<std::uint8_t> header;
        PutU32(header, headerSize);
        std::size_t masksWritten = 0;
        if (headerSize == 12) {
            PutU16(header, static_cast<std::uint32_t>(width) & 0xFFFF);
            PutU16(header, static_cast<std::uint32_t>(height) & 0xFFFF);
            PutU16(header, 1);
            PutU16(header, bitCount);
        } else {
            PutU32(header, static_cast<std::uint32_t>(width));
            PutU32(header, static_cast<std::uint32_t>(height));
            PutU16(header, 1);
            PutU16(header, bitCount);
            PutU32(header, compression);
            PutU32(header, static_cast<std::uint32_t>(pixels.size()));
            PutU32(header, static_cast<std::uint32_t>(horizontalDensity));
            PutU32(header, static_cast<std::uint32_t>(verticalDensity));
            PutU32(header, coloursUsed.value_or(static_cast<std::uint32_t>(palette.size())));
            PutU32(header, 0);
            const std::size_t room = headerSize == 64 ? 0 : headerSize >= 56 ? 4 : headerSize >= 52 ? 3 : 0;
            for (; masksWritten < masks.size() && masksWritten < room; ++masksWritten) {
                PutU32(header, masks[masksWritten]);
            }
        }
        header.resize(headerSize, 0);
        for (std::size_t i = masksWritten; i < masks.size(); ++i) {
            PutU32(header, masks[i]);
        }
        for (const std::uint32_t colour : palette) {
            header.push_back(static_cast<std::uint8_t>(colour));
            header.push_back(static_cast<std::uint8_t>(colour >> 8));
            header.push_back(static_cast<std::uint8_t>(colour >> 16));
            if (headerSize != 12) {
                header.push_back(0);
            }
        }
        header.resize(header.size() + gap, 0xEE);

        std::vector<std::uint8_t> file{'B', 'M'};
        const std::size_t offset = 14 + header.size();
        PutU32(file, static_cast<std::uint32_t>(offset + pixels.size()));
        PutU32(file, 0);
        PutU32(file, pixelOffset.value_or(static_cast<std::uint32_t>(offset)));
        file.insert(file.end(), header.begin(), header.end());
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }
};

} // namespace nerula::test
