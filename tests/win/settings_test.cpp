// The per-user INI file on the real private-profile functions, and the main window's
// settings loaded from it and saved back.

#include <gtest/gtest.h>

#include <fstream>

#include "common/exception.h"
#include "forms/resource_ids.h"
#include "main_form_fixture.h"
#include "settings/win/app_data.h"
#include "settings/win/app_ini_file.h"

namespace nerula {
namespace {

using test::MainFormTest;
using test::SettingsFile;

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        bytes.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
    }
    return bytes;
}

class AppIniFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::wstring path = folder.Path() + L"\\settings.ini";
};

TEST_F(AppIniFileTest, ReadIntegerFollowsTheSharedRule) {
    test::WriteFileBytes(path,
                         "[n]\r\nhex1=0x1A\r\nhex2=$1A\r\nhex3=x1A\r\nspaced=  -7\r\nbad=26abc\r\nempty=\r\n"
                         "prefix=0x\r\nbig=4294967296\r\n");
    const TAppIniFile ini(path);
    struct Case {
        const char16_t* key;
        std::int32_t expected;
    };
    for (const Case& c :
         {Case{u"hex1", 26}, Case{u"hex2", 26}, Case{u"hex3", 26}, Case{u"spaced", -7}, Case{u"bad", 99},
          Case{u"empty", 99}, Case{u"prefix", 99}, Case{u"big", 99}, Case{u"missing", 99}}) {
        EXPECT_EQ(ini.ReadInteger(u"n", c.key, 99), c.expected) << test::Narrow(ToWide(c.key));
    }
}

TEST_F(AppIniFileTest, ReadBoolIsTrueForEveryNonZeroNumber) {
    test::WriteFileBytes(path, "[b]\r\ntwo=2\r\nminus=-1\r\nzero=0\r\nyes=yes\r\n");
    const TAppIniFile ini(path);
    EXPECT_TRUE(ini.ReadBool(u"b", u"two", false));
    EXPECT_TRUE(ini.ReadBool(u"b", u"minus", false));
    EXPECT_FALSE(ini.ReadBool(u"b", u"zero", true));
    EXPECT_TRUE(ini.ReadBool(u"b", u"yes", true));
    EXPECT_FALSE(ini.ReadBool(u"b", u"yes", false));
}

TEST_F(AppIniFileTest, ANewFileIsUnicodeSoEveryCharacterSurvives) {
    {
        TAppIniFile ini(path);
        ini.WriteString(u"Image", u"PluginPath", u"C:\\プラグイン\\Ω");
        ini.WriteQuotedString(u"Text", u"Quoted", u" padded ");
        ini.WriteBool(u"Text", u"Flag", true);
    }
    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xFE");
    const TAppIniFile ini(path);
    EXPECT_EQ(ini.ReadString(u"Image", u"PluginPath", u""), u"C:\\プラグイン\\Ω");
    EXPECT_EQ(ini.ReadString(u"Text", u"Quoted", u""), u" padded ");
    EXPECT_TRUE(ini.ReadBool(u"Text", u"Flag", false));
}

TEST_F(AppIniFileTest, AnExistingAnsiFileKeepsWorking) {
    test::WriteFileBytes(path, "[Text]\r\nTabWidth=8\r\n");
    TAppIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(u"Text", u"TabWidth", 4), 8);
    ini.WriteInteger(u"Text", u"TabWidth", 2);
    EXPECT_EQ(ini.ReadInteger(u"Text", u"TabWidth", 4), 2);
    EXPECT_NE(FileBytes(path).substr(0, 2), "\xFF\xFE");
}

TEST_F(AppIniFileTest, SectionsAreDeletedOnlyWithKeysAndClearedAll) {
    test::WriteFileBytes(path, "[empty]\r\n[full]\r\na=1\r\n[other]\r\nb=2\r\n");
    TAppIniFile ini(path);
    ini.DeleteSection(u"empty");
    ini.DeleteSection(u"full");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::u16string>{u"empty", u"other"}));
    ini.Clear();
    EXPECT_TRUE(ini.ReadSections().empty());
}

