#include "image/bmp_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "common/exception.h"
#include "test_text.h"

namespace nerula {
namespace {

using test::BmpFixture;
using test::PackRows;
using test::PixelRows;

const std::u16string kInvalid = u"ビットマップ画像が無効です";
const std::u16string kReadError = u"ストリームからの読み取りエラー";

// The message a file fails with, or "" when it decodes.
std::u16string ErrorOf(const std::vector<std::uint8_t>& file, std::uint64_t maxPixels = kMaxBmpPixels) {
    try {
        ReadBmpFile(file, maxPixels);
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"";
}

std::string Hex(const std::vector<std::uint32_t>& pixels) {
    std::string out;
    for (const std::uint32_t p : pixels) {
        char text[12];
        std::snprintf(text, sizeof text, "%08X ", static_cast<unsigned>(p));
        out += text;
    }
    return out;
}

// Distinct, and none of them black, so that a black pixel always means "not drawn".
std::uint32_t PaletteColour(std::uint32_t index) {
    return index << 16 | (255 - index) << 8 | ((index * 37 + 11) & 0xFF);
}

std::vector<std::uint32_t> PaletteColours(std::uint32_t count) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < count; ++i) {
        colours.push_back(PaletteColour(i));
    }
    return colours;
}

std::vector<std::uint32_t> Looked(const std::vector<std::uint32_t>& palette, const PixelRows& rows) {
    std::vector<std::uint32_t> pixels;
    for (const auto& row : rows) {
        for (const std::uint32_t index : row) {
            pixels.push_back(palette[index]);
        }
    }
    return pixels;
}

void ExpectPicture(const std::vector<std::uint8_t>& file, std::int32_t width, std::int32_t height,
                   const std::vector<std::uint32_t>& expected, bool hasAlpha = false) {
    DecodedBitmap bitmap;
    try {
        bitmap = ReadBmpFile(file);
    } catch (const Exception& e) {
        FAIL() << "failed: " << test::Printable(e.Message());
    }
    EXPECT_EQ(bitmap.width, width);
    EXPECT_EQ(bitmap.height, height);
    EXPECT_EQ(bitmap.hasAlpha, hasAlpha);
    EXPECT_EQ(Hex(bitmap.pixels), Hex(expected));
}

TEST(ReadBmpFile, EmptyFileIsAnEmptyPicture) {
    const DecodedBitmap bitmap = ReadBmpFile({});
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_EQ(bitmap.height, 0);
    EXPECT_FALSE(bitmap.hasAlpha);
    EXPECT_TRUE(bitmap.pixels.empty());
}

// A 3 × 2 picture for each bit count: the odd width leaves padding at every row's end.
struct Sample {
    std::uint16_t bitCount;
    std::vector<std::uint32_t> palette;
    PixelRows stored;
    std::vector<std::uint32_t> expected;
};

Sample SampleFor(std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
        return {1,
                {0x102030, 0xF0E0D0},
                {{1, 0, 1}, {0, 1, 1}},
                {0xF0E0D0, 0x102030, 0xF0E0D0, 0x102030, 0xF0E0D0, 0xF0E0D0}};
    case 4: {
        const PixelRows stored{{15, 0, 7}, {3, 12, 9}};
        return {4, PaletteColours(16), stored, Looked(PaletteColours(16), stored)};
    }
    case 8: {
        const PixelRows stored{{200, 0, 255}, {17, 128, 3}};
        return {8, PaletteColours(256), stored, Looked(PaletteColours(256), stored)};
    }
    case 16: // 5-5-5: 16 of 31 rounds to 132
        return {16,
                {},
                {{0x7C00, 0x03E0, 0x001F}, {0x4210, 0x7FFF, 0x0000}},
                {0xFF0000, 0x00FF00, 0x0000FF, 0x848484, 0xFFFFFF, 0x000000}};
    case 24:
        return {24,
                {},
                {{0xFF0000, 0x00FF00, 0x0000FF}, {0x123456, 0xABCDEF, 0x000001}},
                {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xABCDEF, 0x000001}};
    default: // the fourth byte of a BI_RGB pixel means nothing
        return {32,
                {},
                {{0xAAFF0000, 0x0000FF00, 0x120000FF}, {0xFF123456, 0x00ABCDEF, 0x7F000001}},
                {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xABCDEF, 0x000001}};
    }
}

