// Plug-ins in the main window: building the table from the folders, the plug-in folder
// setting, and pictures decoded by the project's test plug-ins (tests/plugins).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "common/exception.h"
#include "common/win/module_path.h"
#include "forms/resource_ids.h"
#include "liar_variants.h"
#include "main_form_fixture.h"
#include "ntp_format.h"
#include "ntp_picture.h"

namespace nerula {
namespace {

using test::IsShown;
using test::MainFormTest;

const std::wstring kSuffix = sizeof(void*) == 8 ? L".sph" : L".spi";
const wchar_t* const kSusieKey = L"Software\\Senbari\\Susie\\Plug-in";

// The test plug-ins of this build, beside the test program's folder.
std::wstring PluginBuildFolder() {
    const std::wstring program = ModuleFileName();
    return test::FullPath(program.substr(0, program.rfind(L'\\')) + L"\\..\\plugins\\out");
}

// Pixels from the top row down, blue, green, red: a colour per position.
std::string NtpPixels(int width, int height) {
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels += {static_cast<char>(x * 40), static_cast<char>(y * 60), static_cast<char>(0x80)};
        }
    }
    return pixels;
}

class PluginViewTest : public MainFormTest {
protected:
    void TearDown() override {
        MainFormTest::TearDown();
        RegDeleteKeyW(HKEY_CURRENT_USER, kSusieKey);
        SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
        SetCurrentDirectoryW(savedDirectory_.c_str());
    }
    void SetUp() override {
        MainFormTest::SetUp();
        savedPath_.resize(32768);
        savedPath_.resize(GetEnvironmentVariableW(L"PATH", savedPath_.data(), 32768));
        savedDirectory_.resize(MAX_PATH);
        savedDirectory_.resize(GetCurrentDirectoryW(MAX_PATH, savedDirectory_.data()));
    }

    // A folder holding copies of the named plug-ins.
    std::wstring PluginFolder(const std::wstring& name, std::initializer_list<const wchar_t*> plugins) {
        const std::wstring target = folder.Path() + L"\\" + name;
        CreateDirectoryW(target.c_str(), nullptr);
        for (const wchar_t* plugin : plugins) {
            const std::wstring file = std::wstring(plugin) + kSuffix;
            EXPECT_TRUE(CopyFileW((PluginBuildFolder() + L"\\" + file).c_str(),
                                  (target + L"\\" + file).c_str(), FALSE))
                << "missing test plug-in " << test::Narrow(file);
        }
        return target;
    }

    static void SetSusieFolder(const std::wstring& path) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, kSusieKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    std::vector<std::u16string> PluginLines() const {
        std::vector<std::u16string> lines = form->Plugins().Lines();
        // Files come in the file system's order; compare them sorted after the built-ins.
        std::sort(lines.begin() + 2, lines.end());
        return lines;
    }

private:
    std::wstring savedPath_;
    std::wstring savedDirectory_;
};

TEST_F(PluginViewTest, TheTableHoldsEveryPatternOfTheAcceptedPlugins) {
    const std::wstring plugins =
        PluginFolder(L"plugins", {L"ntp", L"trailing", L"twopatterns", L"noentry", L"version", L"lowercase",
                                  L"notaplugin", L"notadll"});
    Create(L"");
    form->SetPluginPath(ToU16(plugins));
    const std::u16string p = ToU16(plugins) + u"\\";
    std::vector<std::u16string> expected{
        u".bmp=",
        u".dib=",
        u"=" + p + u"trailing" + ToU16(kSuffix),
        u"=" + p + u"twopatterns" + ToU16(kSuffix),
        u".NGE=" + p + u"noentry" + ToU16(kSuffix),
        u".NT1=" + p + u"twopatterns" + ToU16(kSuffix),
        u".NT2=" + p + u"twopatterns" + ToU16(kSuffix),
        u".NTP=" + p + u"ntp" + ToU16(kSuffix),
        u".NTR=" + p + u"trailing" + ToU16(kSuffix),
    };
    std::sort(expected.begin() + 2, expected.end());
    EXPECT_EQ(PluginLines(), expected);
    EXPECT_EQ(form->PluginPath(), ToU16(plugins));
    EXPECT_TRUE(form->Modified());
}

TEST_F(PluginViewTest, OnlyTheFirstFolderWithPluginFilesIsSearched) {
    const std::wstring susie = PluginFolder(L"susie", {L"ntp"});
    SetSusieFolder(susie);
    const std::wstring junk = PluginFolder(L"junk", {L"notadll"});
    const std::wstring empty = PluginFolder(L"empty", {});

    Create(L"");
    // No folder configured: Susie's folder.
    EXPECT_EQ(form->Plugins().Lines().size(), 3u);
    // A folder without plug-in files: still Susie's.
    form->SetPluginPath(ToU16(empty));
    EXPECT_EQ(form->Plugins().Lines().size(), 3u);
    // A folder whose only file is no plug-in: that folder, and nothing from Susie's.
    form->SetPluginPath(ToU16(junk));
    EXPECT_EQ(form->Plugins().Lines(), (std::vector<std::u16string>{u".bmp=", u".dib="}));
}