// Another process holding the file open without sharing makes every write fail.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    ~ExclusiveLock() { CloseHandle(file_); }
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

TEST_F(AppIniFileTest, ARefusedWriteNamesTheFile) {
    test::WriteFileBytes(path, "[s]\r\nk=v\r\n");
    const ExclusiveLock lock(path);
    ASSERT_TRUE(lock.Held());
    TAppIniFile ini(path);
    try {
        ini.WriteString(u"s", u"k", u"w");
        ADD_FAILURE() << "a read-only file took the write";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), ToU16(path) + u" に書き込めません");
    }
}

TEST(AppData, TheFoldersOfTheNameAreMade) {
    const std::optional<std::wstring> file = GetAppDataFileName(u"Harrowfen\\NerulaTest\\Deeper\\x.ini");
    ASSERT_TRUE(file.has_value());
    const std::wstring folder = file->substr(0, file->rfind(L'\\'));
    const std::wstring ending = L"\\Harrowfen\\NerulaTest\\Deeper\\x.ini";
    ASSERT_GT(file->size(), ending.size());
    EXPECT_EQ(file->substr(file->size() - ending.size()), ending);
    EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(file->c_str()), INVALID_FILE_ATTRIBUTES) << "no file is made";
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(folder.substr(0, folder.rfind(L'\\')).c_str());
}

class ViewerSettingsTest : public MainFormTest {};

TEST_F(ViewerSettingsTest, AFirstRunUsesTheDefaultsAndWritesNothing) {
    Create(L"");
    EXPECT_EQ(form->ViewStyle(), PictureViewStyle::FitToWindow);
    EXPECT_TRUE(Checked(IDM_VIEW_ADJUST_WINDOW));
    EXPECT_TRUE(Checked(IDM_VIEW_WORD_WRAP));
    EXPECT_TRUE(Wraps());
    EXPECT_EQ(form->TabWidth(), 4);
    EXPECT_EQ(form->ViewerFont().Name(), L"FixedSys");
    EXPECT_EQ(form->ViewerFont().Size(), 9);
    EXPECT_EQ(form->ViewerFont().Style(), 0);
    EXPECT_TRUE(Checked(IDM_VIEW_ENCODE_AUTO));
    EXPECT_EQ(form->CodePage(), GetACP());
    EXPECT_EQ(form->Plugins().Lines().size() >= 2, true);
    EXPECT_FALSE(form->Modified());
    const std::wstring file = SettingsFile();
    const std::wstring settingsFolder = file.substr(0, file.rfind(L'\\'));
    EXPECT_NE(GetFileAttributesW(settingsFolder.c_str()), INVALID_FILE_ATTRIBUTES) << "the folders are made";
    form.reset();
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES)
        << "an unchanged exit writes nothing";
}

TEST_F(ViewerSettingsTest, AllNineSettingsMakeTheRoundTrip) {
    const std::wstring plugins = folder.Path() + L"\\プラグイン";
    CreateDirectoryW(plugins.c_str(), nullptr);
    Create(L"");
    form->SetPluginPath(ToU16(plugins));
    Click(IDM_VIEW_FULL_SIZE);
    Click(IDM_VIEW_WORD_WRAP);
    form->SetTabWidth(8);
    TextFont font(L"Courier New", 0);
    font.SetSize(12);
    font.SetStyle(TextFont::kItalic | TextFont::kStrikeOut);
    form->SetViewerFont(font);
    Click(IDM_VIEW_ENCODE_AUTO);
    Click(IDM_VIEW_ENCODE_UTF8);
    form.reset();

    const TAppIniFile ini(SettingsFile());
    EXPECT_EQ(ini.ReadString(u"Image", u"PluginPath", u""), ToU16(plugins));
    EXPECT_EQ(ini.ReadInteger(u"Text", u"FontStyle", -1), 10);

    Create(L"");
    EXPECT_EQ(form->PluginPath(), ToU16(plugins));
    EXPECT_EQ(form->ViewStyle(), PictureViewStyle::ActualSize);
    EXPECT_TRUE(Checked(IDM_VIEW_FULL_SIZE));
    EXPECT_FALSE(Checked(IDM_VIEW_WORD_WRAP));
    EXPECT_FALSE(Wraps());
    EXPECT_EQ(form->TabWidth(), 8);
    EXPECT_EQ(form->ViewerFont().Name(), L"Courier New");
    EXPECT_EQ(form->ViewerFont().Size(), 12);
    EXPECT_EQ(form->ViewerFont().Style(), TextFont::kItalic | TextFont::kStrikeOut);
    EXPECT_FALSE(Checked(IDM_VIEW_ENCODE_AUTO));
    EXPECT_EQ(form->CodePage(), 65001u);
    EXPECT_FALSE(form->Modified());
}

