#pragma once
// The main window in the test process, with the platform seam recording what it starts
// and shows, and a folder for the files it opens.

#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "recording_services.h"
#include "settings/win/app_data.h"
#include "temp_folder.h"
#include "window_test_support.h"

namespace nerula::test {

inline bool IsShown(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The settings file that the main window loads and saves.
inline std::wstring SettingsFile() {
    return GetAppDataFileName(u"Harrowfen\\Nerula\\Nerula.ini").value_or(L"");
}

// Every test starts without a settings file, as on a first run, and leaves none behind.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileW(SettingsFile().c_str()); }
    void TearDown() override {
        form.reset();
        test::PumpMessages();
        DeleteFileW(SettingsFile().c_str());
    }

    void Create(const std::wstring& arguments) {
        form = std::make_unique<TMainForm>(app);
        form->Create(ToU16(L"nerula.exe " + arguments));
    }

    std::wstring Title() const { return ToWide(app.Title()); }

    static std::wstring OpenErrorText(const std::wstring& path, DWORD code) {
        return L"ファイル " + test::FullPath(path) + L" は開けません。 " + ToWide(SystemErrorText(code)) +
               L" ";
    }

    RecordingServices services;
    TApplication app{services};
    TempFolder folder;
    std::unique_ptr<TMainForm> form;
};

} // namespace nerula::test
