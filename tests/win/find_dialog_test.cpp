// The find component over its real window: options stored and then read from the
// controls, the action flag's life, the direction, the find button's enabling through the
// dialog manager's Enter and Escape, placement, hiding and showing again, and the two
// layouts with and without the regular-expression panel, at 96 and at 144 dpi.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "common/win/dpi.h"
#include "common/win/wide.h"
#include "common/win/window.h"
#include "forms/find_dialog_layout.h"
#include "forms/form_layout.h"
#include "search/find_layout.h"
#include "search/win/find_dialog.h"
#include "window_test_support.h"

namespace nerula {
namespace {

using enum TREFindOption;

// A plain top-level window for the find window to belong to, at a known place.
class OwnerWindow final : public Window {
public:
    OwnerWindow() {
        RegisterClassOnce(L"NerulaFindOwner", 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
        CreateHandle(0, L"NerulaFindOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 90, 500, 400,
                     nullptr, nullptr);
    }
    ~OwnerWindow() override { DestroyWindow(Handle()); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefaultHandling(message, wParam, lParam);
    }
};

class FindDialogTest : public ::testing::Test {
protected:
    void TearDown() override { test::PumpMessages(); }

    HWND Window() const { return dialog.Dialog()->Handle(); }
    HWND Control(std::u16string_view name) const { return dialog.Dialog()->Control(name); }
    HWND Direction(int item) const { return dialog.Dialog()->Form().RadioItem(u"DirectionRgp", item); }
    bool Enabled(std::u16string_view name) const { return IsWindowEnabled(Control(name)) != FALSE; }
    bool Shown(std::u16string_view name) const { return IsWindowVisible(Control(name)) != FALSE; }
    static bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Type(const std::wstring& text) const { SetWindowTextW(Control(u"FindTextEdt"), text.c_str()); }
    // A key as the message loop hands it to the dialog manager.
    bool PressKey(WPARAM key) const {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        const bool handled = IsDialogMessageW(Window(), &message) != FALSE;
        test::PumpMessages();
        return handled;
    }
    SIZE ClientSize() const {
        RECT client{};
        GetClientRect(Window(), &client);
        return {client.right, client.bottom};
    }
    RECT PanelBounds(std::u16string_view name) const {
        RECT r{};
        GetWindowRect(Control(name), &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    OwnerWindow owner;
    TREFindDialog dialog{owner.Handle()};
};

TEST_F(FindDialogTest, StoresTheOptionsAsWrittenUntilTheWindowExists) {
    EXPECT_EQ(dialog.Options().Bits(), 0x08001u);
    for (const std::uint32_t bits : {0x0u, 0x01001u, 0x7FFFFu, 0x00206u}) {
        dialog.SetOptions(TREFindOptions::FromBits(bits));
        EXPECT_EQ(dialog.Options().Bits(), bits);
    }
    EXPECT_EQ(dialog.Dialog(), nullptr);
}

TEST_F(FindDialogTest, ReadsTheOptionsFromTheControlsOnceShown) {
    dialog.SetOptions(kDefaultFindOptions | frShowHelp);
    ASSERT_TRUE(dialog.Execute());
    // frShowHelp has no control: it is gone once the controls are the state.
    EXPECT_EQ(dialog.Options(), kDefaultFindOptions);
    EXPECT_TRUE(Checked(Control(u"UsesRegexpChk")));
    EXPECT_TRUE(Checked(Direction(1)));

    // Every option that a control shows round-trips; the others are not reported.
    const std::vector<TREFindOptions> written{
        {},
        {frMatchCase, frWholeWord, frMultiLine},
        {frDown, frDisableMatchCase, frDisableWholeWord, frDisableUpDown, frDisableUsesRegexp,
         frDisableMultiLine},
        {frHideMatchCase, frHideWholeWord, frHideUpDown, frHideMultiLine, frUsesRegexp},
        TREFindOptions::FromBits(0x7FFFF),
    };
    for (const TREFindOptions options : written) {
        dialog.SetOptions(options);
        EXPECT_EQ(dialog.Options().Bits(), options.Without(kFindActions | frShowHelp).Bits())
            << std::hex << options.Bits();
    }
}

TEST_F(FindDialogTest, TheDirectionFollowsFrDown) {
    dialog.Execute();
    dialog.SetOptions(kDefaultFindOptions.Without(frDown));
    EXPECT_TRUE(Checked(Direction(0)));
    EXPECT_FALSE(Checked(Direction(1)));
    EXPECT_FALSE(dialog.Options().Has(frDown));
    dialog.SetOptions(kDefaultFindOptions);
    EXPECT_FALSE(Checked(Direction(0)));
    EXPECT_TRUE(Checked(Direction(1)));
    // The user's click on "上へ(&U)" is what the options read.
    SendMessageW(Direction(0), BM_CLICK, 0, 0);
    EXPECT_FALSE(dialog.Options().Has(frDown));
}

TEST_F(FindDialogTest, FindNextIsReportedFromTheFindButtonUntilATextChangesOrCancel) {
    int finds = 0;
    dialog.OnFind = [&] { ++finds; };
    dialog.Execute();
    Type(L"abc");
    EXPECT_FALSE(dialog.Options().Has(frFindNext));
    SendMessageW(Control(u"FindBtn"), BM_CLICK, 0, 0);
    EXPECT_EQ(finds, 1);
    EXPECT_TRUE(dialog.Options().Has(frFindNext));

    Type(L"abcd");
    EXPECT_FALSE(dialog.Options().Has(frFindNext));
    dialog.Find();
    SetWindowTextW(Control(u"ReplaceTextEdt"), L"x");
    EXPECT_FALSE(dialog.Options().Has(frFindNext));

    // The close box hides the window and keeps the action; Cancel clears it.
    dialog.Find();
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(dialog.Options().Has(frFindNext));
    dialog.Execute();
    SendMessageW(Control(u"CancelBtn"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(dialog.Options().Has(frFindNext));
}

TEST_F(FindDialogTest, EnterFindsOnlyWhileThereIsAFindTextAndEscapeHides) {
    int finds = 0;
    dialog.OnFind = [&] { ++finds; };
    dialog.Execute();
    EXPECT_FALSE(Enabled(u"FindBtn"));
    EXPECT_FALSE(Enabled(u"ReplaceBtn"));
    EXPECT_EQ(GetFocus(), Control(u"FindTextEdt"));
    PressKey(VK_RETURN);
    EXPECT_EQ(finds, 0);

    SendMessageW(Control(u"FindTextEdt"), WM_CHAR, L'検', 0);
    EXPECT_TRUE(Enabled(u"FindBtn"));
    EXPECT_TRUE(Enabled(u"ReplaceAllBtn"));
    EXPECT_TRUE(PressKey(VK_RETURN));
    EXPECT_EQ(finds, 1);
    EXPECT_EQ(dialog.FindText(), u"検");

    SendMessageW(Control(u"FindTextEdt"), WM_CHAR, VK_BACK, 0);
    EXPECT_FALSE(Enabled(u"FindBtn"));

    EXPECT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_FALSE(IsWindowVisible(Window()));
}

TEST_F(FindDialogTest, AFindTextGivenBeforeTheFirstShowingIsShownSelectedAndFindable) {
    dialog.SetFindText(u"正規表現");
    EXPECT_EQ(dialog.FindText(), u"正規表現");
    dialog.Execute();
    EXPECT_EQ(dialog.FindText(), u"正規表現");
    EXPECT_TRUE(Enabled(u"FindBtn"));
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(Control(u"FindTextEdt"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);

    // Written while the window exists, the text is the user's change.
    dialog.SetFindText(u"");
    EXPECT_FALSE(Enabled(u"FindBtn"));
}

TEST_F(FindDialogTest, FirstShownOnTheOwnersClientCornerAndThenWhereTheUserLeftIt) {
    EXPECT_EQ(dialog.Position().x, -1);
    EXPECT_EQ(dialog.Position().y, -1);
    dialog.Execute();
    POINT corner{0, 0};
    ClientToScreen(owner.Handle(), &corner);
    EXPECT_EQ(dialog.Left(), corner.x);
    EXPECT_EQ(dialog.Top(), corner.y);

    dialog.SetLeft(300);
    dialog.SetTop(250);
    RECT r{};
    GetWindowRect(Window(), &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 250);

    // Moved by the user, hidden and shown again: it stays where it was.
    SetWindowPos(Window(), nullptr, 340, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.Cansel();
    dialog.Execute();
    EXPECT_EQ(dialog.Left(), 340);
    EXPECT_EQ(dialog.Top(), 260);
}

TEST_F(FindDialogTest, APositionWithOnlyOneNegativeCoordinateIsUsedAsItIs) {
    dialog.SetPosition({-20, 150});
    dialog.Execute();
    EXPECT_EQ(dialog.Left(), -20);
    EXPECT_EQ(dialog.Top(), 150);
}

TEST_F(FindDialogTest, ShownAgainAfterCancelWithTheTextSelectedAndTheOptionsAsLeft) {
    int shows = 0;
    dialog.OnShow = [&] { ++shows; };
    dialog.Execute();
    Type(L"猫 cat");
    SendMessageW(Control(u"MatchCaseChk"), BM_CLICK, 0, 0);
    SendMessageW(Direction(0), BM_CLICK, 0, 0);
    SetFocus(Control(u"WholeWordChk"));
    const TREFindOptions left = dialog.Options();
    PressKey(VK_ESCAPE);

    dialog.Execute();
    EXPECT_EQ(shows, 2);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(GetFocus(), Control(u"FindTextEdt"));
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(Control(u"FindTextEdt"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(dialog.FindText(), u"猫 cat");
    EXPECT_EQ(dialog.Options(), left);
    EXPECT_TRUE(left.Has(frMatchCase));
    EXPECT_FALSE(left.Has(frDown));
}

TEST_F(FindDialogTest, CloseDialogHidesAndTellsOnlyAnExistingWindow) {
    int closes = 0;
    dialog.OnClose = [&] { ++closes; };
    dialog.CloseDialog();
    EXPECT_EQ(closes, 0);
    dialog.Execute();
    dialog.CloseDialog();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(IsWindowVisible(Window()));
}

struct LayoutCase {
    const char* name;
    TREFindOptions before; // the options at the first showing
    bool optionsExShown;
    bool multiLineShown;
};

TEST_F(FindDialogTest, TheFindLayoutAtTheWindowsDpi) {
    dialog.Execute();
    const unsigned dpi = dialog.Dialog()->Form().Dpi();
    const FindDialogLayout layout = LayoutFindDialog(
        ScaleToDpi(DesignedFindDialogPanels(kFindDialogControls), dpi), TDialogStyle::dsFind, true);
    wchar_t caption[32] = {};
    GetWindowTextW(Window(), caption, 32);
    EXPECT_STREQ(caption, L"検索");
    EXPECT_FALSE(Shown(u"ReplaceTextPnl"));
    EXPECT_FALSE(Shown(u"ReplacePnl"));
    EXPECT_TRUE(Shown(u"OptionsExPnl"));
    EXPECT_EQ(ClientSize().cx, ScaleToDpi(467, dpi));
    EXPECT_EQ(ClientSize().cy, layout.clientHeight);
    EXPECT_EQ(PanelBounds(u"OptionsPnl").top, layout.optionsTop);
    EXPECT_EQ(PanelBounds(u"DirectionPnl").top, layout.directionTop);
    EXPECT_EQ(PanelBounds(u"OptionsExPnl").top, layout.optionsExTop);
    EXPECT_EQ(PanelBounds(u"CanselPnl").top, layout.cancelTop);
    if (dpi == 96) {
        EXPECT_EQ(ClientSize().cy, 117);
        EXPECT_EQ(PanelBounds(u"CanselPnl").top, 33);
    }
}

TEST_F(FindDialogTest, HidingTheRegexpBoxBeforeTheFirstShowingHidesItsPanel) {
    const LayoutCase cases[] = {
        {"hidden at first", kDefaultFindOptions | frHideUsesRegexp, false, false},
        {"multi-line hidden at first", kDefaultFindOptions | frHideMultiLine, true, false},
        {"shown", kDefaultFindOptions, true, true},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        TREFindDialog other(owner.Handle());
        other.SetOptions(c.before);
        other.Execute();
        const HWND window = other.Dialog()->Handle();
        const unsigned dpi = other.Dialog()->Form().Dpi();
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.bottom, ScaleToDpi(c.optionsExShown ? 117 : 75, dpi));
        EXPECT_EQ(IsWindowVisible(other.Dialog()->Control(u"UsesRegexpChk")) != FALSE, c.optionsExShown);
        EXPECT_EQ(IsWindowVisible(other.Dialog()->Control(u"MultiLineChk")) != FALSE, c.multiLineShown);
        // Hidden with its panel, the box still reads as hidden, not as checked.
        EXPECT_EQ(other.Options().Has(frHideUsesRegexp), c.before.Has(frHideUsesRegexp));
    }
}

TEST_F(FindDialogTest, HidingTheRegexpBoxWhileShownHidesOnlyTheBox) {
    dialog.Execute();
    const SIZE before = ClientSize();
    dialog.SetOptions(kDefaultFindOptions | frHideUsesRegexp);
    EXPECT_FALSE(Shown(u"UsesRegexpChk"));
    EXPECT_TRUE(Shown(u"MultiLineChk"));
    EXPECT_TRUE(Shown(u"OptionsExPnl"));
    EXPECT_EQ(ClientSize().cy, before.cy);
    EXPECT_TRUE(dialog.Options().Has(frHideUsesRegexp));
}

TEST_F(FindDialogTest, AMoveToAMonitorOfAnotherDpiKeepsTheFindLayout) {
    dialog.Execute();
    RECT r{};
    GetWindowRect(Window(), &r);
    const RECT suggested{r.left, r.top, r.left + 800, r.top + 300};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const FindDialogLayout layout = LayoutFindDialog(
        ScaleToDpi(DesignedFindDialogPanels(kFindDialogControls), 144), TDialogStyle::dsFind, true);
    EXPECT_EQ(dialog.Dialog()->Form().Dpi(), 144u);
    EXPECT_EQ(ClientSize().cx, ScaleToDpi(467, 144));
    EXPECT_EQ(ClientSize().cy, layout.clientHeight);
    EXPECT_EQ(PanelBounds(u"CanselPnl").top, layout.cancelTop);
    EXPECT_EQ(PanelBounds(u"OptionsExPnl").top, layout.optionsExTop);
    EXPECT_FALSE(Shown(u"ReplacePnl"));
    EXPECT_EQ(layout.clientHeight, ScaleToDpi(29, 144) + ScaleToDpi(46, 144) + ScaleToDpi(42, 144));
}

} // namespace
} // namespace nerula
