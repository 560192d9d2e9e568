// The numeric edit on real controls in a dialog built from a table: the characters and
// pastes its filters refuse, the events of a step, of typing and of a correction as the
// dialog passes the controls' notifications on, the arrows beside the edit, and the edit
// going on alone once the arrows are destroyed.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/exception.h"
#include "common/text_format.h"
#include "common/win/dialog.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "controls/win/up_down_edit.h"
#include "presented_errors.h"
#include "recording_services.h"
#include "window_test_support.h"

namespace nerula {
namespace {

using enum TFilterChar;
using enum TNumericallyRelationship;
using Log = std::vector<std::string>;

constexpr FormSpec kForm{
    .caption = u"数値", .clientWidth = 240, .clientHeight = 90, .fontFace = u"Tahoma", .fontHeight = -11};

constexpr int kEditId = 101;
constexpr int kUpDownId = 102;

// As an options dialog holds one: in a group box, the arrows made right after the edit.
constexpr std::array<ControlSpec, 3> kControls{{
    {.name = u"CountGroup", .kind = ControlKind::GroupBox, .bounds = {8, 8, 224, 74}, .caption = u"回数"},
    {.name = u"CountEdit",
     .kind = ControlKind::Edit,
     .parent = u"CountGroup",
     .bounds = {12, 24, 80, 21},
     .caption = u"0",
     .options = ControlOption::TabStop,
     .tabOrder = 1,
     .id = kEditId},
    {.name = u"CountUpDown",
     .kind = ControlKind::UpDown,
     .parent = u"CountGroup",
     .bounds = {120, 30, 16, 21}, // away from the edit: the control places it
     .tabOrder = 2,
     .id = kUpDownId,
     .minimum = 0,
     .maximum = 5000},
}};

const char* Name(TNumericallyRelationship relation) {
    switch (relation) {
    case nrAccord:
        return "accord";
    case nrDisaccord:
        return "disaccord";
    case nrNonNumber:
        return "nonnumber";
    }
    return "?";
}

// Hands the numeric edit's notifications to it, as every dialog that holds one does.
class NumberDialog : public Dialog {
public:
    explicit NumberDialog(PlatformServices& services) : Dialog(kControls, kForm), services_(services) {}

    std::unique_ptr<TUpDownEdit> number;

protected:
    unsigned InitialDpi() override { return 96; }
    void OnInitDialog() override {
        number = std::make_unique<TUpDownEdit>(Control(u"CountEdit"), Control(u"CountUpDown"), services_);
    }
    void OnCommand(int id, int code, HWND control) override {
        LRESULT result = 0;
        if (number && number->HandleNotification(WM_COMMAND, MAKEWPARAM(id, code),
                                                 reinterpret_cast<LPARAM>(control), result)) {
            return;
        }
        Dialog::OnCommand(id, code, control);
    }
    LRESULT OnNotify(const NMHDR& header) override {
        LRESULT result = 0;
        if (number &&
            number->HandleNotification(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header), result)) {
            return result;
        }
        return Dialog::OnNotify(header);
    }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if ((message == WM_VSCROLL || message == WM_HSCROLL) && number &&
            number->HandleNotification(message, wParam, lParam, result)) {
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
            return TRUE;
        }
        return Dialog::HandleMessage(message, wParam, lParam);
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

void ClearClipboard(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    ::EmptyClipboard();
    CloseClipboard();
}

class UpDownEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<NumberDialog>(services);
        dialog->CreateModeless(nullptr);
        dialog->Show();
        test::PumpMessages();
        ASSERT_TRUE(dialog->number);
        edit = dialog->number->Edit();
        arrows = dialog->number->UpDown();
        number().OnChange = [this] { log.push_back("change"); };
        number().OnCount = [this] { log.push_back("count"); };
        Verify(nullptr);
        number().SetValue(1234);
        log.clear();
    }
    void TearDown() override {
        dialog.reset();
        test::PumpMessages();
    }

    TUpDownEdit& number() const { return *dialog->number; }

    using Handler = std::function<void(std::u16string&, std::int32_t&, TNumericallyRelationship)>;
    // Records each verification, then lets `then` act on it.
    void Verify(Handler then) {
        number().OnVerify = [this, then](std::u16string& text, std::int32_t& position,
                                         TNumericallyRelationship relation) {
            log.push_back("verify " + test::Narrow(ToWide(text)) + " " + std::to_string(position) + " " +
                          Name(relation));
            if (then) {
                then(text, position, relation);
            }
        };
    }

