// The NTP plug-in decodes what the fixture builder writes, as a DIB, and refuses files
// whose numbers do not fit.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "loaded_plugin.h"
#include "ntp_format.h"

namespace nerula::test {
namespace {

constexpr unsigned int kInMemory = susie::kDataInMemory;

// Three pixels by two rows, every byte different: row 0 is 1..9, row 1 is 11..19.
const std::string kPixels24 = "\x01\x02\x03\x04\x05\x06\x07\x08\x09"
                              "\x11\x12\x13\x14\x15\x16\x17\x18\x19";
const std::string kPad3(3, '\0');

std::string LittleEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A header of any numbers, for files that the builder would refuse to write.
std::string RawHeader(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel) {
    return "NTP1" + LittleEndian(width, 4) + LittleEndian(height, 4) + LittleEndian(bitsPerPixel, 2) +
           LittleEndian(0, 2);
}

struct Decoding {
    int result = -100;
    HLOCAL info = nullptr;
    HLOCAL bits = nullptr;
};

Decoding Decode(const LoadedPlugin& plugin, const std::string& file, unsigned int flag = kInMemory,
                susie::ProgressCallback progress = nullptr, LONG_PTR userValue = 0) {
    Decoding d;
    d.result = plugin.GetPicture()(file.data(), static_cast<LONG_PTR>(file.size()), flag, &d.info, &d.bits,
                                   progress, userValue);
    return d;
}

int Describe(const LoadedPlugin& plugin, const std::string& file, susie::PictureInfo& info) {
    return plugin.GetPictureInfo()(file.data(), static_cast<LONG_PTR>(file.size()), kInMemory, &info);
}

// Expects the file to be refused by both functions, with nothing handed out.
void ExpectRefused(const LoadedPlugin& plugin, const std::string& file, const std::string& what) {
    const Decoding d = Decode(plugin, file);
    EXPECT_NE(d.result, 0) << what;
    EXPECT_EQ(d.info, nullptr) << what;
    EXPECT_EQ(d.bits, nullptr) << what;
    susie::PictureInfo info{};
    EXPECT_NE(Describe(plugin, file, info), 0) << what;
}

TEST(NtpPlugin, DescribesThePicture) {
    const LoadedPlugin plugin(L"ntp");
    for (const std::int32_t height : {2, -2}) {
        susie::PictureInfo info;
        std::memset(&info, 0x55, sizeof info);
        ASSERT_EQ(Describe(plugin, ntp::MakeFile(3, height, 24, kPixels24), info), 0);
        EXPECT_EQ(info.left, 0);
        EXPECT_EQ(info.top, 0);
        EXPECT_EQ(info.width, 3);
        EXPECT_EQ(info.height, 2);
        EXPECT_EQ(info.horizontalDensity, 0);
        EXPECT_EQ(info.verticalDensity, 0);
        EXPECT_EQ(info.colorDepth, 24);
        // The text information is the caller's to free.
        ASSERT_NE(info.textInfo, nullptr);
        const LocalMemory text(info.textInfo);
        EXPECT_GT(LocalSize(text.Get()), 0u);
    }
}

TEST(NtpPlugin, DecodesBottomUpRowsAsADibDoes) {
    const LoadedPlugin plugin(L"ntp");
    const Decoding d = Decode(plugin, ntp::MakeFile(3, 2, 24, kPixels24));
    ASSERT_EQ(d.result, 0);
    const HandedOut out(d.info, d.bits);
    ASSERT_EQ(out.infoSize, sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER header = out.Header();
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, 2);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biSizeImage, 24u);
    EXPECT_EQ(header.biClrUsed, 0u);
    EXPECT_EQ(out.bits, kPixels24.substr(9) + kPad3 + kPixels24.substr(0, 9) + kPad3);
}

TEST(NtpPlugin, DecodesTopDownRowsWithANegativeHeight) {
    const LoadedPlugin plugin(L"ntp");
    const Decoding d = Decode(plugin, ntp::MakeFile(3, -2, 24, kPixels24));
    ASSERT_EQ(d.result, 0);
    const HandedOut out(d.info, d.bits);
    EXPECT_EQ(out.Header().biHeight, -2);
    EXPECT_EQ(out.bits, kPixels24.substr(0, 9) + kPad3 + kPixels24.substr(9) + kPad3);
}

TEST(NtpPlugin, DecodesEightBitPicturesWithTheirPalette) {
    const LoadedPlugin plugin(L"ntp");
    std::string palette;
    for (int i = 0; i < 256; ++i) {
        palette += {static_cast<char>(i), static_cast<char>(255 - i), static_cast<char>(i / 2), '\0'};
    }
    const std::string pixels = "\x00\x01\x02\x03\x04"
                               "\x10\x11\x12\x13\x14"
                               "\xFD\xFE\xFF\x80\x7F";
    const std::string pixelBytes(pixels.data(), 15);
    const Decoding d = Decode(plugin, ntp::MakeFile(5, 3, 8, pixelBytes, palette));
    ASSERT_EQ(d.result, 0);
    const HandedOut out(d.info, d.bits);
    ASSERT_EQ(out.infoSize, sizeof(BITMAPINFOHEADER) + 1024);
    const BITMAPINFOHEADER header = out.Header();
    EXPECT_EQ(header.biWidth, 5);
    EXPECT_EQ(header.biHeight, 3);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biClrUsed, 256u);
    EXPECT_EQ(header.biSizeImage, 24u);
    EXPECT_EQ(out.info.substr(sizeof(BITMAPINFOHEADER)), palette);
    const std::string pad(3, '\0');
    EXPECT_EQ(out.bits,
              pixelBytes.substr(10, 5) + pad + pixelBytes.substr(5, 5) + pad + pixelBytes.substr(0, 5) + pad);

