// The association page's registry steps against the test prefix's real registry: listing
// through the merged view, writing the verb under the user's classes only, cleaning up a
// row applied before, a ProgID that exists only machine-wide, an extension without any key,
// and a value of the wrong type.

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "common/exception.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "image/plugin_table.h"
#include "options/win/association_registry.h"

namespace nerula {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    RegistryKey key;
    ASSERT_EQ(
        RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr),
        ERROR_SUCCESS);
    RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool Exists(HKEY root, const std::wstring& path) {
    RegistryKey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

std::wstring Text(HKEY root, const std::wstring& path) {
    wchar_t value[512] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return value;
}

class AssociationsTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        for (const wchar_t* key :
             {L".nrtext", L"nrtextfile", L".nrimg", L"Nerula.nrimgFile", L".nrbad", L".nrm", L"nrmachine"}) {
            RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + key).c_str());
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str());
        }
    }
    const AssociationRow* RowOf(const AssociationRows& listed, std::u16string_view extension) const {
        for (const AssociationRow& row : listed.Rows()) {
            for (const std::u16string& e : row.extensions) {
                if (e == extension) {
                    return &row;
                }
            }
        }
        return nullptr;
    }
    AssociationRows rows{[](std::u16string_view caption) { return std::u16string(caption); }};
    PluginTable plugins;
    const std::u16string program = u"C:\\Program Files\\Nerula\\Nerula.exe";
};

TEST_F(AssociationsTest, ATextTypeIsListedAppliedAndCleanedUpAgain) {
    SetText(HKEY_CURRENT_USER, kClasses + L".nrtext", nullptr, L"nrtextfile");
    SetText(HKEY_CURRENT_USER, kClasses + L".nrtext", L"PerceivedType", L"text");
    SetText(HKEY_CURRENT_USER, kClasses + L"nrtextfile", nullptr, L"Nerula テスト文書");
    plugins.Reset();
    BuildAssociationRows(rows, plugins);
    const AssociationRow* row = RowOf(rows, u".nrtext");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->caption, u"Nerula テスト文書");
    EXPECT_EQ(row->classification, u"text");
    EXPECT_FALSE(row->checked);

    AssociationRow applied = *row;
    applied.checked = true;
    ApplyAssociationRows({applied}, program);
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClasses + L"nrtextfile\\shell\\nerula"), L"Nerula で表示(&D)");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClasses + L"nrtextfile\\shell\\nerula\\command"),
              L"\"C:\\Program Files\\Nerula\\Nerula.exe\" \"%1\"");
    BuildAssociationRows(rows, plugins);
    ASSERT_NE(RowOf(rows, u".nrtext"), nullptr);
    EXPECT_TRUE(RowOf(rows, u".nrtext")->checked) << "read back through the merged view";

    applied.checked = false;
    ApplyAssociationRows({applied}, program);
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, kClasses + L"nrtextfile\\shell"));
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, kClasses + L"nrtextfile"));
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, kClasses + L".nrtext")) << "left without subkeys";
}

TEST_F(AssociationsTest, ARowNeverAppliedLeavesTheUsersOwnKeysAlone) {
    // The user's own ProgID with an empty shell key: not the viewer's to remove.
    SetText(HKEY_CURRENT_USER, kClasses + L".nrtext", nullptr, L"nrtextfile");
    SetText(HKEY_CURRENT_USER, kClasses + L"nrtextfile", nullptr, L"mine");
    SetText(HKEY_CURRENT_USER, kClasses + L"nrtextfile\\shell", nullptr, L"");
    AssociationRow row{u"mine", {u".nrtext"}, u"text", false, false};
    ApplyAssociationRows({row}, program);
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClasses + L"nrtextfile"), L"mine");
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, kClasses + L"nrtextfile\\shell"));
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClasses + L".nrtext"), L"nrtextfile");
}

TEST_F(AssociationsTest, APluginsTypeWithoutAnyKeyGetsAProgIdOfItsOwn) {
    plugins.Reset();
    plugins.AddPlugin(u"*.nrimg", u"C:\\nowhere\\nrimg.spi");
    BuildAssociationRows(rows, plugins);
    const AssociationRow* row = RowOf(rows, u".NRIMG");
    ASSERT_NE(row, nullptr) << "the table's name, as the table has it";
    EXPECT_EQ(row->classification, u"image");

    const AssociationRow applied{u"NRIMG 画像", {u".nrimg"}, u"image", true, true};
    ApplyAssociationRows({applied}, program);
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClasses + L".nrimg"), L"Nerula.nrimgFile");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, kClasses + L"Nerula.nrimgFile"), L"NRIMG 画像");
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, kClasses + L"Nerula.nrimgFile\\shell\\nerula\\command"));
    EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, kClasses + L"Nerula.nrimgFile")) << "the user's classes only";
}

TEST_F(AssociationsTest, UncheckingAMachineWideRegistrationRemovesNothing) {
    SetText(HKEY_LOCAL_MACHINE, kClasses + L".nrm", nullptr, L"nrmachine");
    SetText(HKEY_LOCAL_MACHINE, kClasses + L".nrm", L"PerceivedType", L"text");
    SetText(HKEY_LOCAL_MACHINE, kClasses + L"nrmachine\\shell\\nerula\\command", nullptr, L"x");
    plugins.Reset();
    BuildAssociationRows(rows, plugins);
    ASSERT_NE(RowOf(rows, u".nrm"), nullptr);
    EXPECT_TRUE(RowOf(rows, u".nrm")->checked);
    AssociationRow row = *RowOf(rows, u".nrm");
    row.checked = false;
    ApplyAssociationRows({row}, program);
    EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, kClasses + L"nrmachine\\shell\\nerula\\command"));
}

TEST_F(AssociationsTest, AValueOfTheWrongTypeIsAnError) {
    RegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kClasses + L".nrbad").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExW(key.Get(), L"PerceivedType", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    plugins.Reset();
    try {
        BuildAssociationRows(rows, plugins);
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), u"'PerceivedType' のデータ型が不正です");
    }
}

} // namespace
} // namespace nerula
