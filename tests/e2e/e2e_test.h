#pragma once
// The base of every black-box test: a folder for test files, the program's processes
// started by the test, and a guard that ends every process of the program left running,
// also when a test fails half-way.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "nerula_process.h"
#include "temp_folder.h"

namespace nerula::e2e {

class E2eTest : public testing::Test {
protected:
    E2eTest();
    void SetUp() override;
    void TearDown() override;

    // Starts the program with the arguments; it is closed when the test ends.
    NerulaProcess& Start(const std::wstring& arguments, const std::wstring& directory = {});
    // Waits until the program's main window is up with no error box; null (with a failure
    // recorded) otherwise.
    static HWND ReadyMainWindow(const NerulaProcess& nerula);

    static const std::wstring& Program();
    // The program calls itself by its file name up to the first dot, the first character
    // as it is and the rest in lower case: the caption of its error boxes until a document
    // is open.
    static std::wstring ApplicationTitle(const std::wstring& program = Program());
    // The ID of the main-menu item with this caption.
    static UINT Command(std::wstring_view caption);
    static std::wstring Quoted(const std::wstring& path);
    // The first .txt file of the samples folder, or empty.
    static std::wstring SampleTextFile();

    test::TempFolder folder;
    ProcessGuard guard;

private:
    std::vector<std::unique_ptr<NerulaProcess>> processes_;
};

// The program's per-user settings file; every test starts and ends without one.
std::wstring SettingsFile();

// A Shift-JIS file's text as the program shows it: every line break as CR LF.
std::wstring ShiftJisFileText(const std::wstring& path);
// The name that the program gives the ANSI code page in its caption.
std::wstring AnsiCodePageName();

// The system's own description of an error code, without the final stop, as the program
// shows it after its own words.
std::wstring SystemReason(DWORD code);

// Whether a box's text says that the file cannot be opened, naming its full path and then
// the system's description of `code`.
testing::AssertionResult SaysCannotOpen(const std::wstring& text, const std::wstring& fullPath, DWORD code);

// Names a table row's test after the row's `label`.
template <typename Case>
std::string CaseLabel(const testing::TestParamInfo<Case>& row) {
    return row.param.label;
}

} // namespace nerula::e2e