    susie::PictureInfo info{};
    ASSERT_EQ(Describe(plugin, ntp::MakeFile(5, 3, 8, pixelBytes, palette), info), 0);
    EXPECT_EQ(info.colorDepth, 8);
}

TEST(NtpPlugin, IgnoresBytesAfterTheLastRow) {
    const LoadedPlugin plugin(L"ntp");
    const Decoding d = Decode(plugin, ntp::MakeFile(3, 2, 24, kPixels24) + "more");
    ASSERT_EQ(d.result, 0);
    const HandedOut out(d.info, d.bits);
    EXPECT_EQ(out.bits.size(), 24u);
}

struct ProgressRecord {
    std::vector<std::pair<int, int>> calls;
    int answer = 0;
};

int WINAPI RecordProgress(int done, int total, LONG_PTR userValue) {
    auto* record = reinterpret_cast<ProgressRecord*>(userValue);
    record->calls.emplace_back(done, total);
    return record->answer;
}

TEST(NtpPlugin, ReportsProgressFromStartToEnd) {
    const LoadedPlugin plugin(L"ntp");
    ProgressRecord record;
    const Decoding d = Decode(plugin, ntp::MakeFile(3, 2, 24, kPixels24), kInMemory, RecordProgress,
                              reinterpret_cast<LONG_PTR>(&record));
    ASSERT_EQ(d.result, 0);
    const HandedOut out(d.info, d.bits);
    ASSERT_GE(record.calls.size(), 2u);
    EXPECT_EQ(record.calls.front(), std::make_pair(0, 2));
    EXPECT_EQ(record.calls.back(), std::make_pair(2, 2));
}

TEST(NtpPlugin, StopsWhenTheProgressCallbackSaysSo) {
    const LoadedPlugin plugin(L"ntp");
    ProgressRecord record;
    record.answer = 1;
    const Decoding d = Decode(plugin, ntp::MakeFile(3, 2, 24, kPixels24), kInMemory, RecordProgress,
                              reinterpret_cast<LONG_PTR>(&record));
    EXPECT_NE(d.result, 0);
    EXPECT_EQ(d.info, nullptr);
    EXPECT_EQ(d.bits, nullptr);
    EXPECT_EQ(record.calls.size(), 1u);
}

