// Searching end to end, with the keyboard only: Ctrl+F opens the find window with the
// focus in its text, Enter finds, Escape hides it, F3 and Shift+F3 walk on, the not-found
// box, an error box for a pattern the matching engine rejects, and the check boxes'
// access keys. Where the prefix has no "VBScript.RegExp" the program's own engine answers,
// and its own error text is expected.

#include <objbase.h>

#include <string>

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "keyboard.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

// a0 b1 c2 _3 日4 本5 語6 _7 a8 b9 c10 CR11 LF12 日13 本14 語15 _16 a17 b18 c19
const std::string kUtf8Text =
    "abc \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E abc\n\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E abc";
const std::wstring kJapanese = L"日本語";

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};

std::ostream& operator<<(std::ostream& out, const Selection& s) {
    return out << s.start << ".." << s.end;
}

bool SystemHasRegexpObject() {
    CLSID clsid{};
    return SUCCEEDED(CLSIDFromProgID(L"VBScript.RegExp", &clsid));
}

class SearchEndToEndTest : public E2eTest {
protected:
    // Opens the text in UTF-8 and brings the window to the front, the caret at the start.
    bool Open() {
        path_ = folder.Write(L"search.txt", kUtf8Text);
        nerula_ = &Start(L"/C65001 " + Quoted(path_));
        main_ = ReadyMainWindow(*nerula_);
        if (main_ == nullptr) {
            return false;
        }
        memo_ = FindWindowExW(main_, nullptr, L"Edit", nullptr);
        return memo_ != nullptr && BringToFront(main_);
    }

    Selection MemoSelection() const {
        DWORD_PTR packed = 0;
        SendMessageTimeoutW(memo_, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &packed);
        return {LOWORD(packed), HIWORD(packed)};
    }
    testing::AssertionResult SelectionBecomes(Selection expected) const {
        if (WaitFor([&] { return MemoSelection() == expected; }, 5s)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "the selection is " << MemoSelection() << ", not " << expected;
    }

    // The find window, once it is shown.
    HWND FindWindowShown() const {
        return WaitFor(
            [&]() -> HWND {
                for (const HWND dialog : DialogWindows(nerula_->Id())) {
                    if (TextOf(dialog) == L"検索") {
                        return dialog;
                    }
                }
                return nullptr;
            },
            5s);
    }
    static HWND FindTextEdit(HWND findWindow) {
        // The first edit of the window, in its first panel.
        HWND edit = nullptr;
        EnumChildWindows(
            findWindow,
            [](HWND child, LPARAM found) -> BOOL {
                if (ClassNameOf(child) == L"Edit" && IsWindowVisible(child)) {
                    *reinterpret_cast<HWND*>(found) = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&edit));
        return edit;
    }
    // Opens the find window by its shortcut and types the find text over what is there.
    HWND FindWith(const std::wstring& text) {
        PressKey('F', {VK_CONTROL});
        const HWND findWindow = FindWindowShown();
        if (findWindow == nullptr) {
            ADD_FAILURE() << "Ctrl+F shows no find window";
            return nullptr;
        }
        const HWND edit = FindTextEdit(findWindow);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(findWindow) == edit; }, 5s))
            << "the focus is not in the find text";
        TypeText(text);
        EXPECT_TRUE(WaitFor([&] { return ControlText(edit) == text; }, 5s)) << Utf8(ControlText(edit));
        return findWindow;
    }
    std::optional<MessageBoxView> Box() const { return WaitForMessageBox(nerula_->Id(), 5s); }
    void Dismiss(const MessageBoxView& box) const {
        PressOk(box.window);
        EXPECT_TRUE(WaitUntilGone(box.window, 5s));
    }

    std::wstring path_;
    NerulaProcess* nerula_ = nullptr;
    HWND main_ = nullptr;
    HWND memo_ = nullptr;
};

TEST_F(SearchEndToEndTest, FindsWithEnterThenWalksWithF3AndShiftF3) {
    ASSERT_TRUE(Open());
    const HWND findWindow = FindWith(kJapanese);
    ASSERT_NE(findWindow, nullptr);
    PressKey(VK_RETURN);
    EXPECT_TRUE(SelectionBecomes({4, 7}));
    EXPECT_TRUE(IsWindowVisible(findWindow)) << "the find window stays open after a match";

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(findWindow, 5s));
    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F3);
    EXPECT_TRUE(SelectionBecomes({13, 16}));

    // No wrap-around: the end says so and the selection stays.
    PressKey(VK_F3);
    const auto notFound = Box();
    ASSERT_TRUE(notFound);
    EXPECT_EQ(notFound->text, L"\"日本語\" が見つかりません");
    EXPECT_EQ(notFound->caption, path_ + L" - Nerula");
    Dismiss(*notFound);
    EXPECT_EQ(MemoSelection(), (Selection{13, 16}));

    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F3, {VK_SHIFT});
    EXPECT_TRUE(SelectionBecomes({4, 7}));
    PressKey(VK_F3, {VK_SHIFT});
    const auto atStart = Box();
    ASSERT_TRUE(atStart);
    EXPECT_EQ(atStart->text, L"\"日本語\" が見つかりません");
    Dismiss(*atStart);
    EXPECT_EQ(MemoSelection(), (Selection{4, 7}));

    // Shown again, the window has its text selected, ready to be typed over.
    ASSERT_TRUE(BringToFront(main_));
    PressKey('F', {VK_CONTROL});
    ASSERT_EQ(FindWindowShown(), findWindow);
    const HWND edit = FindTextEdit(findWindow);
    DWORD_PTR packed = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &packed);
    EXPECT_EQ(LOWORD(packed), 0);
    EXPECT_EQ(HIWORD(packed), 3);
}

TEST_F(SearchEndToEndTest, ARejectedPatternIsAnErrorEveryTimeUntilCorrected) {
    ASSERT_TRUE(Open());
    ASSERT_NE(FindWith(L"(abc"), nullptr);
    PressKey(VK_RETURN);
    const auto first = Box();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->text.empty());
    if (!SystemHasRegexpObject()) {
        EXPECT_EQ(first->text.find(L"正規表現が不正です"), 0u) << Utf8(first->text);
    }
    Dismiss(*first);
    EXPECT_EQ(MemoSelection(), (Selection{0, 0}));

    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F3);
    const auto again = Box();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->text, first->text);
    Dismiss(*again);

    // Corrected, and a regular expression: '.' stands for any character.
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_NE(FindWith(L"a.c"), nullptr);
    PressKey(VK_RETURN);
    EXPECT_TRUE(SelectionBecomes({8, 11}));
}

TEST_F(SearchEndToEndTest, TheCheckBoxesAnswerTheirAccessKeys) {
    ASSERT_TRUE(Open());
    const HWND findWindow = FindWith(L"ABC");
    ASSERT_NE(findWindow, nullptr);
    // Alt+C: 大文字と小文字を区別する(&C).
    PressKey('C', {VK_MENU});
    PressKey(VK_RETURN);
    const auto notFound = Box();
    ASSERT_TRUE(notFound);
    EXPECT_EQ(notFound->text, L"\"ABC\" が見つかりません");
    Dismiss(*notFound);

    ASSERT_TRUE(BringToFront(findWindow));
    PressKey('C', {VK_MENU});
    PressKey(VK_RETURN);
    EXPECT_TRUE(SelectionBecomes({8, 11}));
    // Alt+U: 上へ(&U), then Enter goes back to the first.
    PressKey('U', {VK_MENU});
    PressKey(VK_RETURN);
    EXPECT_TRUE(SelectionBecomes({0, 3}));
}

} // namespace
} // namespace nerula::e2e
