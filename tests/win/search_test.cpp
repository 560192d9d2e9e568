// Find next and Find previous in the main window: the walk over the matches with its
// strict comparisons and no wrap-around, whole words with and without regular
// expressions, the cache and what releases it, the engine's errors, the not-found box,
// the start-up rule, and the direction written by F3 and Shift+F3.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "bmp_fixture.h"
#include "common/win/wide.h"
#include "forms/resource_ids.h"
#include "main_form_fixture.h"
#include "search/find_options.h"

namespace nerula {
namespace {

using enum TREFindOption;

struct Selected {
    DWORD start;
    DWORD end;
    friend bool operator==(const Selected&, const Selected&) = default;
};

std::ostream& operator<<(std::ostream& out, const Selected& s) {
    return out << s.start << ".." << s.end;
}

class SearchTest : public test::MainFormTest {
protected:
    // Opens a UTF-8 text (code page given, so nothing is detected), the caret at 0.
    void Show(const std::string& utf8) {
        form.reset();
        Create(L"/C65001 \"" + folder.Write(L"text.txt", utf8) + L"\"");
        SendMessageW(form->Memo(), EM_SETSEL, 0, 0);
    }
    void SearchFor(const std::u16string& text, TREFindOptions options) {
        form->FindDialog().SetFindText(text);
        form->FindDialog().SetOptions(options);
    }
    Selected Selection() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(form->Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void Select(DWORD start, DWORD end) const { SendMessageW(form->Memo(), EM_SETSEL, start, end); }
    // Replaces the text as the program does: the edit control's modified flag stays clear.
    void ReplaceTextQuietly(const std::wstring& text) const { SetWindowTextW(form->Memo(), text.c_str()); }
    void Next() { Click(IDM_EDIT_FIND_NEXT); }
    void Previous() { Click(IDM_EDIT_FIND_PREV); }
    std::size_t InformationBoxes() const {
        std::size_t count = 0;
        for (const auto& box : services.boxes) {
            count += (box.type & MB_ICONINFORMATION) == MB_ICONINFORMATION ? 1 : 0;
        }
        return count;
    }
};

struct EngineCase {
    const char* name;
    RegexpEngines engines;
    bool usesRegexp;
};

const EngineCase kEngineCases[] = {
    {"literal", RegexpEngines::ObjectOrBuiltin, false},
    {"the system's object", RegexpEngines::ObjectOnly, true},
    {"the own engine", RegexpEngines::BuiltinOnly, true},
};

TEST_F(SearchTest, WalksTheMatchesPastTheCaretWithoutWrappingAround) {
    for (const EngineCase& c : kEngineCases) {
        SCOPED_TRACE(c.name);
        engines = c.engines;
        services.boxes.clear();
        Show("abc abc abc");
        if (c.usesRegexp && !form->Regexp().Usable()) {
            GTEST_LOG_(INFO) << "no such engine here";
            continue;
        }
        SearchFor(u"abc", c.usesRegexp ? kDefaultFindOptions : TREFindOptions(frDown));

        // The match at the caret is passed over.
        Next();
        EXPECT_EQ(Selection(), (Selected{4, 7}));
        Next();
        EXPECT_EQ(Selection(), (Selected{8, 11}));
        Next();
        EXPECT_EQ(Selection(), (Selected{8, 11}));
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text, L"\"abc\" が見つかりません");
        EXPECT_EQ(services.boxes[0].type, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
        EXPECT_EQ(services.boxes[0].caption, Title());
        EXPECT_EQ(services.boxes[0].owner, form->Handle());

        Previous();
        EXPECT_EQ(Selection(), (Selected{4, 7}));
        Previous();
        EXPECT_EQ(Selection(), (Selected{0, 3}));
        Previous();
        EXPECT_EQ(Selection(), (Selected{0, 3}));
        EXPECT_EQ(services.boxes.size(), 2u);
        EXPECT_TRUE(form->Regexp().UsesRegexp() == c.usesRegexp);
    }
}

TEST_F(SearchTest, TheCaretInsideAMatch) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc abc abc");
    SearchFor(u"abc", kDefaultFindOptions);
    Select(5, 5);
    Next();
    EXPECT_EQ(Selection(), (Selected{8, 11}));
    Select(5, 5);
    Previous();
    EXPECT_EQ(Selection(), (Selected{4, 7}));
}

TEST_F(SearchTest, PositionsCountUtf16UnitsAndCrLfLineBreaks) {
    engines = RegexpEngines::BuiltinOnly;
    // 𠮷 is two units; each line break is two.
    Show("𠮷野家\nの𠮷\r\n𠮷");
    SearchFor(u"𠮷", kDefaultFindOptions);
    Next();
    EXPECT_EQ(Selection(), (Selected{7, 9}));
    Next();
    EXPECT_EQ(Selection(), (Selected{11, 13}));
    Previous();
    Previous();
    EXPECT_EQ(Selection(), (Selected{0, 2}));
}

TEST_F(SearchTest, WholeWords) {
    struct Case {
        const char* name;
        std::string text;
        TREFindOptions options;
        std::u16string findText;
        std::vector<std::int32_t> matches; // first indexes
        std::u16string pattern;
    };
    const Case cases[] = {
        {"regular expressions",
         "cat concat cat.",
         kDefaultFindOptions | frWholeWord,
         u"cat",
         {0, 11},
         u"(^|\\b)cat(\\b|$)"},
        {"literal: the spaces are found too",
         "a cat sat",
         TREFindOptions{frDown, frWholeWord},
         u"cat",
         {1},
         u" cat "},
        {"literal: not at a line's start",
         "cat sat",
         TREFindOptions{frDown, frWholeWord},
         u"cat",
         {},
         u" cat "},
        // Bracketed, the pattern would find no whole word in this text.
        {"the alternation takes the pattern apart",
         "ab ba",
         kDefaultFindOptions | frWholeWord,
         u"a|b",
         {0, 1},
         u"(^|\\b)a|b(\\b|$)"},
    };
    engines = RegexpEngines::BuiltinOnly;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Show(c.text);
        SearchFor(c.findText, c.options);
        // From the end backwards, so that a match at 0 is found as well.
        const auto end = static_cast<DWORD>(c.text.size());
        Select(end, end);
        Previous();
        EXPECT_EQ(form->Regexp().Pattern(), c.pattern);
        ASSERT_NE(form->FMatches(), nullptr);
        std::vector<std::int32_t> found;
        for (std::size_t i = 0; i < form->FMatches()->Count(); ++i) {
            found.push_back(form->FMatches()->Item(i).FirstIndex());
        }
        EXPECT_EQ(found, c.matches);
    }
    // The literal whole word selects the spaces around the word.
    Show("a cat sat");
    SearchFor(u"cat", TREFindOptions{frDown, frWholeWord});
    Next();
    EXPECT_EQ(Selection(), (Selected{1, 6}));
}

TEST_F(SearchTest, SearchesAgainForNewChoicesButNotForANewDirection) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc abc abc");
    SearchFor(u"abc", kDefaultFindOptions);
    Next();
    // The text changes under the cache without the user's hand: only a new search sees it.
    ReplaceTextQuietly(L"ab abc abc abc");
    Select(5, 5);
    Previous();
    EXPECT_EQ(Selection(), (Selected{4, 7})) << "the direction alone reuses the matches";
    Select(5, 5);
    form->FindDialog().SetOptions(form->FindDialog().Options() | frMatchCase);
    Next();
    EXPECT_EQ(Selection(), (Selected{7, 10})) << "the case choice searches again";
    EXPECT_FALSE(form->Regexp().IgnoreCase());
}

