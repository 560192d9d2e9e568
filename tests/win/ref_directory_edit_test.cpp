// The folder edit on real controls in a dialog built from a table: its button beside the
// edit, the text tip, and the folder browser that the button opens, which the test closes
// itself; and the browser component's flags, message and properties.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "common/win/dialog.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "controls/win/ref_directory_edit.h"
#include "controls/win/select_directory.h"
#include "presented_errors.h"
#include "recording_services.h"
#include "temp_folder.h"
#include "window_test_support.h"

namespace nerula {
namespace {

using enum TSelectDirOpt;

constexpr FormSpec kForm{
    .caption = u"フォルダ", .clientWidth = 320, .clientHeight = 80, .fontFace = u"Tahoma", .fontHeight = -11};

constexpr int kEditId = 201;
constexpr int kButtonId = 202;

constexpr std::array<ControlSpec, 3> kControls{{
    {.name = u"PathGroup",
     .kind = ControlKind::GroupBox,
     .bounds = {8, 8, 304, 64},
     .caption = u"プラグイン"},
    {.name = u"PathEdit",
     .kind = ControlKind::Edit,
     .parent = u"PathGroup",
     .bounds = {12, 24, 200, 21},
     .options = ControlOption::TabStop,
     .tabOrder = 1,
     .id = kEditId},
    {.name = u"PathButton",
     .kind = ControlKind::PushButton,
     .parent = u"PathGroup",
     .bounds = {216, 22, 75, 25},
     .caption = u"参照",
     .options = ControlOption::TabStop,
     .tabOrder = 2,
     .id = kButtonId},
}};

// Hands the folder edit its button's click, and counts the edit's changes.
class FolderDialog : public Dialog {
public:
    explicit FolderDialog(PlatformServices& services) : Dialog(kControls, kForm), services_(services) {}

    std::unique_ptr<TRefDirectoryEdit> folder;
    int changes = 0;

protected:
    unsigned InitialDpi() override { return 96; }
    void OnInitDialog() override {
        folder = std::make_unique<TRefDirectoryEdit>(Control(u"PathEdit"), Control(u"PathButton"), services_);
    }
    void OnCommand(int id, int code, HWND control) override {
        LRESULT result = 0;
        if (folder && folder->HandleNotification(WM_COMMAND, MAKEWPARAM(id, code),
                                                 reinterpret_cast<LPARAM>(control), result)) {
            return;
        }
        if (id == kEditId && code == EN_CHANGE) {
            ++changes;
        }
        Dialog::OnCommand(id, code, control);
    }

private:
    PlatformServices& services_;
};

RECT InParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Visible(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The text and the tree of an open browser.
std::wstring SelectedFolderName(HWND browser) {
    const HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) {
        return L"<none>";
    }
    wchar_t text[MAX_PATH] = {};
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

std::wstring NameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

class RefDirectoryEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<FolderDialog>(services);
        dialog->CreateModeless(nullptr);
        dialog->Show();
        test::PumpMessages();
        ASSERT_TRUE(dialog->folder);
        edit = folder().Edit();
        button = folder().Button();
    }
    void TearDown() override {
        dialog.reset();
        test::PumpMessages();
    }

    TRefDirectoryEdit& folder() const { return *dialog->folder; }
    void Click() const { SendMessageW(button, BM_CLICK, 0, 0); }

