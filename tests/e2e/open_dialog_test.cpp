// The Open command: a file chosen in the common dialog is read like one from the command
// line, and its errors appear under the title of the document that is open.

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "menu_commands.h"
#include "message_box.h"
#include "open_dialog.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

// Held open for writing while sharing both ways: the program, which reads with read
// sharing only, then gets a sharing violation, while the dialog still sees the file.
class WriterLock {
public:
    explicit WriterLock(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool Held() const { return static_cast<bool>(file_); }

private:
    OwnedHandle file_;
};

class OpenDialogTest : public E2eTest {
protected:
    // Chooses the file through the Open command's dialog. False (with a failure recorded)
    // when the dialog does not come up or cannot be filled in.
    bool OpenThroughDialog(const NerulaProcess& nerula, HWND main, const std::wstring& path) {
        PostMenuCommand(main, Command(L"開く(&O)..."));
        const HWND dialog = WaitForOpenDialog(nerula.Id(), 10s);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no open dialog";
            return false;
        }
        if (const HWND box = FindMessageBox(nerula.Id()); box != nullptr) {
            ADD_FAILURE() << "a message box is up beside the dialog: " << Utf8(ReadMessageBox(box).text);
            return false;
        }
        if (!ChooseFile(dialog, path)) {
            ADD_FAILURE() << "cannot type into the dialog's file-name field";
            return false;
        }
        if (!WaitUntilGone(dialog, 5s)) {
            ADD_FAILURE() << "the dialog did not accept " << Utf8(path);
            return false;
        }
        return true;
    }

    void ExpectSharingViolationBox(const NerulaProcess& nerula, const std::wstring& path,
                                   const std::wstring& caption) {
        const auto box = WaitForMessageBox(nerula.Id(), 10s);
        ASSERT_TRUE(box.has_value()) << "no error box for " << Utf8(path);
        EXPECT_EQ(box->caption, caption) << Utf8(box->caption);
        EXPECT_TRUE(SaysCannotOpen(box->text, path, ERROR_SHARING_VIOLATION));
        PressOk(box->window);
        EXPECT_TRUE(WaitUntilGone(box->window, 5s)) << "the box did not close on OK";
    }
};

struct TitleCase {
    const char* label;
    bool relative; // the first document given by name alone, from the current folder
};

void PrintTo(const TitleCase& row, std::ostream* out) {
    *out << row.label;
}

class OpenDialogTitleTest : public OpenDialogTest, public testing::WithParamInterface<TitleCase> {};

TEST_P(OpenDialogTitleTest, ErrorBoxCarriesTheOpenDocumentsPathAsGiven) {
    const std::wstring a = folder.Write(L"a.txt", "first\r\n");
    const std::wstring b = folder.Write(L"b.txt", "locked\r\n");
    const WriterLock lock(b);
    ASSERT_TRUE(lock.Held());

    const std::wstring given = GetParam().relative ? std::wstring(L"a.txt") : a;
    const NerulaProcess& nerula = Start(Quoted(given), folder.Path());
    const HWND main = ReadyMainWindow(nerula);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(OpenThroughDialog(nerula, main, b));
    ExpectSharingViolationBox(nerula, b, given + L" - Nerula");

    // The failed open leaves the program running with its window.
    EXPECT_TRUE(nerula.IsRunning());
    EXPECT_TRUE(IsWindow(main));
    // The caption still names the document shown before: plain ASCII, nothing detected,
    // so the ANSI code page.
    EXPECT_EQ(TextOf(main), L"a.txt ( " + AnsiCodePageName() + L" ) - Nerula");
}

INSTANTIATE_TEST_SUITE_P(Paths, OpenDialogTitleTest,
                         testing::Values(TitleCase{"FullPath", false},
                                         TitleCase{"NameInCurrentFolder", true}),
                         CaseLabel<TitleCase>);

TEST_F(OpenDialogTest, ADocumentOpenedThroughTheDialogGivesTheTitle) {
    const std::wstring a = folder.Write(L"a.txt", "first\r\n");
    const std::wstring c = folder.Write(L"c.txt", "chosen\r\n");
    const std::wstring b = folder.Write(L"b.txt", "locked\r\n");
    const WriterLock lock(b);
    ASSERT_TRUE(lock.Held());

    const NerulaProcess& nerula = Start(Quoted(a));
    const HWND main = ReadyMainWindow(nerula);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(OpenThroughDialog(nerula, main, c));
    // The next command is handled after c has been read, so an error box for c would be
    // up by the time the next dialog shows (OpenThroughDialog fails on it).
    ASSERT_TRUE(OpenThroughDialog(nerula, main, b));
    ExpectSharingViolationBox(nerula, b, c + L" - Nerula");
}

} // namespace
} // namespace nerula::e2e
