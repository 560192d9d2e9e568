// Dialogs built from control tables: where the controls go at 96 and 144 dpi, the font,
// tab order, the default and cancel buttons through the dialog manager, laying out again
// for a new DPI, modal and modeless endings, pages, and errors in handlers.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/exception.h"
#include "common/win/dialog.h"
#include "common/win/dpi.h"
#include "common/win/wide.h"
#include "forms/form_layout.h"
#include "presented_errors.h"
#include "window_test_support.h"

namespace nerula {

std::ostream& operator<<(std::ostream& out, const FormRect& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

// Shaped like a find window: panels in panels, labels, edits, check boxes in a group box,
// a two-column radio group, a default and a cancel button.
constexpr FormSpec kFindForm{
    .caption = u"検索", .clientWidth = 393, .clientHeight = 125, .fontFace = u"Tahoma", .fontHeight = -11};

constexpr std::array<ControlSpec, 13> kFindControls{{
    {.name = u"MainPanel",
     .kind = ControlKind::Panel,
     .bounds = {0, 0, 305, 125},
     .options = ControlOption::NoBevel},
    {.name = u"FindLabel",
     .kind = ControlKind::Label,
     .parent = u"MainPanel",
     .bounds = {8, 12, 96, 13},
     .caption = u"検索する文字列(&N):"},
    {.name = u"FindEdit",
     .kind = ControlKind::Edit,
     .parent = u"MainPanel",
     .bounds = {108, 8, 189, 21},
     .options = ControlOption::TabStop,
     .tabOrder = 1,
     .id = 101},
    {.name = u"OptionsGroup",
     .kind = ControlKind::GroupBox,
     .parent = u"MainPanel",
     .bounds = {8, 36, 137, 58},
     .caption = u"条件",
     .tabOrder = 2},
    {.name = u"CaseCheck",
     .kind = ControlKind::CheckBox,
     .parent = u"OptionsGroup",
     .bounds = {8, 16, 121, 17},
     .caption = u"大文字と小文字(&C)",
     .options = ControlOption::TabStop,
     .id = 102},
    {.name = u"WordCheck",
     .kind = ControlKind::CheckBox,
     .parent = u"OptionsGroup",
     .bounds = {8, 35, 121, 17},
     .caption = u"単語単位(&W)",
     .options = ControlOption::TabStop | ControlOption::Checked,
     .tabOrder = 1,
     .id = 103},
    {.name = u"DirectionGroup",
     .kind = ControlKind::RadioGroup,
     .parent = u"MainPanel",
     .bounds = {152, 36, 145, 58},
     .caption = u"方向",
     .items = u"上へ(&U)\n下へ(&D)",
     .options = ControlOption::TabStop,
     .tabOrder = 3,
     .id = 110,
     .columns = 2,
     .itemIndex = 1},
    {.name = u"CountPanel",
     .kind = ControlKind::Panel,
     .parent = u"MainPanel",
     .bounds = {8, 98, 289, 25},
     .options = ControlOption::NoBevel,
     .tabOrder = 4},
    {.name = u"CountLabel",
     .kind = ControlKind::Label,
     .parent = u"CountPanel",
     .bounds = {0, 4, 60, 13},
     .caption = u"回数(&T):"},
    {.name = u"CountEdit",
     .kind = ControlKind::Edit,
     .parent = u"CountPanel",
     .bounds = {64, 0, 50, 21},
     .options = ControlOption::TabStop | ControlOption::Number,
     .tabOrder = 1,
     .id = 104},
    {.name = u"ButtonPanel",
     .kind = ControlKind::Panel,
     .bounds = {305, 0, 88, 125},
     .options = ControlOption::NoBevel,
     .tabOrder = 1},
    {.name = u"FindButton",
     .kind = ControlKind::PushButton,
     .parent = u"ButtonPanel",
     .bounds = {6, 8, 75, 25},
     .caption = u"次を検索(&F)",
     .options = ControlOption::TabStop | ControlOption::Default,
     .id = 120},
    {.name = u"CancelButton",
     .kind = ControlKind::PushButton,
     .parent = u"ButtonPanel",
     .bounds = {6, 40, 75, 25},
     .caption = u"キャンセル",
     .options = ControlOption::TabStop | ControlOption::Cancel,
     .tabOrder = 1,
     .id = kCancelButtonId},
}};

// Shaped like an options dialog: OK and Cancel, two pages of group boxes holding a label,
// an edit, a button, check boxes and a list view with check boxes.
constexpr FormSpec kOptionsForm{.caption = u"オプション",
                                .clientWidth = 400,
                                .clientHeight = 300,
                                .fontFace = u"Tahoma",
                                .fontHeight = -11};

constexpr std::array<ControlSpec, 13> kOptionsControls{{
    {.name = u"OkButton",
     .kind = ControlKind::PushButton,
     .bounds = {232, 268, 75, 25},
     .caption = u"OK",
     .options = ControlOption::TabStop | ControlOption::Default,
     .id = kOkButtonId},
    {.name = u"CancelButton",
     .kind = ControlKind::PushButton,
     .bounds = {316, 268, 75, 25},
     .caption = u"キャンセル",
     .options = ControlOption::TabStop | ControlOption::Cancel,
     .tabOrder = 1,
     .id = kCancelButtonId},
    {.name = u"Pages",
     .kind = ControlKind::PageControl,
     .bounds = {8, 8, 384, 252},
     .options = ControlOption::TabStop,
     .tabOrder = 2,
     .id = 300},
    {.name = u"GeneralPage",
     .kind = ControlKind::Page,
     .parent = u"Pages",
     .bounds = {4, 24, 376, 224},
     .caption = u"全般"},
    {.name = u"FolderGroup",
     .kind = ControlKind::GroupBox,
     .parent = u"GeneralPage",
     .bounds = {8, 8, 360, 76},
     .caption = u"プラグイン"},
    {.name = u"FolderLabel",
     .kind = ControlKind::Label,
     .parent = u"FolderGroup",
     .bounds = {12, 20, 200, 13},
     .caption = u"フォルダ(&F):"},
    {.name = u"FolderEdit",
     .kind = ControlKind::Edit,
     .parent = u"FolderGroup",
     .bounds = {12, 38, 256, 21},
     .options = ControlOption::TabStop,
     .tabOrder = 1,
     .id = 301},
    {.name = u"BrowseButton",
     .kind = ControlKind::PushButton,
     .parent = u"FolderGroup",
     .bounds = {276, 36, 75, 25},
     .caption = u"参照(&B)...",
     .options = ControlOption::TabStop,
     .tabOrder = 2,
     .id = 302},
    {.name = u"FitCheck",
     .kind = ControlKind::CheckBox,
     .parent = u"GeneralPage",
     .bounds = {16, 96, 200, 17},
     .caption = u"ウィンドウに合わせる(&W)",
     .options = ControlOption::TabStop | ControlOption::Checked,
     .tabOrder = 1,
     .id = 303},
    {.name = u"FilesPage",
     .kind = ControlKind::Page,
     .parent = u"Pages",
     .bounds = {4, 24, 376, 224},
     .caption = u"関連付け",
     .tabOrder = 1},
    {.name = u"FilesGroup",
     .kind = ControlKind::GroupBox,
     .parent = u"FilesPage",
     .bounds = {8, 8, 360, 208},
     .caption = u"拡張子"},
    {.name = u"FilesList",
     .kind = ControlKind::ListView,
     .parent = u"FilesGroup",
     .bounds = {12, 20, 336, 150},
     .items = u"拡張子\n説明",
     .options = ControlOption::TabStop | ControlOption::CheckBoxes,
     .id = 304},
    {.name = u"AllCheck",
     .kind = ControlKind::CheckBox,
     .parent = u"FilesGroup",
     .bounds = {12, 178, 200, 17},
     .caption = u"すべて(&A)",
     .options = ControlOption::TabStop,
     .tabOrder = 1,
     .id = 305},
}};

constexpr int kThrowingCommand = 900;

// Laid out at a DPI given by the test, as Wine never moves a window to another monitor.
class SampleDialog : public Dialog {
public:
    SampleDialog(std::span<const ControlSpec> controls, const FormSpec& form, unsigned dpi)
        : Dialog(controls, form), dpi_(dpi) {}

    std::vector<int> commands; // the IDs of BN_CLICKED commands
    bool failInit = false;
    int initCalls = 0;

protected:
    unsigned InitialDpi() override { return dpi_; }
    void OnInitDialog() override {
        ++initCalls;
        if (failInit) {
            throw Exception(u"ダイアログを作れません");
        }
    }
    void OnCommand(int id, int code, HWND control) override {
        // Buttons, keys and menus; the edits' focus notifications are left out.
        if (code == BN_CLICKED) {
            commands.push_back(id);
        }
        if (id == kThrowingCommand) {
            throw Exception(u"コマンドが失敗しました");
        }
        Dialog::OnCommand(id, code, control);
    }

private:
    unsigned dpi_;
};

FormRect InDialog(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string Ascii(std::u16string_view text) {
    return test::Narrow(ToWide(text));
}

// Hands every waiting message to the dialog manager first, as the program's loop does.
void PumpThrough(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PressKey(HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

class FormDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        dialog.reset();
        test::PumpMessages();
    }

    SampleDialog& Modeless(std::span<const ControlSpec> controls, const FormSpec& form, unsigned dpi) {
        dialog = std::make_unique<SampleDialog>(controls, form, dpi);
        dialog->CreateModeless(nullptr);
        return *dialog;
    }

    SampleDialog& ShownFind(unsigned dpi) {
        SampleDialog& find = Modeless(kFindControls, kFindForm, dpi);
        find.Show();
        test::PumpMessages();
        return find;
    }

    // Every control and radio item where the layout puts it at `dpi`.
    void ExpectLaidOut(std::span<const ControlSpec> controls, const FormSpec& form, unsigned dpi) const {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlSpec& design = controls[i];
            const HWND control = dialog->Control(design.name);
            ASSERT_NE(control, nullptr) << Ascii(design.name);
            EXPECT_EQ(InDialog(dialog->Handle(), control), FormPosition(controls, form, i, dpi))
                << Ascii(design.name) << " at " << dpi << " dpi";
            if (design.kind == ControlKind::RadioGroup) {
                for (int item = 0; item < static_cast<int>(ListItems(design.items).size()); ++item) {
                    EXPECT_EQ(InDialog(dialog->Handle(), dialog->Form().RadioItem(design.name, item)),
                              FormPosition(controls, form, PlaceRadioItem(controls, form, i, item), dpi))
                        << Ascii(design.name) << " item " << item << " at " << dpi << " dpi";
                }
            }
        }
    }

    test::PresentedErrors errors;
    std::unique_ptr<SampleDialog> dialog;
};

TEST_F(FormDialogTest, TheSampleTablesAreValid) {
    EXPECT_TRUE(ValidateForm(kFindControls).empty());
    EXPECT_TRUE(ValidateForm(kOptionsControls).empty());
}

TEST_F(FormDialogTest, ControlsAndClientAreaAreScaledFromTheTable) {
    struct Spot {
        std::u16string_view name;
        int item;
        unsigned dpi;
        FormRect expected;
    };
    const Spot spots[] = {
        {u"FindEdit", -1, 96, {108, 8, 189, 21}},
        {u"FindEdit", -1, 144, {162, 12, 284, 32}},
        {u"CaseCheck", -1, 96, {16, 52, 121, 17}}, // offset by its group box
        {u"CaseCheck", -1, 144, {24, 78, 182, 26}},
        {u"DirectionGroup", 1, 96, {224, 52, 64, 38}}, // the second column
        {u"DirectionGroup", 1, 144, {336, 78, 96, 57}},
        {u"CountEdit", -1, 96, {72, 98, 50, 21}}, // a panel in a panel
        {u"CountEdit", -1, 144, {108, 147, 75, 32}},
        {u"CancelButton", -1, 96, {311, 40, 75, 25}},
        {u"CancelButton", -1, 144, {467, 60, 113, 38}},
    };
    for (const unsigned dpi : {96u, 144u}) {
        SampleDialog& find = Modeless(kFindControls, kFindForm, dpi);
        RECT client{};
        GetClientRect(find.Handle(), &client);
        EXPECT_EQ(client.right, dpi == 96 ? 393 : 590) << dpi;
        EXPECT_EQ(client.bottom, dpi == 96 ? 125 : 188) << dpi;
        ExpectLaidOut(kFindControls, kFindForm, dpi);
        for (const Spot& spot : spots) {
            if (spot.dpi != dpi) {
                continue;
            }
            const HWND control =
                spot.item < 0 ? find.Control(spot.name) : find.Form().RadioItem(spot.name, spot.item);
            EXPECT_EQ(InDialog(find.Handle(), control), spot.expected)
                << Ascii(spot.name) << " at " << dpi << " dpi";
        }
    }
}

TEST_F(FormDialogTest, EveryControlHasTheFormsFontMadeForTheDpi) {
    for (const unsigned dpi : {96u, 144u}) {
        SampleDialog& find = Modeless(kFindControls, kFindForm, dpi);
        const LOGFONTW font = FontOf(find.Control(u"FindEdit"));
        EXPECT_EQ(font.lfHeight, dpi == 96 ? -11 : -17) << dpi; // -16.5 rounds away from zero
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
        for (const ControlSpec& design : kFindControls) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(find.Control(design.name), WM_GETFONT, 0, 0)),
                      find.Form().Font())
                << Ascii(design.name);
        }
        EXPECT_EQ(reinterpret_cast<HFONT>(
                      SendMessageW(find.Form().RadioItem(u"DirectionGroup", 0), WM_GETFONT, 0, 0)),
                  find.Form().Font());
    }
}

