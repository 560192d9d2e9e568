// Writes the fuzzer's first inputs: one small valid file for each header size, bit count,
// mask layout and run-length coding, so that fuzzing starts from every path the reader has.
//   bmp_seed_corpus DIRECTORY

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_builder.h"

namespace {

using nerula::test::BmpFixture;
using nerula::test::PackRows;

std::vector<std::uint32_t> Palette(std::uint32_t count) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < count; ++i) {
        colours.push_back(i * 0x010305u & 0xFFFFFF);
    }
    return colours;
}

std::vector<BmpFixture> Seeds() {
    using namespace nerula::test;
    std::vector<BmpFixture> seeds;
    for (const std::uint32_t headerSize : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        for (const std::uint16_t bitCount : {1, 4, 8, 16, 24, 32}) {
            if (headerSize == 12 && (bitCount == 16 || bitCount == 32)) {
                continue;
            }
            BmpFixture bmp;
            bmp.headerSize = headerSize;
            bmp.width = 3;
            bmp.height = headerSize == 12 ? 2 : -2;
            bmp.bitCount = bitCount;
            if (bitCount <= 8) {
                bmp.palette = Palette(1u << bitCount);
            }
            bmp.pixels = PackRows({{1, 0, 1}, {0, 1, 1}}, bitCount, false);
            seeds.push_back(bmp);
        }
    }
    const struct {
        std::uint32_t headerSize;
        std::uint16_t bitCount;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
    } masked[] = {
        {40, 16, kBiBitFields, {0xF800, 0x07E0, 0x001F}},
        {40, 16, kBiAlphaBitFields, {0x0F00, 0x00F0, 0x000F, 0xF000}},
        {52, 32, kBiAlphaBitFields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
        {108, 16, kBiBitFields, {0x7C00, 0x03E0, 0x001F, 0x8000}},
        {124, 32, kBiBitFields, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}},
    };
    for (const auto& m : masked) {
        BmpFixture bmp;
        bmp.headerSize = m.headerSize;
        bmp.width = 3;
        bmp.height = 2;
        bmp.bitCount = m.bitCount;
        bmp.compression = m.compression;
        bmp.masks = m.masks;
        bmp.pixels = PackRows({{0x12345678, 0xFFFFFFFF, 0}, {0x8000, 0x7FFF, 0x0F0F}}, m.bitCount, false);
        seeds.push_back(bmp);
    }
    // Runs, absolute runs with padding, end of line, delta and end of bitmap.
    const std::vector<std::uint8_t> rle8{0x02, 0x05, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x00,
                                         0x00, 0x00, 0x02, 0x01, 0x01, 0x01, 0x07, 0x00, 0x01};
    const std::vector<std::uint8_t> rle4{0x05, 0x12, 0x00, 0x00, 0x00, 0x05, 0x12, 0x34, 0x50,
                                         0x00, 0x00, 0x02, 0x01, 0x00, 0x02, 0x67, 0x00, 0x01};
    for (const bool four : {false, true}) {
        BmpFixture bmp;
        bmp.width = 5;
        bmp.height = 3;
        bmp.bitCount = four ? 4 : 8;
        bmp.compression = four ? kBiRle4 : kBiRle8;
        bmp.palette = Palette(16);
        bmp.pixels = four ? rle4 : rle8;
        seeds.push_back(bmp);
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bmp_seed_corpus DIRECTORY\n");
        return 2;
    }
    const std::filesystem::path directory(argv[1]);
    std::filesystem::create_directories(directory);
    const std::vector<BmpFixture> seeds = Seeds();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const std::vector<std::uint8_t> bytes = seeds[i].Build();
        std::ofstream out(directory / ("seed-" + std::to_string(i) + ".bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::printf("%zu seeds in %s\n", seeds.size(), directory.string().c_str());
    return 0;
}