    test::PresentedErrors errors;
    test::RecordingServices services;
    std::unique_ptr<FolderDialog> dialog;
    HWND edit = nullptr;
    HWND button = nullptr;
};

TEST_F(RefDirectoryEditTest, TheButtonIsASquareOfTheEditsHeightAtTheMargin) {
    EXPECT_EQ(WindowText(button), u"...");
    EXPECT_EQ(folder().Margin(), 4);
    const RECT e = InParent(edit);
    RECT b = InParent(button);
    EXPECT_EQ(b.left, e.right + 4);
    EXPECT_EQ(b.top, e.top);
    EXPECT_EQ(b.right - b.left, e.bottom - e.top);
    EXPECT_EQ(b.bottom - b.top, e.bottom - e.top);
    folder().SetMargin(10);
    EXPECT_EQ(InParent(button).left, b.left + 6);
    EXPECT_EQ(InParent(button).top, b.top);
}

TEST_F(RefDirectoryEditTest, TheButtonFollowsTheEdit) {
    SetWindowPos(edit, nullptr, 20, 30, 150, 26, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT b = InParent(button);
    EXPECT_EQ(b.left, 174);
    EXPECT_EQ(b.top, 30);
    EXPECT_EQ(b.right - b.left, 26);
    EXPECT_EQ(b.bottom - b.top, 26);
    EnableWindow(edit, FALSE);
    EXPECT_FALSE(IsWindowEnabled(button));
    EnableWindow(edit, TRUE);
    EXPECT_TRUE(IsWindowEnabled(button));
    ShowWindow(edit, SW_HIDE);
    EXPECT_FALSE(Visible(button));
    ShowWindow(edit, SW_SHOW);
    EXPECT_TRUE(Visible(button));
}

TEST_F(RefDirectoryEditTest, TheButtonStaysBesideTheEditWhenTheDialogIsLaidOutForAnotherDpi) {
    folder().SetMargin(6);
    RECT window{};
    GetWindowRect(dialog->Handle(), &window);
    RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                   window.top + (window.bottom - window.top) * 3 / 2};
    SendMessageW(dialog->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT e = InParent(edit);
    const RECT b = InParent(button);
    EXPECT_EQ(e.bottom - e.top, 32); // the builder has laid the edit out for 144 dpi
    EXPECT_EQ(b.left, e.right + 6);
    EXPECT_EQ(b.top, e.top);
    EXPECT_EQ(b.right - b.left, 32);
    EXPECT_EQ(b.bottom - b.top, 32);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(RefDirectoryEditTest, AButtonDestroyedElsewhereIsForgotten) {
    DestroyWindow(button);
    EXPECT_EQ(folder().Button(), nullptr);
    SetWindowPos(edit, nullptr, 10, 10, 80, 21, SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(edit, FALSE);
    ShowWindow(edit, SW_HIDE);
    folder().SetMargin(8);
    EXPECT_EQ(folder().Margin(), 8);
    LRESULT result = 0;
    EXPECT_FALSE(folder().HandleNotification(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED),
                                             reinterpret_cast<LPARAM>(button), result));
    EXPECT_TRUE(errors.messages.empty());
}

// Asks the tip's text as the tooltip does when it is about to show.
std::wstring AskTip(HWND edit, HWND tip) {
    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = tip;
    request.hdr.idFrom = reinterpret_cast<UINT_PTR>(edit);
    request.hdr.code = TTN_GETDISPINFOW;
    request.lpszText = nullptr;
    SendMessageW(edit, WM_NOTIFY, request.hdr.idFrom, reinterpret_cast<LPARAM>(&request));
    return request.lpszText != nullptr ? std::wstring(request.lpszText) : L"<no answer>";
}

TEST_F(RefDirectoryEditTest, TheTextTipShowsOnlyATextTooWideForTheEdit) {
    EXPECT_FALSE(folder().TextTip());
    EXPECT_EQ(folder().TipWindow(), nullptr);
    folder().SetTextTip(true);
    EXPECT_TRUE(folder().TextTip());
    const HWND tip = folder().TipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(ClassOf(tip), L"tooltips_class32");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.hwnd, edit);
    EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(edit));

    const std::wstring wide = L"C:\\Program Files\\Nerula\\プラグイン\\" + std::wstring(80, L'W');
    struct Case {
        std::wstring text;
        std::wstring tip;
    };
    const Case cases[] = {{wide, wide}, {L"C:\\", L""}, {L"", L""}};
    for (const Case& c : cases) {
        SetWindowTextW(edit, c.text.c_str());
        EXPECT_EQ(AskTip(edit, tip), c.tip) << test::Narrow(c.text);
    }
    folder().SetTextTip(false);
    EXPECT_EQ(folder().TipWindow(), nullptr);
    EXPECT_FALSE(IsWindow(tip));
}

TEST_F(RefDirectoryEditTest, HoveringShowsTheTipOnlyForATextTooWideForTheEdit) {
    folder().SetTextTip(true);
    const HWND tip = folder().TipWindow();
    ASSERT_NE(tip, nullptr);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
    // The pointer is the display's: it goes back where it was for the tests after this one.
    POINT before{};
    GetCursorPos(&before);
    RECT e{};
    GetWindowRect(edit, &e);
    const POINT middle{(e.left + e.right) / 2, (e.top + e.bottom) / 2};
    POINT client = middle;
    ScreenToClient(edit, &client);
    const auto hover = [&] {
        SendMessageW(tip, TTM_POP, 0, 0);
        SetCursorPos(middle.x, middle.y);
        SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        const DWORD until = GetTickCount() + 600;
        while (GetTickCount() < until && !IsWindowVisible(tip)) {
            test::PumpMessages();
            Sleep(10);
        }
        return IsWindowVisible(tip) != FALSE;
    };
    SetWindowTextW(edit, (L"C:\\" + std::wstring(120, L'W')).c_str());
    EXPECT_TRUE(hover());
    SetWindowTextW(edit, L"C:\\");
    EXPECT_FALSE(hover());
    SendMessageW(tip, TTM_POP, 0, 0);
    SetCursorPos(before.x, before.y);
}

TEST_F(RefDirectoryEditTest, ATipDestroyedWithItsDialogIsForgotten) {
    folder().SetTextTip(true);
    const HWND tip = folder().TipWindow();
    ASSERT_NE(tip, nullptr);
    std::unique_ptr<TRefDirectoryEdit> kept = std::move(dialog->folder);
    DestroyWindow(dialog->Handle());
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(kept->TipWindow(), nullptr);
    EXPECT_EQ(kept->Edit(), nullptr);
    EXPECT_EQ(kept->Button(), nullptr);
    kept.reset();
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(RefDirectoryEditTest, CancelChangesNothing) {
    const test::TempFolder temp;
    folder().Dialog().SetDirectory(ToU16(temp.Path()));
    folder().SetText(u"typed");
    dialog->changes = 0;
    HWND seen = nullptr;
    test::WithModalDialogOver(
        dialog->Handle(), [&] { Click(); },
        [&](HWND browser) {
            seen = browser;
            PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        });
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(folder().Text(), u"typed");
    EXPECT_EQ(folder().Dialog().Directory(), ToU16(temp.Path()));
    EXPECT_EQ(dialog->changes, 0);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(RefDirectoryEditTest, OkWritesTheFolderChosenIntoTheEdit) {
    const test::TempFolder temp;
    folder().Dialog().SetDirectory(ToU16(temp.Path()));
    // Typed since: the browser still opens at the folder chosen through it.
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    SetWindowTextW(edit, windows);
    dialog->changes = 0;
    std::wstring selected;
    test::WithModalDialogOver(
        dialog->Handle(), [&] { Click(); },
        [&](HWND browser) {
            selected = SelectedFolderName(browser);
            PostMessageW(browser, WM_COMMAND, IDOK, 0);
        });
    EXPECT_EQ(selected, NameOf(temp.Path()));
    EXPECT_EQ(ToWide(folder().Text()), temp.Path());
    EXPECT_EQ(ToWide(folder().Dialog().Directory()), temp.Path());
    EXPECT_EQ(dialog->changes, 1);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(RefDirectoryEditTest, WhileTheBrowserIsOpenTheOtherWindowsTakeNoInput) {
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    const UINT before = SetErrorMode(0);
    SetErrorMode(before);
    bool otherEnabled = true;
    bool ownerEnabled = true;
    bool browserEnabled = false;
    UINT modeWhileOpen = 0;
    HWND owner = nullptr;
    test::WithModalDialogOver(
        dialog->Handle(), [&] { Click(); },
        [&](HWND browser) {
            otherEnabled = IsWindowEnabled(other) != FALSE;
            ownerEnabled = IsWindowEnabled(dialog->Handle()) != FALSE;
            browserEnabled = IsWindowEnabled(browser) != FALSE;
            owner = GetWindow(browser, GW_OWNER);
            modeWhileOpen = SetErrorMode(0);
            SetErrorMode(modeWhileOpen);
            PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_FALSE(otherEnabled);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(browserEnabled);
    EXPECT_EQ(owner, dialog->Handle());
    EXPECT_EQ(modeWhileOpen, static_cast<UINT>(SEM_FAILCRITICALERRORS));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
    const UINT after = SetErrorMode(0);
    SetErrorMode(after);
    EXPECT_EQ(after, before);
    DestroyWindow(other);
}

TEST_F(RefDirectoryEditTest, TheBrowserOpensCentredOnTheMainWindowsMonitor) {
    const HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 10, 10, 100, 80, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    folder().Dialog().SetMainWindow(main);
    // The owner away from the middle, so that a browser centred on it would show it.
    SetWindowPos(dialog->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT shown{};
    test::WithModalDialogOver(
        dialog->Handle(), [&] { Click(); },
        [&](HWND browser) {
            GetWindowRect(browser, &shown);
            PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        });
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT& area = monitor.rcMonitor;
    const int width = shown.right - shown.left;
    const int height = shown.bottom - shown.top;
    EXPECT_GT(width, 0);
    EXPECT_EQ(shown.left, area.left + (area.right - area.left - width) / 2);
    EXPECT_EQ(shown.top, area.top + (area.bottom - area.top - height) / 2);
    DestroyWindow(main);
}

TEST_F(RefDirectoryEditTest, TheBrowserIsRootedAtItsRoot) {
    const test::TempFolder temp;
    folder().Dialog().SetRoot(ToU16(temp.Path()));
    std::wstring top;
    test::WithModalDialogOver(
        dialog->Handle(), [&] { Click(); },
        [&](HWND browser) {
            const HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
            const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            wchar_t text[MAX_PATH] = {};
            TVITEMW request{};
            request.mask = TVIF_TEXT;
            request.hItem = root;
            request.pszText = text;
            request.cchTextMax = MAX_PATH;
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
            top = text;
            PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(top, NameOf(temp.Path()));
}

TEST_F(RefDirectoryEditTest, ATypedNameThatIsNoFolderIsRefusedWithAnErrorBox) {
    TSelectDirectory& browserComponent = folder().Dialog();
    browserComponent.SetOptions(sdShowEdit | sdValidateDir);
    browserComponent.SetCaption(u"プラグインのフォルダ");
    int answer = 0;
    std::u16string caption;
    HWND seen = nullptr;
    // Wine's browser never reports a typed name that is no folder: the test reports it.
    test::WithModalDialogOver(
        dialog->Handle(), [&] { Click(); },
        [&](HWND browser) {
            seen = browser;
            caption = WindowText(browser);
            answer = browserComponent.BrowseMessage(browser, BFFM_VALIDATEFAILEDW,
                                                    reinterpret_cast<LPARAM>(L"C:\\nope"));
            PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_NE(answer, 0); // the browser stays open
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].owner, seen);
    EXPECT_EQ(services.boxes[0].text, L"\"C:\\nope\" は無効なパスです");
    EXPECT_EQ(services.boxes[0].caption, ToWide(caption));
    EXPECT_EQ(services.boxes[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));

    browserComponent.SetOptions(sdShowEdit);
    EXPECT_EQ(browserComponent.BrowseMessage(dialog->Handle(), BFFM_VALIDATEFAILEDW,
                                             reinterpret_cast<LPARAM>(L"C:\\nope")),
              0);
    EXPECT_EQ(services.boxes.size(), 1u);
}

TEST(SelectDirectory, TheOptionsGiveTheBrowsersFlags) {
    struct Case {
        TSelectDirOpts options;
        UINT flags;
    };
    constexpr UINT base = BIF_RETURNONLYFSDIRS | BIF_NONEWFOLDERBUTTON;
    const Case cases[] = {
        {TSelectDirOpts(), base},
        {sdNewFolder, BIF_RETURNONLYFSDIRS},
        {sdNewUI, base | BIF_NEWDIALOGSTYLE},
        {sdNewUI | sdNewFolder, BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE},
        {sdShowEdit, base | BIF_EDITBOX},
        {sdShowShares, base | BIF_SHAREABLE},
        {sdShowShares | sdNewUI, base | BIF_NEWDIALOGSTYLE}, // the resizable one shows them anyway
        {sdShowFiles, base | BIF_BROWSEINCLUDEFILES},
        {sdValidateDir, base | BIF_VALIDATE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BrowseFlags(c.options), c.flags) << static_cast<int>(c.options.Bits());
    }
}

TEST(SelectDirectory, AssignTakesTheCaptionRootFolderAndOptions) {
    test::RecordingServices services;
    TSelectDirectory source(nullptr, services);
    source.SetCaption(u"選択");
    source.SetRoot(u"C:\\");
    source.SetDirectory(u"C:\\windows");
    source.SetOptions(sdNewUI | sdShowEdit);
    const HWND desktop = GetDesktopWindow();
    source.SetOwner(desktop);
    TSelectDirectory target(nullptr, services);
    target.Assign(source);
    EXPECT_EQ(target.Caption(), u"選択");
    EXPECT_EQ(target.Root(), u"C:\\");
    EXPECT_EQ(target.Directory(), u"C:\\windows");
    EXPECT_EQ(target.Options(), sdNewUI | sdShowEdit);
    EXPECT_EQ(target.Owner(), nullptr); // its windows stay its own
}

} // namespace
} // namespace nerula
