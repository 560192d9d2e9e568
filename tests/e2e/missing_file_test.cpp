// A file that cannot be read: the error box names its full path, under the program's
// title; the program goes on with an empty window, and the files named after the failed
// one are not handed to other processes.

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

struct MissingCase {
    const char* label;
    const wchar_t* fileName;
    bool relative; // given by name alone, from the program's current folder
};

void PrintTo(const MissingCase& row, std::ostream* out) {
    *out << row.label;
}

class MissingFileTest : public E2eTest, public testing::WithParamInterface<MissingCase> {};

TEST_P(MissingFileTest, ReportsTheFullPathAndGoesOnWithoutHandingOff) {
    const MissingCase& c = GetParam();
    const std::wstring fullPath = folder.Path() + L"\\" + c.fileName;
    const std::wstring second = folder.Write(L"second.txt", "second file\r\n");
    const std::size_t formsBefore = MainForms().size();

    const std::wstring first = c.relative ? std::wstring(c.fileName) : fullPath;
    const NerulaProcess& nerula = Start(Quoted(first) + L" " + Quoted(second), folder.Path());

    const auto box = WaitForMessageBox(nerula.Id(), 10s);
    ASSERT_TRUE(box.has_value()) << "no error box";
    EXPECT_EQ(box->caption, ApplicationTitle()) << Utf8(box->caption);
    EXPECT_EQ(box->caption, L"Nerula") << "the product is built as Nerula.exe";
    EXPECT_TRUE(SaysCannotOpen(box->text, fullPath, ERROR_FILE_NOT_FOUND));

    PressOk(box->window);
    ASSERT_TRUE(WaitUntilGone(box->window, 5s)) << "the box did not close on OK";
    const HWND main = nerula.WaitForMainWindow(1s);
    ASSERT_NE(main, nullptr) << "the main window is gone after the error";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5s)) << "the program did not go on";
    EXPECT_TRUE(nerula.IsRunning());

    // The second file would go to a new process of the program, which would show up as a
    // process at once and as a main window soon after.
    const bool handedOff =
        WaitFor([&] { return guard.NewProcesses().size() > 1 || MainForms().size() > formsBefore + 1; }, 2s);
    EXPECT_FALSE(handedOff) << "the file after the unreadable one was handed off";
    EXPECT_EQ(FindMessageBox(nerula.Id()), nullptr) << "a second box followed the first";
}

INSTANTIATE_TEST_SUITE_P(Paths, MissingFileTest,
                         testing::Values(MissingCase{"FullPath", L"missing.txt", false},
                                         MissingCase{"FullPathWithSpaces", L"no such file.txt", false},
                                         MissingCase{"JapaneseName", L"存在しない文書.txt", false},
                                         MissingCase{"NameInCurrentFolder", L"missing.txt", true}),
                         CaseLabel<MissingCase>);

struct ProgramNameCase {
    const char* label;
    const wchar_t* fileName;
    const wchar_t* title;
};

void PrintTo(const ProgramNameCase& row, std::ostream* out) {
    *out << row.label;
}

class ProgramNameTest : public E2eTest, public testing::WithParamInterface<ProgramNameCase> {};

TEST_P(ProgramNameTest, ErrorBoxCaptionComesFromTheProgramFileName) {
    const ProgramNameCase& c = GetParam();
    const std::wstring copy = folder.Path() + L"\\" + c.fileName;
    ASSERT_TRUE(CopyFileW(Program().c_str(), copy.c_str(), TRUE)) << "cannot copy the program";
    guard.Watch(c.fileName);

    const std::wstring missing = folder.Path() + L"\\missing.txt";
    NerulaProcess nerula(copy, Quoted(missing));
    const auto box = WaitForMessageBox(nerula.Id(), 10s);
    ASSERT_TRUE(box.has_value()) << "no error box";
    EXPECT_EQ(box->caption, c.title) << Utf8(box->caption);
    EXPECT_TRUE(SaysCannotOpen(box->text, missing, ERROR_FILE_NOT_FOUND));
    PressOk(box->window);
    EXPECT_TRUE(nerula.Close()) << "the copy did not end on WM_CLOSE";
}

INSTANTIATE_TEST_SUITE_P(Names, ProgramNameTest,
                         testing::Values(ProgramNameCase{"UpperCase", L"NERULA.EXE", L"Nerula"},
                                         ProgramNameCase{"LowerCase", L"nerula.exe", L"nerula"},
                                         ProgramNameCase{"CutAtTheFirstDot", L"VIEW.OLD.EXE", L"View"}),
                         CaseLabel<ProgramNameCase>);

} // namespace
} // namespace nerula::e2e