TEST_F(PluginViewTest, WritingThePluginPathRebuildsOnlyOnChange) {
    const std::wstring plugins = PluginFolder(L"plugins", {L"ntp"});
    Create(L"");
    EXPECT_FALSE(form->Modified()) << "loading the defaults is not a change";
    form->SetPluginPath(u"");
    EXPECT_FALSE(form->Modified());
    form->SetPluginPath(ToU16(plugins));
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(form->Plugins().Lines().size(), 3u);
}

TEST_F(PluginViewTest, RelativeAndEmptyFoldersAreNeverSearched) {
    // A plug-in planted in the current folder (a document's folder when started by an
    // association) and a relative PATH entry must not be loaded.
    const std::wstring planted = PluginFolder(L"documents", {L"ntp"});
    SetCurrentDirectoryW(planted.c_str());
    SetEnvironmentVariableW(L"PATH", L".;plugins;;");
    Create(L"");
    EXPECT_EQ(form->Plugins().Lines(), (std::vector<std::u16string>{u".bmp=", u".dib="}));
}

TEST_F(PluginViewTest, ANonStringSusieFolderIsReported) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSusieKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExW(key, L"Path", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    Create(L"");
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, L"'Path' のデータ型が不正です.");
    EXPECT_EQ(form->Plugins().Lines(), (std::vector<std::u16string>{u".bmp=", u".dib="}));
}

TEST_F(PluginViewTest, APluginPictureIsShownUprightWithItsCaption) {
    SetSusieFolder(PluginFolder(L"plugins", {L"ntp", L"infofails"}));
    for (const int height : {3, -3}) {
        const std::wstring path = folder.Write(L"picture.ntp", ntp::MakeFile(4, height, 24, NtpPixels(4, 3)));
        Create(L"\"" + path + L"\"");
        EXPECT_TRUE(services.boxes.empty());
        EXPECT_TRUE(IsShown(form->ImageBox().Handle()));
        // The plug-in reports the picture's height, however its rows are stored.
        EXPECT_EQ(Caption(), L"picture.ntp ( 4 x 3 24bit ) - Nerula");
        const Picture& picture = form->Image().CurrentPicture();
        ASSERT_EQ(picture.Width(), 4);
        ASSERT_EQ(picture.Height(), 3);
        // Bottom-right pixel: x 3, y 2 → red 0x80, green 120, blue 120.
        EXPECT_EQ(picture.Pixels()[11] & 0xFFFFFF, 0x807878u) << height;
        EXPECT_EQ(picture.Pixels()[0] & 0xFFFFFF, 0x800000u) << height;
        form.reset();
    }
    // The record's text information was freed once the caption was made.
    char handle[32] = {};
    ASSERT_GT(GetEnvironmentVariableA(plugins::kTextInfoVariable, handle, sizeof handle), 0u);
    const auto textInfo =
        reinterpret_cast<HLOCAL>(static_cast<std::uintptr_t>(std::strtoull(handle, nullptr, 16)));
    EXPECT_EQ(LocalFlags(textInfo), LMEM_INVALID_HANDLE);
    // GetPictureInfo failing after GetPicture only shortens the caption.
    const std::wstring path = folder.Write(L"short.nif", ntp::MakeFile(4, 3, 24, NtpPixels(4, 3)));
    Create(L"\"" + path + L"\"");
    EXPECT_TRUE(IsShown(form->ImageBox().Handle()));
    EXPECT_EQ(Caption(), L"short.nif - Nerula");
}

TEST_F(PluginViewTest, FailingOrLyingPluginsLeaveTheFileToTheTextView) {
    SetSusieFolder(PluginFolder(L"plugins", {L"fails", L"noentry", L"liar", L"version"}));
    const std::string picture = ntp::MakeFile(4, 3, 24, NtpPixels(4, 3));
    struct Case {
        const wchar_t* name;
        std::string bytes;
    };
    const std::vector<Case> cases{
        {L"a.nfa", picture},
        {L"a.nge", picture},
        {L"a.nvr", picture},
        {L"taller.nli", std::string(1, liar::kTaller)},
        {L"wider.nli", std::string(1, liar::kWider)},
        {L"cut.nli", std::string(1, liar::kInfoCut)},
        {L"palette.nli", std::string(1, liar::kPaletteMissing)},
    };
    for (const Case& c : cases) {
        const std::wstring path = folder.Write(c.name, c.bytes);
        Create(L"/C1252 \"" + path + L"\"");
        EXPECT_TRUE(services.boxes.empty()) << test::Narrow(c.name);
        EXPECT_TRUE(IsShown(form->Memo())) << test::Narrow(c.name);
        EXPECT_FALSE(IsShown(form->ImageBox().Handle())) << test::Narrow(c.name);
        form.reset();
    }
}

} // namespace
} // namespace nerula
