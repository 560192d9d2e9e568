// Pictures end to end: the test format read through the test plug-in built for the
// program's own architecture (*.sph for x86_64, *.spi for i686), found in the plug-in folder
// of the settings file.

#include <shlobj.h>

#include <string>

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "message_box.h"
#include "ntp_format.h"

namespace nerula::e2e {
namespace {

// The test plug-in that reads the NTP format, as the program's architecture names it.
std::wstring NtpPlugin() {
    for (const wchar_t* suffix : {L".sph", L".spi"}) {
        const std::wstring path = GetOptions().plugins + L"\\ntp" + suffix;
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return path;
        }
    }
    return {};
}

TEST_F(E2eTest, ShowsAPictureThroughThePluginOfTheSettingsFolder) {
    const std::wstring plugin = NtpPlugin();
    ASSERT_FALSE(plugin.empty()) << "the driver needs --plugins=UNIXPATH of the test plug-ins";
    // A folder holding only this plug-in: the build's folder holds misbehaving ones too.
    const std::wstring plugins = folder.Path() + L"\\plugins";
    ASSERT_TRUE(CreateDirectoryW(plugins.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(plugin.c_str(), (plugins + plugin.substr(plugin.rfind(L'\\'))).c_str(), TRUE));
    const std::wstring settings = SettingsFile();
    SHCreateDirectoryExW(nullptr, settings.substr(0, settings.rfind(L'\\')).c_str(), nullptr);
    ASSERT_TRUE(WritePrivateProfileStringW(L"Image", L"PluginPath", plugins.c_str(), settings.c_str()));

    // 5 × 3 pixels, 24 bits, rows stored top-down.
    const std::string pixels(5 * 3 * 3, '\x80');
    const std::wstring path = folder.Write(L"picture.ntp", ntp::MakeFile(5, -3, 24, pixels));
    const NerulaProcess& nerula = Start(Quoted(path));
    const HWND main = ReadyMainWindow(nerula);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main), L"picture.ntp ( 5 x 3 24bit ) - Nerula");
    const HWND memo = FindWindowExW(main, nullptr, L"Edit", nullptr);
    EXPECT_TRUE(memo == nullptr || !IsWindowVisible(memo)) << "the picture was shown as text";
    EXPECT_EQ(FindMessageBox(nerula.Id()), nullptr);
}

} // namespace
} // namespace nerula::e2e