TEST(ReadBmpFile, DecodesEveryHeaderBitCountAndOrientation) {
    for (const std::uint32_t headerSize : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        for (const std::uint16_t bitCount : {1, 4, 8, 16, 24, 32}) {
            for (const bool topDown : {false, true}) {
                if (headerSize == 12 && (topDown || bitCount == 16 || bitCount == 32)) {
                    continue; // 16-bit sizes cannot be negative; OS/2 1.x has no 16 or 32 bits
                }
                SCOPED_TRACE(testing::Message() << "header " << headerSize << ", " << bitCount << " bits, "
                                                << (topDown ? "top-down" : "bottom-up"));
                const Sample sample = SampleFor(bitCount);
                BmpFixture bmp;
                bmp.headerSize = headerSize;
                bmp.width = 3;
                bmp.height = topDown ? -2 : 2;
                bmp.bitCount = bitCount;
                bmp.palette = sample.palette;
                bmp.pixels = PackRows(sample.stored, bitCount, topDown);
                ExpectPicture(bmp.Build(), 3, 2, sample.expected);
            }
        }
    }
}

// Guards against a builder and a reader that agree on a wrong bit order.
TEST(ReadBmpFile, FirstPixelIsInTheHighBitsOfTheFirstByte) {
    BmpFixture one;
    one.width = 10;
    one.bitCount = 1;
    one.palette = {0x000001, 0xFFFFFF};
    one.pixels = {0b10110000, 0b01000000, 0, 0};
    const std::uint32_t a = 0x000001, b = 0xFFFFFF;
    ExpectPicture(one.Build(), 10, 1, {b, a, b, b, a, a, a, a, a, b});

    BmpFixture four;
    four.width = 3;
    four.bitCount = 4;
    four.palette = PaletteColours(16);
    four.pixels = {0x1F, 0x20, 0, 0};
    ExpectPicture(four.Build(), 3, 1, {PaletteColour(1), PaletteColour(15), PaletteColour(2)});
}

