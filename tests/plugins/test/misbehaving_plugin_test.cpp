// The plug-ins that the program must leave out or survive do what their names say.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "liar_variants.h"
#include "loaded_plugin.h"
#include "ntp_format.h"

namespace nerula::test {
namespace {

const std::string kPixels = "\x01\x02\x03\x04\x05\x06";
const std::string kFile = ntp::MakeFile(2, 1, 24, kPixels);

int Decode(const LoadedPlugin& plugin, const std::string& file, HLOCAL& info, HLOCAL& bits) {
    info = nullptr;
    bits = nullptr;
    return plugin.GetPicture()(file.data(), static_cast<LONG_PTR>(file.size()), susie::kDataInMemory, &info,
                               &bits, nullptr, 0);
}

int Describe(const LoadedPlugin& plugin, const std::string& file, susie::PictureInfo& info) {
    return plugin.GetPictureInfo()(file.data(), static_cast<LONG_PTR>(file.size()), susie::kDataInMemory,
                                   &info);
}

TEST(MisbehavingPlugins, TheOnesLeftOutForTheirVersionStillDecode) {
    for (const wchar_t* name : {L"version", L"lowercase", L"trailing", L"twopatterns"}) {
        const LoadedPlugin plugin(name);
        susie::PictureInfo info{};
        EXPECT_EQ(Describe(plugin, kFile, info), 0);
        EXPECT_EQ(info.width, 2);
        HLOCAL infoHandle;
        HLOCAL bitsHandle;
        ASSERT_EQ(Decode(plugin, kFile, infoHandle, bitsHandle), 0);
        EXPECT_EQ(HandedOut(infoHandle, bitsHandle).bits, kPixels + std::string(2, '\0'));
    }
}

TEST(MisbehavingPlugins, NoEntryHasNoDecodingFunctions) {
    const LoadedPlugin plugin(L"noentry");
    EXPECT_NE(plugin.GetPluginInfo(), nullptr);
    EXPECT_EQ(plugin.GetPicture(), nullptr);
    EXPECT_EQ(plugin.GetPictureInfo(), nullptr);
}

TEST(MisbehavingPlugins, FailsRefusesEvenGoodFiles) {
    const LoadedPlugin plugin(L"fails");
    susie::PictureInfo info{};
    EXPECT_NE(Describe(plugin, kFile, info), 0);
    HLOCAL infoHandle;
    HLOCAL bitsHandle;
    EXPECT_NE(Decode(plugin, kFile, infoHandle, bitsHandle), 0);
    EXPECT_EQ(infoHandle, nullptr);
    EXPECT_EQ(bitsHandle, nullptr);
}

TEST(MisbehavingPlugins, InfoFailsDecodesButCannotDescribe) {
    const LoadedPlugin plugin(L"infofails");
    susie::PictureInfo info{};
    EXPECT_NE(Describe(plugin, kFile, info), 0);
    HLOCAL infoHandle;
    HLOCAL bitsHandle;
    ASSERT_EQ(Decode(plugin, kFile, infoHandle, bitsHandle), 0);
    EXPECT_EQ(HandedOut(infoHandle, bitsHandle).bits, kPixels + std::string(2, '\0'));
}

// The pixel bytes that a BITMAPINFOHEADER promises: by its size and by its biSizeImage.
std::uint64_t Promised(const BITMAPINFOHEADER& header) {
    const std::uint64_t rows =
        static_cast<std::uint64_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    const std::uint64_t bySize =
        ntp::RowStride(static_cast<std::uint64_t>(header.biWidth), header.biBitCount) * rows;
    return std::max<std::uint64_t>(bySize, header.biSizeImage);
}

TEST(MisbehavingPlugins, LiarPromisesMorePixelsThanItHandsOut) {
    for (const std::string& file : {std::string(1, liar::kTaller), std::string(1, liar::kWider),
                                    std::string(1, liar::kSizeImage), std::string()}) {
        const LoadedPlugin plugin(L"liar");
        HLOCAL infoHandle;
        HLOCAL bitsHandle;
        ASSERT_EQ(Decode(plugin, file, infoHandle, bitsHandle), 0) << file;
        const HandedOut out(infoHandle, bitsHandle);
        ASSERT_EQ(out.infoSize, sizeof(BITMAPINFOHEADER)) << file;
        const BITMAPINFOHEADER header = out.Header();
        EXPECT_EQ(out.bitsSize, 16u * 48u) << file;
        EXPECT_GT(Promised(header), out.bitsSize * 1000) << file;

        susie::PictureInfo info{};
        ASSERT_EQ(Describe(plugin, file, info), 0);
        EXPECT_EQ(info.width, header.biWidth) << file;
        EXPECT_EQ(info.height, header.biHeight) << file;
    }
}

TEST(MisbehavingPlugins, LiarCutsItsInfoBlockShortOfAHeader) {
    const LoadedPlugin plugin(L"liar");
    HLOCAL infoHandle;
    HLOCAL bitsHandle;
    ASSERT_EQ(Decode(plugin, std::string(1, liar::kInfoCut), infoHandle, bitsHandle), 0);
    const HandedOut out(infoHandle, bitsHandle);
    EXPECT_LT(out.infoSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(out.Header().biSize, sizeof(BITMAPINFOHEADER));
}

TEST(MisbehavingPlugins, LiarLeavesOutThePaletteItPromises) {
    const LoadedPlugin plugin(L"liar");
    HLOCAL infoHandle;
    HLOCAL bitsHandle;
    ASSERT_EQ(Decode(plugin, std::string(1, liar::kPaletteMissing), infoHandle, bitsHandle), 0);
    const HandedOut out(infoHandle, bitsHandle);
    EXPECT_EQ(out.infoSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(out.Header().biBitCount, 8);
    EXPECT_EQ(out.Header().biClrUsed, 256u);
    EXPECT_EQ(out.bitsSize, 16u * 16u);
}

TEST(MisbehavingPlugins, NotAPluginLoadsWithoutGetPluginInfo) {
    const LoadedPlugin plugin(L"notaplugin");
    EXPECT_EQ(plugin.GetPluginInfo(), nullptr);
}

TEST(MisbehavingPlugins, NotADllDoesNotLoad) {
    const ModuleHandle module(LoadLibraryW(PluginPath(L"notadll").c_str()));
    EXPECT_FALSE(module);
    EXPECT_NE(GetFileAttributesW(PluginPath(L"notadll").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace nerula::test