TEST_F(ViewerSettingsTest, UnreadableValuesGiveTheDefaults) {
    const std::wstring file = SettingsFile();
    test::WriteFileBytes(file,
                         "[Image]\r\nViewStyle=abc\r\n[Text]\r\nWordWrap=yes\r\nTabWidth=\r\nFontSize=big\r\n"
                         "FontStyle=261\r\nAutoEncode=0\r\nCodePage=1251\r\n");
    Create(L"");
    EXPECT_EQ(form->ViewStyle(), PictureViewStyle::FitToWindow);
    EXPECT_TRUE(Checked(IDM_VIEW_WORD_WRAP));
    EXPECT_EQ(form->TabWidth(), 4);
    EXPECT_EQ(form->ViewerFont().Size(), 9);
    EXPECT_EQ(form->ViewerFont().Style(), TextFont::kBold | TextFont::kUnderline) << "the low byte of 261";
    EXPECT_FALSE(Checked(IDM_VIEW_ENCODE_AUTO));
    EXPECT_EQ(form->CodePage(), GetACP()) << "a code page without an item becomes the ANSI one";
}

TEST_F(ViewerSettingsTest, AnOddViewStyleIsKeptAndSavedBack) {
    test::WriteFileBytes(SettingsFile(), "[Image]\r\nViewStyle=3\r\n");
    Create(L"");
    EXPECT_EQ(form->ViewStyle(), static_cast<PictureViewStyle>(3));
    EXPECT_FALSE(Checked(IDM_VIEW_ADJUST_WINDOW));
    EXPECT_FALSE(Checked(IDM_VIEW_FULL_SIZE));
    Click(IDM_VIEW_ENCODE_AUTO);
    Click(IDM_VIEW_ENCODE_AUTO);
    EXPECT_TRUE(Checked(IDM_VIEW_ENCODE_AUTO));
    form.reset();
    EXPECT_EQ(TAppIniFile(SettingsFile()).ReadInteger(u"Image", u"ViewStyle", 0), 3)
        << "toggled back, still saved";
}

TEST_F(ViewerSettingsTest, ACommandLineCodePageIsSavedWithAChange) {
    const std::wstring path = folder.Write(L"a.txt", "text");
    Create(L"/C932 \"" + path + L"\"");
    Click(IDM_VIEW_WORD_WRAP);
    form.reset();
    EXPECT_EQ(TAppIniFile(SettingsFile()).ReadInteger(u"Text", u"CodePage", 0), 932);
}

TEST_F(ViewerSettingsTest, AFailedSaveIsShownAndLeavesTheFileAsItWas) {
    test::WriteFileBytes(SettingsFile(), "[Text]\r\nTabWidth=6\r\n");
    Create(L"");
    form->SetTabWidth(2);
    {
        const ExclusiveLock lock(SettingsFile());
        ASSERT_TRUE(lock.Held());
        form.reset();
    }
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, SettingsFile() + L" に書き込めません.");
    EXPECT_EQ(FileBytes(SettingsFile()), "[Text]\r\nTabWidth=6\r\n");
}

} // namespace
} // namespace nerula
