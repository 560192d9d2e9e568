// The main window created in the test process and driven by messages, with the platform
// seam recording what it starts and shows.

#include "app/win/main_form.h"
#include "forms/main_form_layout.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/win/dpi.h"
#include "common/win/module_path.h"
#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"
#include "main_form_fixture.h"
#include "recording_services.h"
#include "temp_folder.h"
#include "window_test_support.h"

namespace nerula {
namespace {

using test::IsShown;
using test::MainFormTest;
using test::RecordingServices;
using test::TempFolder;

TEST_F(MainFormTest, StartsEmptyWithTheProgramNameAsTitle) {
    Create(L"");
    ASSERT_NE(form->Handle(), nullptr);
    wchar_t className[32];
    GetClassNameW(form->Handle(), className, 32);
    EXPECT_STREQ(className, L"TMainForm");
    wchar_t caption[64];
    GetWindowTextW(form->Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Nerula");
    EXPECT_EQ(Title(), L"nerula_win_tests");
    EXPECT_FALSE(IsShown(form->Memo()));
    EXPECT_FALSE(IsShown(form->ImageBox().Handle()));
    EXPECT_TRUE(form->FileName().empty());
    EXPECT_TRUE(services.processes.empty());
    EXPECT_TRUE(services.boxes.empty());
    // Files dropped on the window or its children reach it.
    EXPECT_NE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, kMainFormSpec.clientWidth);
    EXPECT_EQ(client.bottom, kMainFormSpec.clientHeight);
}

int MemoFontHeight(HWND memo) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(memo, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

TEST_F(MainFormTest, AMoveToAMonitorOfAnotherDpiTakesTheSuggestedRectangleAndRemakesTheTextFont) {
    Create(L"");
    // The settings' font (FixedSys, 9 points) at this test's 96 dpi.
    ASSERT_EQ(WindowDpi(form->Handle()), 96u);
    EXPECT_EQ(MemoFontHeight(form->Memo()), -12);
    for (const unsigned dpi : {144u, 192u, 96u}) {
        const RECT suggested{40, 30, 40 + static_cast<int>(dpi) * 6, 30 + static_cast<int>(dpi) * 4};
        SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        EXPECT_EQ(window.left, suggested.left) << dpi;
        EXPECT_EQ(window.right - window.left, suggested.right - suggested.left) << dpi;
        EXPECT_EQ(window.bottom - window.top, suggested.bottom - suggested.top) << dpi;
        EXPECT_EQ(MemoFontHeight(form->Memo()), -12 * static_cast<int>(dpi) / 96) << dpi;
        // The size in points, which the settings keep, is the same at every DPI.
        EXPECT_EQ(form->ViewerFont().Size(), 9) << dpi;
        // The text view follows the new client area.
        RECT client{};
        RECT memo{};
        GetClientRect(form->Handle(), &client);
        GetWindowRect(form->Memo(), &memo);
        EXPECT_EQ(memo.right - memo.left, client.right) << dpi;
    }
    EXPECT_FALSE(form->Modified()) << "a move between monitors changes no setting";

    // A size whose pixels round at one DPI keeps its points at every other.
    for (const int points : {8, 11, 13}) {
        form->ViewerFont().SetSize(points);
        for (const unsigned dpi : {144u, 120u, 192u, 96u}) {
            const RECT suggested{40, 30, 40 + static_cast<int>(dpi) * 6, 30 + static_cast<int>(dpi) * 4};
            SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
            EXPECT_EQ(form->ViewerFont().Size(), points) << points << " points at " << dpi;
        }
    }
}

TEST_F(MainFormTest, TheViewsFillTheClientArea) {
    Create(L"");
    SetWindowPos(form->Handle(), nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(form->Handle(), &client);
    for (const HWND view : {form->Memo(), form->ImageBox().Handle()}) {
        RECT rect;
        GetWindowRect(view, &rect);
        MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, client.right);
        EXPECT_EQ(rect.bottom, client.bottom);
    }
}

TEST_F(MainFormTest, OpensTheFirstFileAndHandsOffTheRest) {
    const auto a = folder.Write(L"a.txt", "a");
    const auto b = folder.Write(L"b b.txt", "b");
    const auto c = folder.Write(L"c.txt", "c");
    Create(L"\"" + a + L"\" \"" + b + L"\" " + c);
    EXPECT_EQ(form->FileName(), a);
    EXPECT_EQ(Title(), a + L" - Nerula");
    ASSERT_EQ(services.processes.size(), 2u);
    EXPECT_EQ(services.processes[0].owner, form->Handle());
    EXPECT_EQ(services.processes[0].program, ModuleFileName());
    EXPECT_EQ(services.processes[0].parameters, L"/C0 /L1 /D1 \"" + b + L"\"");
    EXPECT_EQ(services.processes[1].parameters, L"/C0 /L1 /D1 \"" + c + L"\"");
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(MainFormTest, SwitchesTravelWithTheFileTheyPrecede) {
    const auto a = folder.Write(L"a.txt", "a");
    const auto b = folder.Write(L"b.txt", "b");
    Create(L"/C932 " + a + L" /L10 /D3 -c$FDE9 " + b + L" /L5");
    ASSERT_EQ(services.processes.size(), 1u);
    EXPECT_EQ(services.processes[0].parameters, L"/C65001 /L10 /D3 \"" + b + L"\"");
}

TEST_F(MainFormTest, AnUnreadableFirstFileIsReportedAndStopsTheWalk) {
    const std::wstring missing = folder.Path() + L"\\missing.txt";
    const auto b = folder.Write(L"b.txt", "b");
    Create(missing + L" " + b);
    ASSERT_EQ(services.boxes.size(), 1u);
    const auto& box = services.boxes[0];
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(box.caption, L"nerula_win_tests");
    // The message ends with a blank, so no full stop is added.
    EXPECT_EQ(box.text, OpenErrorText(missing, ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(services.processes.empty());
    EXPECT_EQ(form->FileName(), missing);
    EXPECT_EQ(Title(), L"nerula_win_tests");
    EXPECT_FALSE(IsShown(form->Memo()));
    EXPECT_FALSE(IsShown(form->ImageBox().Handle()));
}

TEST_F(MainFormTest, TheErrorNamesTheFullPathOfARelativeName) {
    Create(L"no-such-file.txt");
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, OpenErrorText(L"no-such-file.txt", ERROR_FILE_NOT_FOUND));
    EXPECT_NE(services.boxes[0].text.find(L":\\"), std::wstring::npos);
}

TEST_F(MainFormTest, AFileLockedByAnotherWriterCannotBeOpened) {
    const auto path = folder.Write(L"locked.txt", "x");
    const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    Create(L"\"" + path + L"\"");
    CloseHandle(writer);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, OpenErrorText(path, ERROR_SHARING_VIOLATION));
}

TEST_F(MainFormTest, DroppedFilesOpenTheFirstHereAndTheRestInNewProcesses) {
    const auto a = folder.Write(L"a.txt", "a");
    const auto b = folder.Write(L"b.txt", "b");
    const auto c = folder.Write(L"c d.txt", "c");
    Create(L"");
    ShowWindow(form->Memo(), SW_SHOW);
    SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({a, b, c})), 0);
    EXPECT_EQ(form->FileName(), a);
    EXPECT_EQ(Title(), a + L" - Nerula");
    EXPECT_TRUE(IsShown(form->Memo()));
    wchar_t text[8] = {};
    GetWindowTextW(form->Memo(), text, 8);
    EXPECT_STREQ(text, L"a");
    ASSERT_EQ(services.processes.size(), 2u);
    // No switches: the path alone, quoted.
    EXPECT_EQ(services.processes[0].parameters, L"\"" + b + L"\"");
    EXPECT_EQ(services.processes[1].parameters, L"\"" + c + L"\"");
    EXPECT_EQ(services.processes[1].program, ModuleFileName());
    EXPECT_EQ(services.processes[1].owner, form->Handle());
}

TEST_F(MainFormTest, ADroppedUnreadableFileEmptiesTheWindowAndHandsOffNothing) {
    const auto a = folder.Write(L"a.txt", "a");
    const auto b = folder.Write(L"b.txt", "b");
    Create(L"\"" + a + L"\"");
    ShowWindow(form->ImageBox().Handle(), SW_SHOW);
    const std::wstring missing = folder.Path() + L"\\gone.txt";
    SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({missing, b})), 0);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, OpenErrorText(missing, ERROR_FILE_NOT_FOUND));
    // The title still names the document opened before.
    EXPECT_EQ(services.boxes[0].caption, a + L" - Nerula");
    EXPECT_EQ(form->FileName(), missing);
    EXPECT_FALSE(IsShown(form->ImageBox().Handle()));
    EXPECT_FALSE(IsShown(form->Memo()));
    EXPECT_TRUE(services.processes.empty());
}

