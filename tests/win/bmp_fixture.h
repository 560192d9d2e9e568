#pragma once
// Small BMP files for the window tests: 24 bits, bottom-up or top-down.

#include <cstdint>
#include <string>

namespace nerula::test {

// The colour of pixel (x, y), counted from the top-left corner, as 0x00RRGGBB.
inline std::uint32_t FixtureColour(int x, int y) {
    return static_cast<std::uint32_t>(((x * 37) & 0xFF) << 16 | ((y * 53) & 0xFF) << 8 |
                                      ((x + y) * 11 & 0xFF));
}

inline std::string Bmp24(int width, int height, bool topDown = false) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::string file;
    const auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    file += "BM";
    put(54 + imageSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(topDown ? -height : height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(imageSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            put(FixtureColour(x, y), 3);
        }
        file.append(static_cast<std::size_t>(stride - width * 3), '\0');
    }
    return file;
}

} // namespace nerula::test
