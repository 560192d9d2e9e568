#pragma once
// The main window in the test process, with the platform seam recording what it starts
// and shows, and a folder for the files it opens.

#include <gtest/gtest.h>

#include <memory>

#include "app/win/main_form.h"
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
        form = std::make_unique<TMainForm>(app, engines);
        form->Create(ToU16(L"nerula.exe " + arguments));
    }

    std::wstring Title() const { return ToWide(app.Title()); }
    std::wstring Caption() const {
        wchar_t caption[512] = {};
        GetWindowTextW(form->Handle(), caption, 512);
        return caption;
    }
    // Chooses a menu command, as the menu does.
    void Click(UINT id) { SendMessageW(form->Handle(), WM_COMMAND, id, 0); }
    bool Checked(UINT id) const {
        return (GetMenuState(GetMenu(form->Handle()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    // Whether the edit control wraps its lines: it does while it has no horizontal bar.
    bool Wraps() const { return (GetWindowLongPtrW(form->Memo(), GWL_STYLE) & WS_HSCROLL) == 0; }

    static std::wstring OpenErrorText(const std::wstring& path, DWORD code) {
        return L"ファイル " + test::FullPath(path) + L" は開けません。 " + ToWide(SystemErrorText(code)) +
               L" ";
    }

    // Which engines the search may use; the one the program uses by default unless a test chooses.
    RegexpEngines engines = RegexpEngines::ObjectOrBuiltin;
    RecordingServices services;
    TApplication app{services};
    TempFolder folder;
    std::unique_ptr<TMainForm> form;
};

} // namespace nerula::test