TEST_F(MainFormTest, ADroppedPathLongerThanMaxPathIsReadWhole) {
    // A path of more than 260 characters, made through the long-path prefix.
    std::wstring folderPath = folder.Path();
    while (folderPath.size() < 300) {
        folderPath += L"\\" + std::wstring(60, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folderPath).c_str(), nullptr));
    }
    const std::wstring longPath = folderPath + L"\\long.txt";
    test::WriteFileBytes(L"\\\\?\\" + longPath, "long");
    const auto other = folder.Write(L"other.txt", "o");
    Create(L"");
    SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({longPath, other})),
                 0);
    EXPECT_EQ(form->FileName(), longPath);
    ASSERT_EQ(services.processes.size(), 1u);
    EXPECT_EQ(services.processes[0].parameters, L"\"" + other + L"\"");
    if (!services.boxes.empty()) {
        // Where the system refuses such paths without the prefix, the error still names
        // the whole path, never a shortened one.
        EXPECT_NE(services.boxes[0].text.find(longPath), std::wstring::npos);
    }
}

TEST_F(MainFormTest, EditMenuFollowsTheVisibleView) {
    Create(L"");
    struct Expectation {
        const char* state;
        bool copy;
        bool find;
    };
    const auto check = [&](const Expectation& e) {
        EXPECT_EQ(test::MenuItemEnabled(form->Handle(), MENU_POS_EDIT, IDM_EDIT_COPY), e.copy) << e.state;
        for (const UINT id : {IDM_EDIT_FIND, IDM_EDIT_FIND_PREV, IDM_EDIT_FIND_NEXT}) {
            EXPECT_EQ(test::MenuItemEnabled(form->Handle(), MENU_POS_EDIT, id), e.find)
                << e.state << " " << id;
        }
    };
    check({"no document", false, false});

    ShowWindow(form->Memo(), SW_SHOW);
    SetWindowTextW(form->Memo(), L"some text");
    check({"text, nothing selected", false, true});
    SendMessageW(form->Memo(), EM_SETSEL, 2, 6);
    check({"text with a selection", true, true});

    // The picture view is tested first.
    ShowWindow(form->ImageBox().Handle(), SW_SHOW);
    check({"picture", true, false});
}