    std::wstring Text() const { return ToWide(WindowText(edit)); }
    void Type(wchar_t c) const { SendMessageW(edit, WM_CHAR, c, 1); }
    void CaretAtEnd() const { SendMessageW(edit, EM_SETSEL, 0x7FFF, 0x7FFF); }
    std::int32_t Position() const {
        return static_cast<std::int32_t>(SendMessageW(arrows, UDM_GETPOS32, 0, 0));
    }

    test::PresentedErrors errors;
    test::RecordingServices services;
    std::unique_ptr<NumberDialog> dialog;
    HWND edit = nullptr;
    HWND arrows = nullptr;
    Log log;
};

TEST_F(UpDownEditTest, TheArrowsAreTheEditsBuddyAndWriteNoSeparators) {
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), edit);
    EXPECT_NE(GetWindowLongPtrW(arrows, GWL_STYLE) & UDS_NOTHOUSANDS, 0);
    EXPECT_EQ(number().Min(), 0);
    EXPECT_EQ(number().Max(), 5000);
    EXPECT_EQ(Text(), L"1234");
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(Text(), L"1235");
    EXPECT_EQ(number().Value(), 1235);
}

TEST_F(UpDownEditTest, ArrowsMadeWithThousandsSeparatorsLoseThem) {
    const HWND parent = dialog->Handle();
    const HWND plainEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 60, 60, 20, parent,
                                           nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND plainArrows =
        CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0,
                        16, 20, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plainArrows, nullptr);
    SendMessageW(plainArrows, UDM_SETRANGE32, 0, 100000);
    {
        TUpDownEdit plain(plainEdit, plainArrows, services);
        EXPECT_NE(GetWindowLongPtrW(plainArrows, GWL_STYLE) & UDS_NOTHOUSANDS, 0);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(plainArrows, UDM_GETBUDDY, 0, 0)), plainEdit);
        plain.SetValue(12345);
        EXPECT_EQ(WindowText(plainEdit), u"12345");
        SendMessageW(plainEdit, WM_KEYDOWN, VK_UP, 1);
        EXPECT_EQ(WindowText(plainEdit), u"12346");
    }
    DestroyWindow(plainArrows);
    DestroyWindow(plainEdit);
}

TEST_F(UpDownEditTest, RefusedCharactersBeepAndAreNotInserted) {
    struct Case {
        TFilterChars filters;
        wchar_t typed;
        std::wstring after; // typed at the end of "1234"
        bool beep;
    };
    const Case cases[] = {
        {fcAllowDecimal | fcRejectProcess, L'a', L"1234", true},
        {fcAllowDecimal | fcRejectProcess, L'7', L"12347", false},
        {fcAllowDecimal | fcRejectProcess, L'\uFF17', L"1234", true}, // full-width 7
        {fcAllowDecimal | fcRejectProcess, L'\b', L"123", false},
        {fcAllowDecimal, L'-', L"1234", true},
        {fcAllowDecimal | fcAllowNegative, L'-', L"1234-", false},
        {fcAllowHexdigit, L'f', L"1234f", false},
        {TFilterChars(), L'a', L"1234a", false},
        {TFilterChars(), L'\uFF17', L"1234\uFF17", false},
    };
    for (const Case& c : cases) {
        number().SetFilters(c.filters);
        number().SetText(u"1234");
        CaretAtEnd();
        services.beeps.clear();
        Type(c.typed);
        EXPECT_EQ(Text(), c.after) << static_cast<int>(c.typed);
        EXPECT_EQ(services.beeps, c.beep ? std::vector<UINT>{0} : std::vector<UINT>{})
            << static_cast<int>(c.typed);
    }
}

TEST_F(UpDownEditTest, AKeyPressHandlerCanChangeOrDropTheCharacter) {
    number().SetFilters(fcAllowDecimal);
    number().OnKeyPress = [](wchar_t& key) {
        if (key == L'a') {
            key = L'9';
        } else if (key == L'q') {
            key = 0;
        }
    };
    CaretAtEnd();
    Type(L'a');
    EXPECT_EQ(Text(), L"12349");
    Type(L'q');
    EXPECT_EQ(Text(), L"12349");
    EXPECT_TRUE(services.beeps.empty());
    Type(L'z');
    EXPECT_EQ(services.beeps, std::vector<UINT>{0});
}