TEST_F(FormDialogTest, TabOrderFollowsTheTableThroughPanelsAndGroups) {
    SampleDialog& find = ShownFind(96);
    const std::vector<HWND> expected{
        find.Control(u"FindEdit"),     find.Control(u"CaseCheck"),
        find.Control(u"WordCheck"),    find.Form().RadioItem(u"DirectionGroup", 1), // the checked item
        find.Control(u"CountEdit"),    find.Control(u"FindButton"),
        find.Control(u"CancelButton"),
    };
    std::vector<HWND> walk;
    const HWND first = GetNextDlgTabItem(find.Handle(), nullptr, FALSE);
    for (HWND at = first; at != nullptr && walk.size() < 20;) {
        walk.push_back(at);
        at = GetNextDlgTabItem(find.Handle(), at, FALSE);
        if (at == first) {
            break;
        }
    }
    EXPECT_EQ(walk, expected);

    // The arrow keys stay within the radio group.
    const HWND up = find.Form().RadioItem(u"DirectionGroup", 0);
    const HWND down = find.Form().RadioItem(u"DirectionGroup", 1);
    EXPECT_EQ(GetNextDlgGroupItem(find.Handle(), down, FALSE), up);
    EXPECT_EQ(GetNextDlgGroupItem(find.Handle(), up, FALSE), down);
    EXPECT_EQ(SendMessageW(down, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(find.Control(u"WordCheck"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetDlgCtrlID(up), 111);
    EXPECT_EQ(find.Form().ControlById(112), down);
}

TEST_F(FormDialogTest, EnterPressesTheDefaultButton) {
    SampleDialog& find = ShownFind(96);
    EXPECT_EQ(SendMessageW(find.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(120, DC_HASDEFID));
    EXPECT_EQ(GetWindowLongPtrW(find.Control(u"FindButton"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(find.Control(u"CancelButton"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    SetFocus(find.Control(u"FindEdit"));
    PressKey(find.Control(u"FindEdit"), VK_RETURN);
    PumpThrough(find.Handle());
    EXPECT_EQ(find.commands, std::vector<int>{120});
    EXPECT_TRUE(IsWindowVisible(find.Handle()));
}

TEST_F(FormDialogTest, CancelHidesTheModelessDialogAndKeepsIt) {
    struct Way {
        const char* what;
        std::function<void(SampleDialog&)> cancel;
    };
    const Way ways[] = {
        {"posted IDCANCEL", [](SampleDialog& d) { PostMessageW(d.Handle(), WM_COMMAND, IDCANCEL, 0); }},
        {"Escape in an edit",
         [](SampleDialog& d) {
             SetFocus(d.Control(u"CountEdit"));
             PressKey(d.Control(u"CountEdit"), VK_ESCAPE);
         }},
        {"the Cancel button",
         [](SampleDialog& d) { PostMessageW(d.Control(u"CancelButton"), BM_CLICK, 0, 0); }},
        {"the close box", [](SampleDialog& d) { PostMessageW(d.Handle(), WM_CLOSE, 0, 0); }},
    };
    SampleDialog& find = ShownFind(96);
    const HWND window = find.Handle();
    for (const Way& way : ways) {
        find.commands.clear();
        find.Show();
        PumpThrough(window);
        ASSERT_TRUE(IsWindowVisible(window)) << way.what;
        way.cancel(find);
        PumpThrough(window);
        EXPECT_EQ(find.commands, std::vector<int>{IDCANCEL}) << way.what;
        EXPECT_FALSE(IsWindowVisible(window)) << way.what;
        EXPECT_TRUE(IsWindow(window)) << way.what;
        EXPECT_EQ(find.Handle(), window) << way.what;
        EXPECT_NE(find.Control(u"FindEdit"), nullptr) << way.what;
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(FormDialogTest, ActiveModelessDialogFollowsActivation) {
    SampleDialog& find = ShownFind(96);
    SetForegroundWindow(find.Handle());
    test::PumpMessages();
    EXPECT_EQ(GetActiveWindow(), find.Handle());
    EXPECT_EQ(ActiveModelessDialog(), find.Handle());
    find.Hide();
    test::PumpMessages();
    EXPECT_EQ(ActiveModelessDialog(), nullptr);
    find.Show();
    SetForegroundWindow(find.Handle());
    test::PumpMessages();
    EXPECT_EQ(ActiveModelessDialog(), find.Handle());
    const HWND window = find.Handle();
    dialog.reset();
    EXPECT_FALSE(IsWindow(window)); // the object's end is its window's end
    EXPECT_EQ(ActiveModelessDialog(), nullptr);
}

TEST_F(FormDialogTest, DpiChangeMovesResizesAndRefontsEveryControl) {
    SampleDialog& find = Modeless(kFindControls, kFindForm, 96);
    const HFONT oldFont = find.Form().Font();
    RECT window{};
    RECT client{};
    GetWindowRect(find.Handle(), &window);
    GetClientRect(find.Handle(), &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    RECT suggested{window.left + 10, window.top + 20, window.left + 10 + 590 + frameWidth,
                   window.top + 20 + 188 + frameHeight};
    SendMessageW(find.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT moved{};
    GetWindowRect(find.Handle(), &moved);
    EXPECT_TRUE(EqualRect(&moved, &suggested));
    GetClientRect(find.Handle(), &client);
    EXPECT_EQ(client.right, 590);
    EXPECT_EQ(client.bottom, 188);
    EXPECT_EQ(find.Form().Dpi(), 144u);
    ExpectLaidOut(kFindControls, kFindForm, 144);
    EXPECT_NE(find.Form().Font(), oldFont);
    EXPECT_EQ(FontOf(find.Control(u"CancelButton")).lfHeight, -17);
    EXPECT_EQ(FontOf(find.Form().RadioItem(u"DirectionGroup", 1)).lfHeight, -17);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(FormDialogTest, ModalDialogEndsWithTheButtonThatClosedIt) {
    struct Ending {
        const char* what;
        std::function<void(HWND)> end;
        INT_PTR expected;
    };
    const auto control = [](HWND shown, int id) {
        // The buttons sit on the dialog itself; the edit inside a page.
        const HWND direct = GetDlgItem(shown, id);
        if (direct != nullptr) {
            return direct;
        }
        const HWND page = FindWindowExW(shown, nullptr, L"NerulaFormContainer", nullptr);
        return GetDlgItem(page, id);
    };
    const Ending endings[] = {
        {"OK clicked", [&](HWND d) { SendMessageW(control(d, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {"Cancel clicked", [&](HWND d) { SendMessageW(control(d, IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL},
        {"Enter in an edit",
         [&](HWND d) {
             SetFocus(control(d, 301));
             PressKey(control(d, 301), VK_RETURN);
         },
         IDOK},
        {"Escape in an edit",
         [&](HWND d) {
             SetFocus(control(d, 301));
             PressKey(control(d, 301), VK_ESCAPE);
         },
         IDCANCEL},
        {"the close box", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, IDCANCEL},
    };
    for (const Ending& ending : endings) {
        SampleDialog options(kOptionsControls, kOptionsForm, 96);
        INT_PTR result = 0;
        HWND seen = nullptr;
        test::WithModalDialog([&] { result = options.ShowModal(nullptr); },
                              [&](HWND d) {
                                  seen = d;
                                  ending.end(d);
                              });
        EXPECT_EQ(result, ending.expected) << ending.what;
        EXPECT_NE(seen, nullptr) << ending.what;
        EXPECT_FALSE(IsWindow(seen)) << ending.what;
        EXPECT_EQ(options.Handle(), nullptr) << ending.what;
        EXPECT_EQ(options.initCalls, 1) << ending.what;
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(FormDialogTest, PagesShowWithTheirTabs) {
    SampleDialog& options = Modeless(kOptionsControls, kOptionsForm, 144);
    options.Show();
    test::PumpMessages();
    const HWND tabs = options.Control(u"Pages");
    const HWND general = options.Control(u"GeneralPage");
    const HWND files = options.Control(u"FilesPage");
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    wchar_t text[32] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = 32;
    SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&tab));
    EXPECT_EQ(std::wstring(text), L"関連付け");
    EXPECT_TRUE(IsWindowVisible(general));
    EXPECT_FALSE(IsWindowVisible(files));
    // A page lies above its tabs, so that clicks inside it reach its controls.
    const HWND editPoint = options.Control(u"FolderEdit");
    RECT r{};
    GetWindowRect(editPoint, &r);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 5, r.top + 5}), editPoint);

    // The user's choice of tab arrives as TCN_SELCHANGE.
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    NMHDR change{tabs, 300, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(options.Handle(), WM_NOTIFY, 300, reinterpret_cast<LPARAM>(&change));
    EXPECT_FALSE(IsWindowVisible(general));
    EXPECT_TRUE(IsWindowVisible(files));
    EXPECT_EQ(options.Form().SelectedPage(u"Pages"), 1);
    // Tab now walks through the second page's controls, not the hidden first one's.
    const HWND list = options.Control(u"FilesList");
    EXPECT_EQ(GetNextDlgTabItem(options.Handle(), options.Control(u"CancelButton"), FALSE), list);

    options.Form().SelectPage(u"Pages", 0);
    EXPECT_TRUE(IsWindowVisible(general));
    EXPECT_FALSE(IsWindowVisible(files));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);

    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    ExpectLaidOut(kOptionsControls, kOptionsForm, 144);
}

TEST_F(FormDialogTest, AnErrorInAHandlerIsPresentedAndTheDialogGoesOn) {
    SampleDialog& find = ShownFind(96);
    SendMessageW(find.Handle(), WM_COMMAND, kThrowingCommand, 0);
    EXPECT_EQ(errors.messages, std::vector<std::u16string>{u"コマンドが失敗しました"});
    EXPECT_TRUE(IsWindowVisible(find.Handle()));
    PostMessageW(find.Handle(), WM_COMMAND, IDCANCEL, 0);
    PumpThrough(find.Handle());
    EXPECT_FALSE(IsWindowVisible(find.Handle()));
    EXPECT_EQ(find.commands, (std::vector<int>{kThrowingCommand, IDCANCEL}));
}

TEST_F(FormDialogTest, ADialogThatCannotBeMadeThrowsToItsCallerAndLeavesNoWindow) {
    for (const bool modal : {true, false}) {
        SampleDialog broken(kFindControls, kFindForm, 96);
        broken.failInit = true;
        std::u16string message;
        try {
            if (modal) {
                broken.ShowModal(nullptr);
            } else {
                broken.CreateModeless(nullptr);
            }
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, u"ダイアログを作れません") << modal;
        EXPECT_EQ(broken.Handle(), nullptr) << modal;
        EXPECT_EQ(FindWindowW(L"#32770", L"検索"), nullptr) << modal;
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(FormDialogTest, WindowDpiIsTheScreensOnOneMonitorAndSizesFitTheClient) {
    SampleDialog& find = Modeless(kFindControls, kFindForm, 96);
    EXPECT_EQ(WindowDpi(find.Handle()), ScreenDpi());
    EXPECT_EQ(WindowDpi(nullptr), ScreenDpi());
    const HWND gone = find.Handle();
    dialog.reset();
    EXPECT_EQ(WindowDpi(gone), ScreenDpi());

    const DWORD style = WS_OVERLAPPEDWINDOW;
    const SIZE outer = WindowSizeForClient(300, 200, style, 0, false, WindowDpi(nullptr));
    const HWND window = CreateWindowExW(0, L"STATIC", L"", style, 0, 0, outer.cx, outer.cy, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    DestroyWindow(window);
}

} // namespace
} // namespace nerula