TEST_F(MainFormTest, CopyPutsTheSelectedTextOnTheClipboard) {
    Create(L"");
    ShowWindow(form->Memo(), SW_SHOW);
    SetWindowTextW(form->Memo(), L"日本語のテキスト");
    SendMessageW(form->Memo(), EM_SETSEL, 0, 3);
    test::SetClipboardText(form->Handle(), L"before");
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EDIT_COPY, 0), 0);
    EXPECT_EQ(test::ClipboardText(form->Handle()), L"日本語");
}

TEST_F(MainFormTest, CtrlCCopiesThroughTheMenuShortcut) {
    Create(L"");
    ShowWindow(form->Memo(), SW_SHOW);
    SetWindowTextW(form->Memo(), L"abc def");
    SendMessageW(form->Memo(), EM_SETSEL, 4, 7);
    test::SetClipboardText(form->Handle(), L"before");

    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE savedControl = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{form->Memo(), WM_KEYDOWN, 'C', 0x002E0001, 0, {0, 0}};
    const int translated = TranslateAcceleratorW(form->Handle(), form->Accelerators(), &msg);
    keys[VK_CONTROL] = savedControl;
    SetKeyboardState(keys);

    EXPECT_NE(translated, 0);
    EXPECT_EQ(test::ClipboardText(form->Handle()), L"def");
}

