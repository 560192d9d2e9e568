#include "settings/win/viewer_settings_store.h"

#include "settings/win/app_data.h"
#include "settings/win/app_ini_file.h"
#include "settings/win/settings_store.h"

namespace nerula {
namespace {

constexpr char16_t kSettingsFile[] = u"Harrowfen\\Nerula\\Nerula.ini";

} // namespace

ViewerSettings LoadViewerSettings(std::uint32_t ansiCodePage) {
    const std::optional<std::wstring> fileName = GetAppDataFileName(kSettingsFile);
    if (!fileName) {
        return DefaultViewerSettings(ansiCodePage);
    }
    return ReadViewerSettings(TAppIniFile(*fileName), ansiCodePage);
}

void SaveViewerSettings(const ViewerSettings& settings) {
    const std::optional<std::wstring> fileName = GetAppDataFileName(kSettingsFile);
    if (!fileName) {
        return;
    }
    SaveIniFileAtomically(*fileName, [&settings](TAppIniFile& ini) { WriteViewerSettings(ini, settings); });
}

} // namespace nerula
