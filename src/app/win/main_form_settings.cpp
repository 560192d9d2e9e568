// The main window's settings: loaded from the per-user INI file while the window is
// created, saved back when it is destroyed if the user changed any of them.

#include "app/win/main_form.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"
#include "settings/win/app_data.h"
#include "settings/win/app_ini_file.h"
#include "settings/win/settings_store.h"

namespace nerula {
namespace {

constexpr char16_t kSettingsFile[] = u"Harrowfen\\Nerula\\Nerula.ini";
const std::u16string kImage = u"Image";
const std::u16string kText = u"Text";

} // namespace

void TMainForm::LoadSettings() {
    const std::optional<std::wstring> fileName = GetAppDataFileName(kSettingsFile);
    // Without the application-data folder there is no file: every read gives its default.
    const TAppIniFile ini(fileName.value_or(std::wstring()));
    const auto readString = [&](const std::u16string& section, const std::u16string& key,
                                const std::u16string& defaultValue) {
        return fileName ? ini.ReadString(section, key, defaultValue) : defaultValue;
    };
    const auto readInteger = [&](const std::u16string& section, const std::u16string& key,
                                 std::int32_t defaultValue) {
        return fileName ? ini.ReadInteger(section, key, defaultValue) : defaultValue;
    };
    SetPluginPath(readString(kImage, u"PluginPath", u""));
    SetViewStyle(readInteger(kImage, u"ViewStyle", 1));
    const bool wrap = readInteger(kText, u"WordWrap", 1) != 0;
    SetMenuChecked(IDM_VIEW_WORD_WRAP, wrap);
    memo_.SetBothScrollBars(!wrap);
    SetTabWidth(readInteger(kText, u"TabWidth", 4));
    TextFont& font = memo_.Font();
    font.SetName(ToWide(readString(kText, u"FontName", u"FixedSys")));
    font.SetSize(readInteger(kText, u"FontSize", 9));
    font.SetStyle(static_cast<std::uint8_t>(readInteger(kText, u"FontStyle", 0) & 0xFF));
    SetMenuChecked(IDM_VIEW_ENCODE_AUTO, readInteger(kText, u"AutoEncode", 1) != 0);
    SetCodePage(static_cast<std::uint32_t>(
        readInteger(kText, u"CodePage", static_cast<std::int32_t>(codePage_.Ansi()))));
    FModified = false;
}

void TMainForm::SaveSettings() {
    const std::optional<std::wstring> fileName = GetAppDataFileName(kSettingsFile);
    if (!fileName) {
        // Nowhere the settings belong: better lost than written to an unintended place.
        FModified = false;
        return;
    }
    SaveIniFileAtomically(*fileName, [this](TAppIniFile& ini) {
        ini.WriteString(kImage, u"PluginPath", FPluginPath);
        ini.WriteInteger(kImage, u"ViewStyle", FViewStyle);
        ini.WriteBool(kText, u"WordWrap", MenuChecked(IDM_VIEW_WORD_WRAP));
        ini.WriteInteger(kText, u"TabWidth", TabWidth());
        ini.WriteString(kText, u"FontName", ToU16(memo_.Font().Name()));
        ini.WriteInteger(kText, u"FontSize", memo_.Font().Size());
        ini.WriteInteger(kText, u"FontStyle", memo_.Font().Style());
        ini.WriteBool(kText, u"AutoEncode", MenuChecked(IDM_VIEW_ENCODE_AUTO));
        ini.WriteInteger(kText, u"CodePage", static_cast<std::int32_t>(CodePage()));
    });
    FModified = false;
}

void TMainForm::FormDestroy() {
    if (FModified) {
        SaveSettings();
    }
}

} // namespace nerula