TEST_F(SearchTest, TheUsersEditReleasesTheMatchesAndClearsTheModifiedFlag) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc abc abc");
    SearchFor(u"abc", kDefaultFindOptions);
    Next();
    ASSERT_NE(form->FMatches(), nullptr);
    // The program's own change keeps them; the user's typing does not.
    ReplaceTextQuietly(L"xabc abc abc");
    EXPECT_NE(form->FMatches(), nullptr);
    Select(0, 0);
    SendMessageW(form->Memo(), WM_CHAR, L'z', 0);
    EXPECT_EQ(form->FMatches(), nullptr);
    EXPECT_EQ(SendMessageW(form->Memo(), EM_GETMODIFY, 0, 0), 0);
    Select(0, 0);
    Next();
    EXPECT_EQ(Selection(), (Selected{2, 5}));
}

TEST_F(SearchTest, ANewTextReleasesTheMatches) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc abc");
    SearchFor(u"abc", kDefaultFindOptions);
    Next();
    ASSERT_NE(form->FMatches(), nullptr);
    Click(IDM_VIEW_ENCODE_SHIFTJIS);
    EXPECT_EQ(form->FMatches(), nullptr);
}

TEST_F(SearchTest, AnEmptyFindTextOpensTheFindWindowWhileTheMenuItemIsEnabled) {
    Show("abc");
    ASSERT_TRUE(test::MenuItemEnabled(form->Handle(), 1, IDM_EDIT_FIND));
    Next();
    ASSERT_NE(form->FindDialog().Dialog(), nullptr);
    EXPECT_TRUE(IsWindowVisible(form->FindDialog().Dialog()->Handle()));
    EXPECT_TRUE(services.boxes.empty());

    // Without a text the item is greyed, and the search does nothing.
    form.reset();
    Create(L"");
    ASSERT_FALSE(test::MenuItemEnabled(form->Handle(), 1, IDM_EDIT_FIND));
    Previous();
    EXPECT_EQ(form->FindDialog().Dialog(), nullptr);
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(SearchTest, AnEngineErrorIsShownAndComesBackUntilTheTextIsCorrected) {
    engines = RegexpEngines::BuiltinOnly;
    Show("(a) a");
    SearchFor(u"(a", kDefaultFindOptions);
    Select(1, 2);
    for (int attempt = 0; attempt < 2; ++attempt) {
        Next();
        ASSERT_EQ(services.boxes.size(), static_cast<std::size_t>(attempt + 1));
        EXPECT_EQ(services.boxes.back().type, static_cast<UINT>(MB_ICONERROR | MB_OK));
        EXPECT_NE(services.boxes.back().text.find(L"正規表現が不正です"), std::wstring::npos)
            << test::Narrow(services.boxes.back().text);
        EXPECT_EQ(Selection(), (Selected{1, 2}));
        EXPECT_EQ(form->FMatches(), nullptr);
    }
    form->FindDialog().SetFindText(u"\\(a\\)");
    Select(0, 0);
    Previous();
    Select(5, 5);
    Previous();
    EXPECT_EQ(Selection(), (Selected{0, 3}));
    EXPECT_EQ(services.boxes.size(), 3u) << "the first backward step finds nothing before 0";
}

TEST_F(SearchTest, FromTheFindWindowTheNotFoundBoxBelongsToItAndErrorsReachThePresenter) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc");
    form->FindDialog().Execute();
    const HWND findWindow = form->FindDialog().Dialog()->Handle();
    const HWND edit = form->FindDialog().Dialog()->FindTextEdt();
    SetWindowTextW(edit, L"xyz");
    SetActiveWindow(findWindow);
    SendMessageW(form->FindDialog().Dialog()->Control(u"FindBtn"), BM_CLICK, 0, 0);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, L"\"xyz\" が見つかりません");
    EXPECT_EQ(services.boxes[0].owner, findWindow);

    SetWindowTextW(edit, L"[");
    SendMessageW(form->FindDialog().Dialog()->Control(u"FindBtn"), BM_CLICK, 0, 0);
    ASSERT_EQ(services.boxes.size(), 2u);
    EXPECT_EQ(services.boxes[1].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_TRUE(IsWindowVisible(findWindow));

    SetWindowTextW(edit, L"b");
    SendMessageW(form->FindDialog().Dialog()->Control(u"FindBtn"), BM_CLICK, 0, 0);
    EXPECT_EQ(Selection(), (Selected{1, 2}));
    EXPECT_TRUE(IsWindowVisible(findWindow)) << "the find window stays open";
}