TEST_F(UpDownEditTest, APasteKeepsWhatTheFiltersTake) {
    struct Case {
        const char* what;
        TFilterChars filters;
        const wchar_t* clipboard; // nullptr: a clipboard without text
        std::wstring after;       // pasted over the "23" of "1234"
        int beeps;
    };
    const Case cases[] = {
        {"refused characters left out", fcAllowDecimal, L"5a6", L"1564", 1},
        {"all taken", fcAllowDecimal | fcRejectProcess, L"56", L"1564", 0},
        {"rejected whole", fcAllowDecimal | fcRejectProcess, L"5a6", L"1234", 1},
        {"no text", fcAllowDecimal, nullptr, L"1234", 0},
        {"no filters: the edit's own paste", TFilterChars(), L"5a\uFF16",
         L"15a\uFF16"
         L"4",
         0},
        {"nothing taken", fcAllowDecimal, L"x", L"14", 1},
    };
    for (const Case& c : cases) {
        number().SetFilters(c.filters);
        number().SetText(u"1234");
        if (c.clipboard != nullptr) {
            test::SetClipboardText(dialog->Handle(), c.clipboard);
        } else {
            ClearClipboard(dialog->Handle());
        }
        SendMessageW(edit, EM_SETSEL, 1, 3);
        services.beeps.clear();
        SendMessageW(edit, WM_PASTE, 0, 0);
        EXPECT_EQ(Text(), c.after) << c.what;
        EXPECT_EQ(static_cast<int>(services.beeps.size()), c.beeps) << c.what;
    }
}

TEST_F(UpDownEditTest, AFilteredPasteCanBeUndone) {
    number().SetFilters(fcAllowDecimal);
    test::SetClipboardText(dialog->Handle(), L"9z9");
    SendMessageW(edit, EM_SETSEL, 4, 4);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), L"123499");
    ASSERT_TRUE(SendMessageW(edit, EM_CANUNDO, 0, 0));
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), L"1234");
}

TEST_F(UpDownEditTest, CtrlVPastesThroughTheFilters) {
    number().SetFilters(fcAllowDecimal | fcRejectProcess);
    test::SetClipboardText(dialog->Handle(), L"5a");
    CaretAtEnd();
    Type(L'\x16');
    EXPECT_EQ(Text(), L"1234");
    EXPECT_EQ(services.beeps, std::vector<UINT>{0});
}

TEST_F(UpDownEditTest, AStepCountsThenVerifiesAndIsNoChange) {
    struct Case {
        const char* what;
        std::function<void()> step;
        Log expected;
        std::wstring after;
    };
    const Case cases[] = {
        {"the up key",
         [this] { SendMessageW(edit, WM_KEYDOWN, VK_UP, 1); },
         {"count", "verify 1235 1235 accord"},
         L"1235"},
        {"the down key",
         [this] { SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 1); },
         {"count", "verify 1233 1233 accord"},
         L"1233"},
        {"a click on the upper arrow",
         [this] {
             RECT client{};
             GetClientRect(arrows, &client);
             const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 4);
             SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, point);
             SendMessageW(arrows, WM_LBUTTONUP, 0, point);
         },
         // The release reports once more, with no update left to end.
         {"count", "verify 1235 1235 accord", "count"},
         L"1235"},
    };
    for (const Case& c : cases) {
        number().SetValue(1234);
        log.clear();
        c.step();
        EXPECT_EQ(log, c.expected) << c.what;
        EXPECT_EQ(Text(), c.after) << c.what;
        EXPECT_EQ(number().UpdateCount(), 0) << c.what;
    }
}

TEST_F(UpDownEditTest, TypingChangesThenVerifiesAndANumberBeyondTheRangeLeavesThePosition) {
    CaretAtEnd();
    Type(L'5');
    EXPECT_EQ(log, (Log{"change", "verify 12345 1234 disaccord"}));
    EXPECT_EQ(Text(), L"12345");
    EXPECT_EQ(number().Relation(), nrDisaccord);
    SendMessageW(edit, EM_SETSEL, 4, 5);
    Type(L'\b');
    EXPECT_EQ(log, (Log{"change", "verify 12345 1234 disaccord", "change", "verify 1234 1234 accord"}));
    EXPECT_EQ(number().Relation(), nrAccord);
}

TEST_F(UpDownEditTest, AVerifierThatCorrectsLeavesTheTextShowingThePosition) {
    struct Case {
        const char* what;
        Handler correct;
        Log expected;
        std::wstring after;
    };
    const Case cases[] = {
        {"the text put back",
         [](std::u16string& text, std::int32_t& position, TNumericallyRelationship relation) {
             if (relation != nrAccord) {
                 text = ToDecimal(position);
             }
         },
         {"change", "verify 12345 1234 disaccord", "count", "verify 1234 1234 accord"},
         L"1234"},
        {"both moved to the maximum",
         [](std::u16string& text, std::int32_t& position, TNumericallyRelationship relation) {
             if (relation != nrAccord) {
                 text = u"5000";
                 position = 5000;
             }
         },
         {"change", "verify 12345 1234 disaccord", "count"},
         L"5000"},
    };
    for (const Case& c : cases) {
        Verify(nullptr);
        number().SetValue(1234);
        log.clear();
        Verify(c.correct);
        CaretAtEnd();
        Type(L'5');
        EXPECT_EQ(log, c.expected) << c.what;
        EXPECT_EQ(Text(), c.after) << c.what;
        EXPECT_EQ(std::to_wstring(Position()), c.after) << c.what;
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), edit) << c.what;
        EXPECT_EQ(number().UpdateCount(), 0) << c.what;
    }
}

