// Starting the program: its main window appears under the program's name, and the Exit
// command of the File menu ends it with exit code 0.

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "menu_commands.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

enum class Document { None, Sample, SampleAfterSwitches };

struct StartCase {
    const char* label;
    Document document;
};

void PrintTo(const StartCase& row, std::ostream* out) {
    *out << row.label;
}

class StartupTest : public E2eTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartupTest, ShowsTheMainWindowAndEndsWithCodeZeroOnExit) {
    std::wstring arguments;
    if (GetParam().document != Document::None) {
        const std::wstring sample = SampleTextFile();
        ASSERT_FALSE(sample.empty()) << "no .txt file in the samples folder given by --samples ("
                                     << Utf8(GetOptions().samples) << ")";
        arguments = Quoted(sample);
        if (GetParam().document == Document::SampleAfterSwitches) {
            arguments = L"/C932 /L3 /D2 " + arguments;
        }
    }
    const NerulaProcess& nerula = Start(arguments);
    const HWND main = nerula.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "no TMainForm window of the started process";

    // The window is shown once the document has been read; a failed read puts up an error
    // box first and keeps the window hidden behind it.
    WaitFor([&] { return IsWindowVisible(main) || FindMessageBox(nerula.Id()) != nullptr; }, 10s);
    if (const HWND box = FindMessageBox(nerula.Id()); box != nullptr) {
        FAIL() << "unexpected message box: " << Utf8(ReadMessageBox(box).text);
    }
    ASSERT_TRUE(IsWindowVisible(main)) << "the main window was not shown";
    if (GetParam().document == Document::None) {
        EXPECT_EQ(TextOf(main), L"Nerula");
    } else {
        // The sample is Shift-JIS: detected, or prescribed by /C932.
        EXPECT_EQ(TextOf(main), L"sample-sjis.txt ( Shift-JIS ) - Nerula");
        const HWND memo = FindWindowExW(main, nullptr, L"Edit", nullptr);
        ASSERT_NE(memo, nullptr);
        EXPECT_TRUE(IsWindowVisible(memo));
        EXPECT_EQ(ControlText(memo), ShiftJisFileText(SampleTextFile()));
        if (GetParam().document == Document::SampleAfterSwitches) {
            // /L3 /D2: after the first character of the third line.
            const std::wstring text = ControlText(memo);
            const std::size_t third = text.find(L"\r\n", text.find(L"\r\n") + 2) + 2;
            const auto selection = static_cast<DWORD>(SendMessageW(memo, EM_GETSEL, 0, 0));
            EXPECT_EQ(LOWORD(selection), third + 1);
            EXPECT_EQ(HIWORD(selection), third + 1);
        }
    }

    PostMenuCommand(main, Command(L"終了(&X)"));
    const auto exitCode = nerula.WaitForExit(5s);
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end on the Exit command";
    EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, StartupTest,
    testing::Values(StartCase{"NoFile", Document::None}, StartCase{"BundledSample", Document::Sample},
                    StartCase{"BundledSampleAfterSwitches", Document::SampleAfterSwitches}),
    CaseLabel<StartCase>);

} // namespace
} // namespace nerula::e2e