TEST(ReadBmpFile, MaskedPixels) {
    struct Case {
        const char* name;
        std::uint32_t headerSize;
        std::uint16_t bitCount;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        std::vector<std::uint32_t> stored;
        std::vector<std::uint32_t> expected;
        bool hasAlpha;
    };
    using namespace test;
    // clang-format off
    const std::vector<Case> cases{
        // 16 of 31 gives 132 (0x84), 32 of 63 gives 130 (0x82).
        {"5-6-5 after a 40-byte header", 40, 16, kBiBitFields, {0xF800, 0x07E0, 0x001F},
         {0xF800, 0x07E0, 0x001F, 0x8410, 0xFFFF}, {0xFF0000, 0x00FF00, 0x0000FF, 0x848284, 0xFFFFFF}, false},
        {"5-6-5 inside a V5 header", 124, 16, kBiBitFields, {0xF800, 0x07E0, 0x001F, 0},
         {0xF800, 0x07E0, 0x001F, 0x8410, 0xFFFF}, {0xFF0000, 0x00FF00, 0x0000FF, 0x848284, 0xFFFFFF}, false},
        {"5-6-5 inside a 52-byte header", 52, 16, kBiBitFields, {0xF800, 0x07E0, 0x001F},
         {0x8410}, {0x848284}, false},
        {"1-5-5-5 with alpha in a V4 header", 108, 16, kBiBitFields, {0x7C00, 0x03E0, 0x001F, 0x8000},
         {0xFC00, 0x03E0}, {0xFFFF0000, 0x0000FF00}, true},
        {"4-4-4-4 as BI_ALPHABITFIELDS after a 40-byte header", 40, 16, kBiAlphaBitFields,
         {0x0F00, 0x00F0, 0x000F, 0xF000}, {0xF800, 0x1234}, {0xFF880000, 0x11223344}, true},
        {"a missing red mask gives no red", 40, 16, kBiBitFields, {0, 0x07E0, 0x001F},
         {0xFFFF}, {0x00FFFF}, false},
        {"8-8-8-8 in a V5 header", 124, 32, kBiBitFields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         {0x80FF0000, 0x00123456}, {0x80FF0000, 0x00123456}, true},
        {"8-8-8-8 with a 56-byte header", 56, 32, kBiBitFields, {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         {0x7F010203}, {0x7F010203}, true},
        {"8-8-8 with 4 bits of alpha", 124, 32, kBiBitFields, {0xFF0000, 0xFF00, 0xFF, 0xF0000000},
         {0x8F112233}, {0x88112233}, true},
        {"channels in reverse order", 40, 32, kBiBitFields, {0xFF, 0xFF00, 0xFF0000},
         {0xAB563412}, {0x123456}, false},
        {"10-10-10 keeps each channel's top bits", 40, 32, kBiBitFields, {0x3FF00000, 0x000FFC00, 0x000003FF},
         {0x3FF80001}, {0xFF8000}, false},
        {"BI_ALPHABITFIELDS with the alpha mask after a 52-byte header", 52, 32, kBiAlphaBitFields,
         {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {0x40102030}, {0x40102030}, true},
        {"BI_RGB ignores the masks a V4 header holds", 108, 32, kBiRgb, {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
         {0x80123456}, {0x123456}, false},
        {"BI_RGB 16 bits ignores them too", 124, 16, kBiRgb, {0xF800, 0x07E0, 0x001F, 0},
         {0x7C00}, {0xFF0000}, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpFixture bmp;
        bmp.headerSize = c.headerSize;
        bmp.width = static_cast<std::int32_t>(c.stored.size());
        bmp.bitCount = c.bitCount;
        bmp.compression = c.compression;
        bmp.masks = c.masks;
        bmp.pixels = PackRows({c.stored}, c.bitCount, false);
        ExpectPicture(bmp.Build(), bmp.width, 1, c.expected, c.hasAlpha);
    }
}

// RLE fixtures: a palette of PaletteColour(i), pixels given as indices, `off` where no run
// reached.
constexpr int off = -1;

std::vector<std::uint32_t> Indexed(const std::vector<int>& indices) {
    std::vector<std::uint32_t> pixels;
    for (const int i : indices) {
        pixels.push_back(i == off ? 0 : PaletteColour(static_cast<std::uint32_t>(i)));
    }
    return pixels;
}

std::vector<std::uint8_t> RleFile(std::uint32_t compression, std::int32_t width, std::int32_t height,
                                  std::vector<std::uint8_t> data, std::uint32_t colours = 16) {
    BmpFixture bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = compression == test::kBiRle8 ? 8 : 4;
    bmp.compression = compression;
    bmp.palette = PaletteColours(colours);
    bmp.pixels = std::move(data);
    return bmp.Build();
}

TEST(ReadBmpFile, RunLengthCoding) {
    struct Case {
        const char* name;
        std::uint32_t compression;
        std::int32_t width;
        std::int32_t height;
        std::vector<std::uint8_t> data;
        std::vector<int> expected; // top row first
    };
    using test::kBiRle4;
    using test::kBiRle8;
    // clang-format off
    const std::vector<Case> cases{
        {"RLE8 runs, absolute runs with and without padding, end of line, end of bitmap", kBiRle8, 5, 2,
         {0x02, 0x05,  0x00, 0x03, 0x01, 0x02, 0x03, 0x00,  0x00, 0x00,
          0x00, 0x04, 0x04, 0x03, 0x02, 0x01,  0x01, 0x07,  0x00, 0x01},
         {4, 3, 2, 1, 7,
          5, 5, 1, 2, 3}},
        {"RLE8 delta leaves black pixels behind", kBiRle8, 4, 3,
         {0x01, 0x02,  0x00, 0x02, 0x02, 0x01,  0x01, 0x03,  0x00, 0x01},
         {off, off, off, off,
          off, off, off, 3,
          2,   off, off, off}},
        {"RLE8 runs past the right edge are clipped and the stream stays in step", kBiRle8, 3, 2,
         {0x03, 0x01,  0x00, 0x00,
          0x00, 0x05, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00,  0x02, 0x07,  0x00, 0x01},
         {2, 3, 4,
          1, 1, 1}},
        {"RLE8 delta to the right edge drops the rest of the row", kBiRle8, 2, 2,
         {0x00, 0x02, 0x05, 0x00,  0x02, 0x01,  0x00, 0x00,  0x02, 0x02,  0x00, 0x01},
         {2,   2,
          off, off}},
        {"RLE8 delta past the top row ends the picture", kBiRle8, 2, 2,
         {0x02, 0x01,  0x00, 0x02, 0x00, 0x05},
         {off, off,
          1,   1}},
        {"RLE8 end of line on the top row ends the picture", kBiRle8, 2, 1,
         {0x02, 0x03,  0x00, 0x00},
         {3, 3}},
        {"RLE8 indices past the colour table are black", kBiRle8, 3, 1,
         {0x01, 0x02,  0x01, 0x10,  0x01, 0xFF,  0x00, 0x01},
         {2, off, off}},
        {"RLE4 runs alternate two nibbles; an even absolute run has no padding", kBiRle4, 5, 2,
         {0x05, 0x12,  0x00, 0x00,
          0x00, 0x03, 0x34, 0x50,  0x02, 0x67,  0x00, 0x01},
         {3, 4, 5, 6, 7,
          1, 2, 1, 2, 1}},
        {"RLE4 absolute runs of an odd byte count are padded", kBiRle4, 6, 2,
         {0x00, 0x05, 0x12, 0x34, 0x50, 0x00,  0x01, 0xF0,  0x00, 0x00,
          0x00, 0x06, 0xAB, 0xCD, 0xEF, 0x00,  0x00, 0x01},
         {10, 11, 12, 13, 14, 15,
          1,  2,  3,  4,  5,  15}},
        {"RLE4 delta leaves black pixels behind", kBiRle4, 3, 2,
         {0x00, 0x02, 0x01, 0x01,  0x02, 0xAB,  0x00, 0x01},
         {off, 10,  11,
          off, off, off}},
        {"RLE4 runs past the right edge are clipped", kBiRle4, 3, 2,
         {0x07, 0x12,  0x00, 0x00,  0x00, 0x05, 0x34, 0x56, 0x70, 0x00,  0x00, 0x01},
         {3, 4, 5,
          1, 2, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectPicture(RleFile(c.compression, c.width, c.height, c.data), c.width, c.height,
                      Indexed(c.expected));
    }
}

// A valid 3 × 2 8-bit picture with four colours; the malformed cases each change one thing.
BmpFixture Base8() {
    BmpFixture bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.bitCount = 8;
    bmp.palette = PaletteColours(4);
    bmp.pixels = PackRows({{0, 1, 2}, {3, 0, 1}}, 8, false);
    return bmp;
}

const std::vector<std::uint32_t> kBase8Picture = Indexed({0, 1, 2, 3, 0, 1});

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> file, std::size_t length) {
    file.resize(length);
    return file;
}

TEST(ReadBmpFile, MalformedFilesFailWithTheRightMessage) {
    struct Case {
        const char* name;
        std::function<std::vector<std::uint8_t>()> file;
        const std::u16string& error;
    };
    using namespace test;
    const auto with = [](std::function<void(BmpFixture&)> change) {
        return [change] {
            BmpFixture bmp = Base8();
            change(bmp);
            return bmp.Build();
        };
    };
    const auto patched = [](std::size_t offset, std::uint32_t value) {
        return [offset, value] {
            std::vector<std::uint8_t> file = Base8().Build();
            SetU32(file, offset, value);
            return file;
        };
    };
    const auto masked = [](std::uint32_t headerSize, std::uint16_t bitCount,
                           std::vector<std::uint32_t> masks) {
        return [=] {
            BmpFixture bmp;
            bmp.headerSize = headerSize;
            bmp.bitCount = bitCount;
            bmp.compression = kBiBitFields;
            bmp.masks = masks;
            bmp.pixels = {0, 0, 0, 0};
            return bmp.Build();
        };
    };
    const auto rle8 = [](std::vector<std::uint8_t> data) {
        return [=] { return RleFile(kBiRle8, 4, 2, data); };
    };
    const auto rle4 = [](std::vector<std::uint8_t> data) {
        return [=] { return RleFile(kBiRle4, 4, 2, data); };
    };
    const auto bytes = [](std::vector<std::uint8_t> file) { return [=] { return file; }; };

    const std::vector<Case> cases{
        // The file ends early.
        {"BM alone", bytes({'B', 'M'}), kReadError},
        {"a short file that is not a BMP", bytes({'h', 'e', 'l', 'l', 'o'}), kReadError},
        {"no room for the header size", [] { return Cut(Base8().Build(), 17); }, kReadError},
        {"inside the DIB header", [] { return Cut(Base8().Build(), 30); }, kReadError},
        {"inside the colour table", [] { return Cut(Base8().Build(), 14 + 40 + 15); }, kReadError},
        {"inside the masks after the header",
         [masked] {
             return Cut(masked(40, 16, {0xF800, 0x07E0, 0x001F})(), 14 + 40 + 8);
         },
         kReadError},
        {"inside the pixels", [] { return Cut(Base8().Build(), 14 + 40 + 16 + 4 + 2); }, kReadError},
        {"bfOffBits past the end", patched(10, 0x10000), kReadError},
        {"bfOffBits at the largest value", patched(10, 0xFFFFFFFF), kReadError},
        {"bfOffBits 0 after a huge optional colour table",
         [] {
             BmpFixture bmp;
             bmp.coloursUsed = 0x40000000;
             bmp.pixelOffset = 0;
             bmp.pixels = {1, 2, 3, 0};
             return bmp.Build();
         },
         kReadError},
        {"RLE8 with nothing", rle8({}), kReadError},
        {"RLE8 without end-of-bitmap", rle8({0x02, 0x01, 0x00, 0x00, 0x02, 0x01}), kReadError},
        {"RLE8 run without its index", rle8({0x02}), kReadError},
        {"RLE8 absolute run cut short", rle8({0x00, 0x04, 0x01, 0x02}), kReadError},
        {"RLE8 absolute run without its padding", rle8({0x00, 0x03, 0x01, 0x02, 0x03}), kReadError},
        {"RLE8 delta cut short", rle8({0x00, 0x02, 0x01}), kReadError},
        {"RLE4 absolute run without its padding", rle4({0x00, 0x05, 0x12, 0x34, 0x50}), kReadError},

        // The headers lie or ask for what is not read.
        {"no BM", patched(0, 0x00364142), kInvalid},
        {"MB", patched(0, 0x0036424D), kInvalid},
        {"header size 0", patched(14, 0), kInvalid},
        {"header size 16", patched(14, 16), kInvalid},
        {"header size 41", patched(14, 41), kInvalid},
        {"header size 128", patched(14, 128), kInvalid},
        {"header size beyond the file", patched(14, 0xFFFFFFFF), kInvalid},
        {"width 0", with([](BmpFixture& b) { b.width = 0; }), kInvalid},
        {"negative width", with([](BmpFixture& b) { b.width = -3; }), kInvalid},
        {"height 0", with([](BmpFixture& b) { b.height = 0; }), kInvalid},
        {"width 0 in a 12-byte header", with([](BmpFixture& b) {
             b.headerSize = 12;
             b.width = 0;
         }),
         kInvalid},
        {"height 0 in a 12-byte header", with([](BmpFixture& b) {
             b.headerSize = 12;
             b.height = 0;
         }),
         kInvalid},
        {"65536 × 65536", with([](BmpFixture& b) { b.width = b.height = 65536; }), kInvalid},
        {"the lowest height", with([](BmpFixture& b) { b.height = INT32_MIN; }), kInvalid},
        {"the largest width", with([](BmpFixture& b) { b.width = INT32_MAX; }), kInvalid},
        {"the largest sizes", with([](BmpFixture& b) { b.width = b.height = INT32_MAX; }), kInvalid},
        {"0 bits", with([](BmpFixture& b) { b.bitCount = 0; }), kInvalid},
        {"2 bits", with([](BmpFixture& b) { b.bitCount = 2; }), kInvalid},
        {"15 bits", with([](BmpFixture& b) { b.bitCount = 15; }), kInvalid},
        {"48 bits", with([](BmpFixture& b) { b.bitCount = 48; }), kInvalid},
        {"16 bits in a 12-byte header", with([](BmpFixture& b) {
             b.headerSize = 12;
             b.bitCount = 16;
             b.palette.clear();
         }),
         kInvalid},
        {"32 bits in a 12-byte header", with([](BmpFixture& b) {
             b.headerSize = 12;
             b.bitCount = 32;
             b.palette.clear();
         }),
         kInvalid},
        {"BI_JPEG", with([](BmpFixture& b) { b.compression = kBiJpeg; }), kInvalid},
        {"BI_PNG", with([](BmpFixture& b) { b.compression = kBiPng; }), kInvalid},
        {"BI_JPEG with 0 bits", with([](BmpFixture& b) {
             b.compression = kBiJpeg;
             b.bitCount = 0;
         }),
         kInvalid},
        {"an unknown coding", with([](BmpFixture& b) { b.compression = 7; }), kInvalid},
        {"the largest coding value", with([](BmpFixture& b) { b.compression = 0xFFFFFFFF; }), kInvalid},
        {"RLE4 with 8 bits", with([](BmpFixture& b) { b.compression = kBiRle4; }), kInvalid},
        {"RLE8 with 4 bits", with([](BmpFixture& b) {
             b.compression = kBiRle8;
             b.bitCount = 4;
         }),
         kInvalid},
        {"RLE8 top-down",
         [] {
             return RleFile(kBiRle8, 2, -1, {0x02, 0x01, 0x00, 0x01});
         },
         kInvalid},
        {"RLE4 top-down",
         [] {
             return RleFile(kBiRle4, 2, -1, {0x02, 0x11, 0x00, 0x01});
         },
         kInvalid},
        {"BI_BITFIELDS with 8 bits", with([](BmpFixture& b) { b.compression = kBiBitFields; }), kInvalid},
        {"BI_BITFIELDS with 24 bits", masked(40, 24, {0xFF0000, 0xFF00, 0xFF}), kInvalid},
        {"BI_BITFIELDS with an OS/2 2.x header (Huffman there)", masked(64, 16, {0xF800, 0x07E0, 0x001F}),
         kInvalid},
        {"OS/2 2.x RLE24",
         [] {
             BmpFixture bmp;
             bmp.headerSize = 64;
             bmp.compression = 4;
             bmp.pixels = {0, 1, 0, 1};
             return bmp.Build();
         },
         kInvalid},
        {"overlapping masks", masked(40, 16, {0xFF00, 0x0FF0, 0x000F}), kInvalid},
        {"alpha overlapping red", masked(124, 32, {0xFF0000, 0xFF00, 0xFF, 0x01800000}), kInvalid},
        {"a mask in two pieces", masked(40, 16, {0x0F0F, 0x00F0, 0}), kInvalid},
        {"a mask beyond 16 bits", masked(40, 16, {0x1F0000, 0x07E0, 0x001F}), kInvalid},
        {"257 colours for 8 bits", with([](BmpFixture& b) { b.coloursUsed = 257; }), kInvalid},
        {"3 colours for 1 bit", with([](BmpFixture& b) {
             b.bitCount = 1;
             b.coloursUsed = 3;
         }),
         kInvalid},
        {"the largest colour count", with([](BmpFixture& b) { b.coloursUsed = 0xFFFFFFFF; }), kInvalid},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::Printable(ErrorOf(c.file())), test::Printable(c.error)) << c.name;
    }
}

TEST(ReadBmpFile, PixelLimit) {
    const std::vector<std::uint8_t> picture = Base8().Build();
    EXPECT_EQ(test::Printable(ErrorOf(picture, 6)), "");
    EXPECT_EQ(test::Printable(ErrorOf(picture, 5)), test::Printable(kInvalid));

    // At the default limit the size is accepted and the missing data is what fails.
    BmpFixture atLimit;
    atLimit.width = 16384;
    atLimit.height = 16384;
    atLimit.bitCount = 1;
    atLimit.palette = {0, 0xFFFFFF};
    EXPECT_EQ(test::Printable(ErrorOf(atLimit.Build())), test::Printable(kReadError));
    atLimit.height = -16385;
    EXPECT_EQ(test::Printable(ErrorOf(atLimit.Build())), test::Printable(kInvalid));
    atLimit.height = 1;
    atLimit.width = (1 << 28) + 1;
    EXPECT_EQ(test::Printable(ErrorOf(atLimit.Build())), test::Printable(kInvalid));

    // A larger limit than the reader's own is not taken.
    EXPECT_EQ(test::Printable(ErrorOf(atLimit.Build(), UINT64_MAX)), test::Printable(kInvalid));
}

TEST(ReadBmpFile, WhereThePixelsStart) {
    struct Case {
        const char* name;
        std::function<void(BmpFixture&)> change;
    };
    using namespace test;
    const std::vector<Case> cases{
        {"bfOffBits 0", [](BmpFixture& b) { b.pixelOffset = 0; }},
        {"bfOffBits inside the file header", [](BmpFixture& b) { b.pixelOffset = 10; }},
        {"bfOffBits inside the DIB header", [](BmpFixture& b) { b.pixelOffset = 14 + 20; }},
        {"bfOffBits inside the colour table", [](BmpFixture& b) { b.pixelOffset = 14 + 40 + 4; }},
        {"bfOffBits past a gap",
         [](BmpFixture& b) {
             b.gap = 6;
             b.pixelOffset = 14 + 40 + 16 + 6;
         }},
        {"biClrUsed 0 means 256 colours for 8 bits",
         [](BmpFixture& b) {
             b.palette = PaletteColours(256);
             b.coloursUsed = 0;
             b.pixelOffset = 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpFixture bmp = Base8();
        c.change(bmp);
        ExpectPicture(bmp.Build(), 3, 2, kBase8Picture);
    }

    // For 16, 24 and 32 bits a colour table is optional: bfOffBits may skip all or part of it,
    // and without bfOffBits the pixels follow it.
    const PixelRows rows{{0x010203, 0x040506}};
    const std::vector<std::uint32_t> expected{0x010203, 0x040506};
    BmpFixture direct;
    direct.width = 2;
    direct.palette = {0x111111, 0x222222};
    direct.pixels = PackRows(rows, 24, false);
    direct.pixelOffset = 0;
    ExpectPicture(direct.Build(), 2, 1, expected);
    direct.pixelOffset = 14 + 40 + 8;
    for (const std::uint32_t coloursUsed : {0x40000000u, 100u, 0u}) {
        direct.coloursUsed = coloursUsed;
        ExpectPicture(direct.Build(), 2, 1, expected);
    }
}

TEST(ReadBmpFile, IndicesPastTheColourTableAreBlack) {
    BmpFixture bmp;
    bmp.width = 4;
    bmp.bitCount = 8;
    bmp.palette = PaletteColours(2);
    bmp.pixels = {1, 0, 2, 255};
    ExpectPicture(bmp.Build(), 4, 1, {PaletteColour(1), PaletteColour(0), 0, 0});

    bmp.headerSize = 12; // 12-byte headers have all 2^bits colours
    bmp.palette = PaletteColours(256);
    ExpectPicture(bmp.Build(), 4, 1,
                  {PaletteColour(1), PaletteColour(0), PaletteColour(2), PaletteColour(255)});
}

// Every prefix of a file up to what decoding needs is a read error; the rest decode.
TEST(ReadBmpFile, TruncatedFiles) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::size_t needed;
    };
    BmpFixture core = Base8();
    core.headerSize = 12;
    core.bitCount = 24;
    core.palette.clear();
    core.pixels = PackRows({{1, 2, 3}, {4, 5, 6}}, 24, false);
    const std::vector<std::uint8_t> base8 = Base8().Build();
    const std::vector<std::uint8_t> coreFile = core.Build();
    const std::vector<std::uint8_t> rle =
        RleFile(test::kBiRle8, 3, 2, {0x03, 0x01, 0x00, 0x00, 0x02, 0x02, 0x00, 0x01});
    const std::vector<Case> cases{
        {"8 bits, 40-byte header", base8, base8.size() - 1},        // 3 pixels, 1 byte of padding
        {"24 bits, 12-byte header", coreFile, coreFile.size() - 3}, // 9 bytes, 3 of padding
        {"RLE8", rle, rle.size()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t length = 1; length < c.file.size(); ++length) {
            EXPECT_EQ(test::Printable(ErrorOf(Cut(c.file, length))),
                      test::Printable(length < c.needed ? kReadError : u""))
                << length << " bytes";
        }
    }
}

TEST(ReadBmpInfoHeader, ReadsTheFieldsOfA40ByteHeader) {
    BmpFixture bmp;
    bmp.width = 640;
    bmp.height = -480;
    bmp.bitCount = 0x8010;
    bmp.horizontalDensity = 0x12345;
    bmp.verticalDensity = -1;
    bmp.pixels.resize(4);
    const BmpCaptionInfo info = ReadBmpInfoHeader(bmp.Build());
    EXPECT_EQ(info.width, 640);
    EXPECT_EQ(info.height, -480);
    EXPECT_EQ(info.bitCount, -32752);
    EXPECT_EQ(info.horizontalDensity, 0x2345);
    EXPECT_EQ(info.verticalDensity, 0xFFFF);
}

TEST(ReadBmpInfoHeader, ReadsOtherHeadersAsIfTheyWereThe40ByteOne) {
    // A 12-byte header holds 16-bit width and height, planes and bit count where the
    // 40-byte one holds biWidth and biHeight; what follows is the colour table.
    BmpFixture bmp;
    bmp.headerSize = 12;
    bmp.width = 0x0102;
    bmp.height = 0x0304;
    bmp.bitCount = 8;
    bmp.palette = PaletteColours(256);
    const BmpCaptionInfo info = ReadBmpInfoHeader(bmp.Build());
    EXPECT_EQ(info.width, 0x03040102);
    EXPECT_EQ(info.height, 0x00080001);
    // Offset 28 holds the first colour's red (0) and the second colour's blue (0x30).
    EXPECT_EQ(info.bitCount, 0x3000);
}

TEST(ReadBmpInfoHeader, NeedsFiftyFourBytes) {
    std::vector<std::uint8_t> file = Base8().Build();
    EXPECT_NO_THROW(ReadBmpInfoHeader(Cut(file, 54)));
    for (const std::size_t length : {0u, 1u, 14u, 53u}) {
        try {
            ReadBmpInfoHeader(Cut(file, length));
            ADD_FAILURE() << length << " bytes read";
        } catch (const Exception& e) {
            EXPECT_EQ(test::Printable(e.Message()), test::Printable(kReadError)) << length;
        }
    }
}

} // namespace
} // namespace nerula

namespace nerula {
namespace {

TEST(ReadBmpFileInto, DecodesIntoTheCallersMemoryOnlyOnceTheHeadersAreSound) {
    BmpFixture fixture;
    fixture.width = 2;
    fixture.height = 1;
    fixture.pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0x00};
    std::vector<std::uint32_t> room;
    int asked = 0;
    const auto target = [&](std::int32_t width, std::int32_t height) {
        ++asked;
        room.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        return std::span<std::uint32_t>(room);
    };
    EXPECT_FALSE(ReadBmpFileInto(fixture.Build(), target));
    EXPECT_EQ(room, (std::vector<std::uint32_t>{0x030201, 0x060504}));

    asked = 0;
    EXPECT_FALSE(ReadBmpFileInto({}, target));
    std::vector<std::uint8_t> lying = fixture.Build();
    lying[0] = 'X';
    EXPECT_THROW(ReadBmpFileInto(lying, target), Exception);
    EXPECT_EQ(asked, 0) << "no room is asked for an empty or invalid file";

    // Room too small for the picture is refused rather than overrun.
    std::vector<std::uint32_t> small(1);
    EXPECT_THROW(
        ReadBmpFileInto(fixture.Build(), [&](std::int32_t, std::int32_t) { return std::span(small); }),
        Exception);
}

// What a read ends in: the picture, or the message it fails with.
struct Outcome {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool hasAlpha = false;
    std::string pixels;
    std::string error;
};

template <typename Read>
Outcome OutcomeOf(const Read& read) {
    Outcome outcome;
    std::vector<std::uint32_t> pixels;
    try {
        outcome.hasAlpha = read([&](std::int32_t width, std::int32_t height) {
            outcome.width = width;
            outcome.height = height;
            pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
            return std::span<std::uint32_t>(pixels);
        });
    } catch (const Exception& e) {
        return Outcome{0, 0, false, "", test::Printable(e.Message())};
    }
    outcome.pixels = Hex(pixels);
    return outcome;
}

// The BITMAPINFO and the pixels of a file built with its pixels right after its headers,
// each in a buffer of its own, as an image plug-in hands them over.
struct DibPieces {
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
};

DibPieces Split(const std::vector<std::uint8_t>& file) {
    const std::size_t offset = file[10] | file[11] << 8;
    return {{file.begin() + 14, file.begin() + static_cast<std::ptrdiff_t>(offset)},
            {file.begin() + static_cast<std::ptrdiff_t>(offset), file.end()}};
}

Outcome DibOutcome(const DibPieces& dib) {
    return OutcomeOf([&](const auto& target) { return ReadDibInto(dib.info, dib.bits, target); });
}

TEST(ReadDibInto, ReadsThePiecesAsTheFileTheyMake) {
    std::vector<std::pair<std::string, BmpFixture>> fixtures;
    for (const std::uint32_t headerSize : {40u, 124u}) {
        for (const std::uint16_t bitCount : {1, 4, 8, 16, 24, 32}) {
            for (const bool topDown : {false, true}) {
                const Sample sample = SampleFor(bitCount);
                BmpFixture bmp;
                bmp.headerSize = headerSize;
                bmp.width = 3;
                bmp.height = topDown ? -2 : 2;
                bmp.bitCount = bitCount;
                bmp.palette = sample.palette;
                bmp.pixels = PackRows(sample.stored, bitCount, topDown);
                fixtures.emplace_back(std::to_string(headerSize) + "-byte header, " +
                                          std::to_string(bitCount) + " bits" + (topDown ? ", top-down" : ""),
                                      bmp);
            }
        }
    }
    BmpFixture masked;
    masked.width = 2;
    masked.bitCount = 16;
    masked.compression = test::kBiAlphaBitFields;
    masked.masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
    masked.pixels = {0x00, 0xF8, 0x34, 0x12};
    fixtures.emplace_back("masks after the header, with alpha", masked);
    BmpFixture rle;
    rle.width = 3;
    rle.height = 2;
    rle.bitCount = 8;
    rle.compression = test::kBiRle8;
    rle.palette = PaletteColours(4);
    rle.pixels = {0x03, 0x01, 0x00, 0x00, 0x02, 0x02, 0x00, 0x01};
    fixtures.emplace_back("RLE8", rle);
    BmpFixture topDownRle = rle;
    topDownRle.height = -2;
    fixtures.emplace_back("top-down RLE8", topDownRle);
    BmpFixture tooManyColours = Base8();
    tooManyColours.coloursUsed = 257;
    fixtures.emplace_back("more colours than 8 bits have", tooManyColours);
    BmpFixture rowsCut = Base8();
    rowsCut.pixels.resize(rowsCut.pixels.size() - 2);
    fixtures.emplace_back("the last row cut short", rowsCut);
    BmpFixture tooWide = Base8();
    tooWide.width = 1 << 20;
    fixtures.emplace_back("far more rows than the pixels hold", tooWide);

    for (const auto& [name, fixture] : fixtures) {
        const std::vector<std::uint8_t> file = fixture.Build();
        const Outcome expected = OutcomeOf([&](const auto& target) { return ReadBmpFileInto(file, target); });
        const Outcome actual = DibOutcome(Split(file));
        EXPECT_EQ(actual.width, expected.width) << name;
        EXPECT_EQ(actual.height, expected.height) << name;
        EXPECT_EQ(actual.hasAlpha, expected.hasAlpha) << name;
        EXPECT_EQ(actual.pixels, expected.pixels) << name;
        EXPECT_EQ(actual.error, expected.error) << name;
    }
}

// The headers come from the BITMAPINFO alone: where a file would find its colour table in
// the bytes after its header, the pieces lack one.
TEST(ReadDibInto, NeverTakesTheBitmapInfoFromThePixels) {
    BmpFixture bmp;
    bmp.width = 32;
    bmp.height = 32;
    bmp.bitCount = 8;
    bmp.coloursUsed = 256;                // 1 KiB of colour table, none of it written
    bmp.pixels.assign(2 * 32 * 32, 0x01); // room for the table and the rows
    const std::vector<std::uint8_t> file = bmp.Build();
    EXPECT_EQ(ErrorOf(file), u"") << "a file reads its colour table from the bytes after its header";

    const DibPieces pieces = Split(file);
    EXPECT_EQ(DibOutcome(pieces).error, test::Printable(kReadError));
    EXPECT_EQ(DibOutcome({{}, pieces.bits}).error, test::Printable(kReadError));
    EXPECT_EQ(DibOutcome({pieces.info, {}}).error, test::Printable(kReadError));
}

} // namespace
} // namespace nerula