TEST_F(UpDownEditTest, SettingTheValueCountsAndVerifies) {
    number().SetValue(4321);
    EXPECT_EQ(log, (Log{"count", "verify 4321 4321 accord"}));
    EXPECT_EQ(Text(), L"4321");
    log.clear();
    // The current position with another text: verified at the position and after the text.
    number().BeginUpdate();
    SetWindowTextW(edit, L"abc");
    number().EndUpdate();
    log.clear();
    number().SetValue(4321);
    EXPECT_EQ(log, (Log{"count", "verify abc 4321 nonnumber", "change", "verify 4321 4321 accord"}));
    EXPECT_EQ(Text(), L"4321");
}

TEST_F(UpDownEditTest, TheArrowsFollowTheEdit) {
    const int width = InParent(arrows).right - InParent(arrows).left;
    const auto expectBeside = [&](const char* when) {
        const RECT e = InParent(edit);
        const RECT a = InParent(arrows);
        EXPECT_EQ(a.left, e.right) << when;
        EXPECT_EQ(a.top, e.top) << when;
        EXPECT_EQ(a.right - a.left, width) << when;
        EXPECT_EQ(a.bottom - a.top, e.bottom - e.top) << when;
    };
    expectBeside("at first");
    SetWindowPos(edit, nullptr, 30, 40, 120, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    expectBeside("moved and sized");
    EXPECT_EQ(InParent(arrows).left, 150);
    SetWindowPos(edit, nullptr, 0, 0, 90, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectBeside("sized");
    EnableWindow(edit, FALSE);
    EXPECT_FALSE(IsWindowEnabled(arrows));
    EnableWindow(edit, TRUE);
    EXPECT_TRUE(IsWindowEnabled(arrows));
    ShowWindow(edit, SW_HIDE);
    EXPECT_FALSE(Visible(arrows));
    ShowWindow(edit, SW_SHOW);
    EXPECT_TRUE(Visible(arrows));
}

TEST_F(UpDownEditTest, TheArrowsStayBesideTheEditWhenTheDialogIsLaidOutForAnotherDpi) {
    RECT window{};
    GetWindowRect(dialog->Handle(), &window);
    RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                   window.top + (window.bottom - window.top) * 3 / 2};
    SendMessageW(dialog->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT e = InParent(edit);
    const RECT a = InParent(arrows);
    EXPECT_EQ(e.right - e.left, 120); // the builder has laid the edit out for 144 dpi
    EXPECT_EQ(a.left, e.right);
    EXPECT_EQ(a.top, e.top);
    EXPECT_EQ(a.bottom - a.top, e.bottom - e.top);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), edit);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(UpDownEditTest, ArrowsDestroyedElsewhereAreForgotten) {
    DestroyWindow(arrows);
    EXPECT_EQ(number().UpDown(), nullptr);
    SetWindowTextW(edit, L"77");
    EXPECT_EQ(number().Value(), 77);
    SetWindowPos(edit, nullptr, 10, 10, 50, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(edit, FALSE);
    ShowWindow(edit, SW_HIDE);
    log.clear();
    number().SetValue(5);
    EXPECT_EQ(Text(), L"5");
    EXPECT_TRUE(log.empty()); // no arrows: no count, no verification
    EXPECT_EQ(number().Min(), 0);
    EXPECT_EQ(number().Max(), 0);
    SetWindowTextW(edit, L"5x");
    try {
        static_cast<void>(number().Value());
        ADD_FAILURE() << "a text that is no number has no value";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"\"5x\" は有効な整数ではありません");
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(UpDownEditTest, AFailingHandlerIsPresentedAndTheNextChangeIsAChangeAgain) {
    number().OnChange = [] { throw Exception(u"変更に失敗しました"); };
    CaretAtEnd();
    Type(L'1');
    EXPECT_EQ(errors.messages, std::vector<std::u16string>{u"変更に失敗しました"});
    EXPECT_EQ(number().UpdateCount(), 0);
    number().OnChange = [this] { log.push_back("change"); };
    log.clear();
    Type(L'\b');
    EXPECT_EQ(log, (Log{"change", "verify 1234 1234 accord"}));
}

} // namespace
} // namespace nerula