TEST_F(SearchTest, TheFindButtonDoesNothingWhileAPictureIsShown) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc abc");
    form->FindDialog().Execute();
    SetWindowTextW(form->FindDialog().Dialog()->FindTextEdt(), L"abc");
    form->OpenFile(folder.Write(L"picture.bmp", test::Bmp24(4, 3)), 0, 1, 1);
    ASSERT_FALSE(test::IsShown(form->Memo()));
    SendMessageW(form->FindDialog().Dialog()->Control(u"FindBtn"), BM_CLICK, 0, 0);
    EXPECT_EQ(Selection(), (Selected{0, 0}));
    EXPECT_EQ(form->FMatches(), nullptr);
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(SearchTest, FindNextAndPreviousWriteTheDirection) {
    engines = RegexpEngines::BuiltinOnly;
    Show("abc abc");
    // Not created yet: the stored options change.
    SearchFor(u"abc", kDefaultFindOptions);
    Previous();
    EXPECT_FALSE(form->FindDialog().Options().Has(frDown));
    form->FindDialog().Execute();
    const HWND up = form->FindDialog().Dialog()->Form().RadioItem(u"DirectionRgp", 0);
    const HWND down = form->FindDialog().Dialog()->Form().RadioItem(u"DirectionRgp", 1);
    EXPECT_EQ(SendMessageW(up, BM_GETCHECK, 0, 0), BST_CHECKED);
    // Shown with "上へ(&U)", F3 goes down and shows "下へ(&D)", hidden as well.
    Select(0, 0);
    Next();
    EXPECT_EQ(Selection(), (Selected{4, 7}));
    EXPECT_EQ(SendMessageW(down, BM_GETCHECK, 0, 0), BST_CHECKED);
    form->FindDialog().Cansel();
    Previous();
    EXPECT_EQ(Selection(), (Selected{0, 3}));
    EXPECT_EQ(SendMessageW(up, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(SearchTest, WithoutAnyRegexpEngineTheBoxStartsUncheckedAndGreyedAndSearchesAreLiteral) {
    engines = RegexpEngines::None;
    Show("a.c abc a.c");
    EXPECT_FALSE(form->Regexp().Usable());
    EXPECT_EQ(form->FindDialog().Options(), TREFindOptions({frDown, frDisableUsesRegexp}));
    form->FindDialog().Execute();
    const HWND box = form->FindDialog().Dialog()->Control(u"UsesRegexpChk");
    EXPECT_FALSE(IsWindowEnabled(box));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowEnabled(form->FindDialog().Dialog()->Control(u"MultiLineChk")));

    SetWindowTextW(form->FindDialog().Dialog()->FindTextEdt(), L"a.c");
    Next();
    EXPECT_EQ(Selection(), (Selected{8, 11})) << "'.' is no wildcard: 'abc' is passed over";
    // Whole word takes the space form without an engine.
    SendMessageW(form->FindDialog().Dialog()->Control(u"WholeWordChk"), BM_CLICK, 0, 0);
    Previous();
    EXPECT_EQ(form->Regexp().Pattern(), u" a.c ");
}

TEST_F(SearchTest, TheMatchIsScrolledNearTheMiddleOfTheView) {
    engines = RegexpEngines::BuiltinOnly;
    std::string text;
    for (int line = 0; line < 400; ++line) {
        text += line == 300 ? "here is the needle\n" : "hay\n";
    }
    Show(text);
    SearchFor(u"needle", kDefaultFindOptions);
    Next();
    const auto first = static_cast<int>(SendMessageW(form->Memo(), EM_GETFIRSTVISIBLELINE, 0, 0));
    // Not at the top, as the code-page switch scrolls, but with rows above it.
    EXPECT_GT(first, 250);
    EXPECT_LT(first, 300 - 3);
    EXPECT_EQ(Selection(), (Selected{300 * 5 + 12, 300 * 5 + 18}));
}

} // namespace
} // namespace nerula