TEST_F(MainFormTest, TheWheelScrollsThePictureBoxOneIncrementPerMessage) {
    Create(L"");
    form->ImageBox().SetContentSize(2000, 2000);
    const auto wheel = [&](UINT message, short delta) {
        SendMessageW(form->Handle(), message, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    };
    wheel(WM_MOUSEWHEEL, -120);
    EXPECT_EQ(form->ImageBox().Position(SB_VERT), 8);
    wheel(WM_MOUSEWHEEL, -480);
    EXPECT_EQ(form->ImageBox().Position(SB_VERT), 16);
    wheel(WM_MOUSEWHEEL, 240);
    EXPECT_EQ(form->ImageBox().Position(SB_VERT), 8);
    wheel(WM_MOUSEHWHEEL, 120);
    EXPECT_EQ(form->ImageBox().Position(SB_HORZ), 8);
    wheel(WM_MOUSEHWHEEL, -120);
    wheel(WM_MOUSEHWHEEL, -120);
    EXPECT_EQ(form->ImageBox().Position(SB_HORZ), 0);
    // The scroll bar shows the same position.
    EXPECT_EQ(GetScrollPos(form->ImageBox().Handle(), SB_VERT), 8);
}

TEST_F(MainFormTest, TheWheelDoesNothingWhenThePictureFits) {
    Create(L"");
    form->ImageBox().SetContentSize(10, 10);
    SendMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(form->ImageBox().Position(SB_VERT), 0);
}

// The dialog starts in the current folder; keep it on a small folder of the test's own.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& path) {
        wchar_t saved[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, saved);
        saved_ = saved;
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(saved_.c_str()); }

private:
    std::wstring saved_;
};

void SetOpenDialogFileName(HWND dialog, const std::wstring& path) {
    // Explorer-style dialogs keep the name in a combo box (cmb13), older ones in edt1.
    if (!SetDlgItemTextW(dialog, 0x47C, path.c_str())) {
        SetDlgItemTextW(dialog, 0x480, path.c_str());
    }
}

TEST_F(MainFormTest, TheOpenDialogOpensTheChosenFile) {
    const auto a = folder.Write(L"a.txt", "a");
    const auto b = folder.Write(L"chosen.txt", "b");
    const CurrentFolder current(folder.Path());
    Create(L"\"" + a + L"\"");
    test::WithModalDialog([&] { SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_OPEN, 0), 0); },
                          [&](HWND dialog) {
                              SetOpenDialogFileName(dialog, b);
                              PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          });
    EXPECT_EQ(form->FileName(), b);
    EXPECT_EQ(Title(), b + L" - Nerula");
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(MainFormTest, CancellingTheOpenDialogKeepsTheDocument) {
    const auto a = folder.Write(L"a.txt", "a");
    const CurrentFolder current(folder.Path());
    Create(L"\"" + a + L"\"");
    test::WithModalDialog([&] { SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_FILE_OPEN, 0), 0); },
                          [&](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); });
    EXPECT_EQ(form->FileName(), a);
    EXPECT_EQ(Title(), a + L" - Nerula");
}

TEST_F(MainFormTest, ExitClosesTheWindow) {
    Create(L"");
    const HWND window = form->Handle();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_FILE_EXIT, 0), 0);
    test::PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form->Handle(), nullptr);
}

} // namespace
} // namespace nerula