TEST(NtpPlugin, RefusesEveryCutOfAFile) {
    const LoadedPlugin plugin(L"ntp");
    for (const std::string& file :
         {ntp::MakeFile(3, 2, 24, kPixels24), ntp::MakeFile(1, 1, 8, std::string(1, '\0'))}) {
        for (std::size_t length = 0; length < file.size(); ++length) {
            ExpectRefused(plugin, file.substr(0, length), "cut at " + std::to_string(length));
        }
    }
}

TEST(NtpPlugin, RefusesNumbersOutOfRange) {
    const LoadedPlugin plugin(L"ntp");
    const std::string rows(64, '\0');
    ExpectRefused(plugin, "BMP1" + RawHeader(1, 1, 24).substr(4) + rows, "another magic");
    ExpectRefused(plugin, RawHeader(1, 1, 16) + rows, "16 bits per pixel");
    ExpectRefused(plugin, RawHeader(1, 1, 32) + rows, "32 bits per pixel");
    ExpectRefused(plugin, RawHeader(0, 1, 24) + rows, "no columns");
    ExpectRefused(plugin, RawHeader(1, 0, 24) + rows, "no rows");
    ExpectRefused(plugin, RawHeader(1, 0x80000000u, 24) + rows, "the most negative height");
    ExpectRefused(plugin, RawHeader(0x80000000u, 1, 24) + rows, "a width beyond a LONG");
    // Sizes whose products overflow 32 and 64 bits must not wrap round to a small size.
    ExpectRefused(plugin, RawHeader(0x7FFFFFFFu, 0x7FFFFFFFu, 24) + rows, "the largest picture");
    ExpectRefused(plugin, RawHeader(0x7FFFFFFFu, 0x80000001u, 24) + rows, "the largest top-down picture");
    ExpectRefused(plugin, RawHeader(0x55555556u, 2, 24) + rows, "a stride that wraps at 32 bits");
    ExpectRefused(plugin, RawHeader(1, 0x40000001u, 24) + rows, "rows that wrap at 32 bits");
}

TEST(NtpPlugin, ReadsOnlyFilesInMemory) {
    const LoadedPlugin plugin(L"ntp");
    const std::string file = ntp::MakeFile(3, 2, 24, kPixels24);
    const Decoding d = Decode(plugin, file, 0);
    EXPECT_NE(d.result, 0);
    EXPECT_EQ(d.info, nullptr);
    susie::PictureInfo info{};
    EXPECT_NE(plugin.GetPictureInfo()(file.data(), static_cast<LONG_PTR>(file.size()), 0, &info), 0);
    HLOCAL infoHandle = nullptr;
    HLOCAL bitsHandle = nullptr;
    EXPECT_NE(plugin.GetPicture()(file.data(), -1, kInMemory, &infoHandle, &bitsHandle, nullptr, 0), 0);
    EXPECT_EQ(infoHandle, nullptr);
}

TEST(NtpPlugin, RecognisesItsMagicInTheFilesFirstBytes) {
    const LoadedPlugin plugin(L"ntp");
    std::string head(2048, '\0');
    EXPECT_EQ(plugin.IsSupported()("a.ntp", head.data()), 0);
    head.replace(0, 4, "NTP1");
    EXPECT_NE(plugin.IsSupported()("a.ntp", head.data()), 0);
    EXPECT_EQ(plugin.IsSupported()("a.ntp", nullptr), 0);
    // A file handle is not read.
    EXPECT_EQ(plugin.IsSupported()("a.ntp", reinterpret_cast<void*>(std::uintptr_t{0x1234})), 0);
}

} // namespace
} // namespace nerula::test
