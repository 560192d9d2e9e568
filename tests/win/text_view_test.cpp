// Showing files as text in the main window: code pages, caption, window size, caret
// positioning, word wrap and reloading from the encoding menu.

#include <gtest/gtest.h>

#include <string>

#include "forms/resource_ids.h"
#include "main_form_fixture.h"
#include "text/text_loading.h"

namespace nerula {
namespace {

using test::IsShown;
using test::MainFormTest;

// 「日本語のテキストです。」
const std::string kShiftJisText =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x82\xC5\x82\xB7\x81\x42";
const std::string kEucJpText =
    "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA4\xC7\xA4\xB9\xA1\xA3";
const std::wstring kText = L"日本語のテキストです。";

class TextViewTest : public MainFormTest {
protected:
    std::wstring MemoText() const {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(form->Memo())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(form->Memo(), text.data(), static_cast<int>(text.size()))));
        return text;
    }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(form->Memo(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    LRESULT FirstVisibleLine() const { return SendMessageW(form->Memo(), EM_GETFIRSTVISIBLELINE, 0, 0); }
    std::wstring Lines(int count) const {
        std::wstring text;
        for (int i = 1; i <= count; ++i) {
            text += L"line " + std::to_wstring(i) + L" " + std::wstring(200, L'x') + L"\r\n";
        }
        return text;
    }
    static std::string Narrow(const std::wstring& ascii) { return {ascii.begin(), ascii.end()}; }
};

// Bytes that are no text, read as UTF-8 and as UTF-16 (every kind of character, combining
// marks and right-to-left scripts among them), are laid out, drawn and shown whole.
TEST_F(TextViewTest, BinaryBytesShowInEveryUnicodeCodePage) {
    std::string bytes(4 * 1024, '\0');
    std::uint32_t state = 12345;
    for (char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 23);
    }
    const std::wstring path = folder.Write(L"binary.dat", bytes);
    Create(L"/C65001 \"" + path + L"\"");
    EXPECT_EQ(Caption(), L"binary.dat ( UTF-8 ) - Nerula");
    const struct {
        UINT item;
        const wchar_t* caption;
        std::size_t minimumLength;
    } readings[] = {
        {IDM_VIEW_ENCODE_UTF8, L"binary.dat ( UTF-8 ) - Nerula", bytes.size() / 4},
        {IDM_VIEW_ENCODE_UTF16, L"binary.dat ( UTF-16 ) - Nerula", bytes.size() / 2},
        {IDM_VIEW_ENCODE_UTF16BE, L"binary.dat ( UTF-16BE ) - Nerula", bytes.size() / 2},
    };
    for (const auto& reading : readings) {
        Click(reading.item);
        EXPECT_EQ(Caption(), reading.caption);
        EXPECT_GE(MemoText().size(), reading.minimumLength) << Narrow(reading.caption);
        // Drawing the lines is where a font's shaping would fail.
        RedrawWindow(form->Memo(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(services.boxes.empty());
    }
}

TEST_F(TextViewTest, ARequestedCodePageDecidesAndNamesTheCaption) {
    const std::wstring path = folder.Write(L"sjis.txt", kShiftJisText + "\n" + kShiftJisText);
    Create(L"/C932 \"" + path + L"\"");
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(Caption(), L"sjis.txt ( Shift-JIS ) - Nerula");
    EXPECT_EQ(MemoText(), kText + L"\r\n" + kText);
    EXPECT_TRUE(IsShown(form->Memo()));
    EXPECT_FALSE(IsShown(form->ImageBox().Handle()));
    EXPECT_EQ(GetFocus(), form->Memo());
    EXPECT_EQ(form->CodePage(), 932u);
    EXPECT_TRUE(Checked(IDM_VIEW_ENCODE_SHIFTJIS));
    EXPECT_EQ(Title(), path + L" - Nerula");
    EXPECT_FALSE(form->Modified()) << "a command-line code page is not a setting";
}

TEST_F(TextViewTest, DetectedEucJpIsDecodedAsJisAndCheckedAsJis) {
    const std::wstring path = folder.Write(L"euc.txt", kEucJpText);
    Create(L"\"" + path + L"\"");
    EXPECT_EQ(Caption(), L"euc.txt ( JIS ) - Nerula");
    EXPECT_EQ(MemoText(), kText);
    EXPECT_EQ(form->CodePage(), 20932u);
    EXPECT_TRUE(Checked(IDM_VIEW_ENCODE_JIS));
    EXPECT_FALSE(Checked(IDM_VIEW_ENCODE_EUCJP));
}

TEST_F(TextViewTest, AnEmptyFileShowsTheAnsiCodePageName) {
    const std::wstring path = folder.Write(L"empty.txt", "");
    Create(L"\"" + path + L"\"");
    const std::wstring ansi = GetACP() == 932 ? L"Shift-JIS" : GetACP() == 1252 ? L"Latin-ANSI" : L"?";
    EXPECT_EQ(Caption(), L"empty.txt ( " + ansi + L" ) - Nerula");
    EXPECT_EQ(MemoText(), L"");
    EXPECT_TRUE(IsShown(form->Memo()));
}

TEST_F(TextViewTest, NulCharactersAreShownAndKeepTheTextWhole) {
    const std::wstring path = folder.Write(L"zeros.txt", std::string("ab\0cd\0\0e", 8));
    Create(L"/C932 \"" + path + L"\"");
    const std::wstring placeholder(1, static_cast<wchar_t>(kNulPlaceholder));
    EXPECT_EQ(MemoText(), L"ab" + placeholder + L"cd" + placeholder + placeholder + L"e");
}

TEST_F(TextViewTest, TheWindowTakesItsShareOfTheDesktopWhenItFits) {
    services.desktop = RECT{0, 0, 1366, 768};
    const std::wstring path = folder.Write(L"a.txt", "a");
    Create(L"");
    SetWindowPos(form->Handle(), nullptr, 10, 20, 300, 200, SWP_NOZORDER);
    form->OpenFile(path, 0, 1, 1);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.right - window.left, 1024);
    EXPECT_EQ(window.bottom - window.top, 576);
    EXPECT_EQ(window.left, 10) << "the position never changes";

    // Moved so that the new far corner would lie on the desktop's right edge: no change.
    SetWindowPos(form->Handle(), nullptr, 342, 0, 300, 200, SWP_NOZORDER);
    form->OpenFile(path, 0, 1, 1);
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.right - window.left, 300);
    EXPECT_EQ(window.bottom - window.top, 200);
}

TEST_F(TextViewTest, LineAndColumnPutTheCaretOnTheFilesOwnLines) {
    const std::wstring text = Lines(60);
    const std::wstring path = folder.Write(L"lines.txt", Narrow(text));
    const auto lineStart = [&](int line) {
        std::size_t position = 0;
        for (int i = 1; i < line; ++i) {
            position = text.find(L"\r\n", position) + 2;
        }
        return static_cast<DWORD>(position);
    };
    struct Case {
        std::wstring switches;
        DWORD caret;
    };
    const std::vector<Case> cases{
        {L"", 0},
        {L"/L3", lineStart(3)},
        {L"/D5", 4},
        {L"/L2 /D300", lineStart(2) + 299},          // runs on into line 3, a break counting two
        {L"/L999", static_cast<DWORD>(text.size())}, // beyond the last line: the last (empty) one
        {L"/L-4 /D2", 1},                            // before the first line: the first line
    };
    for (const Case& c : cases) {
        Create(c.switches + L" \"" + path + L"\"");
        EXPECT_EQ(Selection(), std::make_pair(c.caret, c.caret)) << c.switches;
        // The file's default is a wrapping view; positioning leaves it so.
        EXPECT_TRUE(Wraps()) << c.switches;
        const LRESULT caretLine = SendMessageW(form->Memo(), EM_LINEFROMCHAR, c.caret, 0);
        // The caret's line comes to the top, unless the text ends before a page is full.
        const LRESULT lastTop = SendMessageW(form->Memo(), EM_GETLINECOUNT, 0, 0) - 1;
        if (c.switches.empty()) {
            EXPECT_EQ(FirstVisibleLine(), 0);
        } else if (caretLine < lastTop / 2) {
            EXPECT_EQ(FirstVisibleLine(), caretLine) << c.switches;
        } else {
            EXPECT_GT(FirstVisibleLine(), 0) << c.switches;
        }
        form.reset();
    }
}

TEST_F(TextViewTest, ChoosingACodePageReloadsFromDiskAndKeepsTheSelection) {
    const std::wstring path = folder.Write(L"reload.txt", "plain ascii text");
    Create(L"/C932 \"" + path + L"\"");
    SendMessageW(form->Memo(), EM_SETSEL, 6, 11);
    test::WriteFileBytes(path, kEucJpText + " tail");

    Click(IDM_VIEW_ENCODE_EUCJP);
    EXPECT_EQ(form->CodePage(), 20932u);
    EXPECT_TRUE(Checked(IDM_VIEW_ENCODE_JIS)) << "EUC-JP chooses 20932, whose item is JIS";
    EXPECT_FALSE(Checked(IDM_VIEW_ENCODE_SHIFTJIS));
    EXPECT_EQ(MemoText(), kText + L" tail");
    EXPECT_EQ(Caption(), L"reload.txt ( JIS ) - Nerula");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{6}, DWORD{11}));
    EXPECT_TRUE(form->Modified());
}

TEST_F(TextViewTest, ChoosingTheCurrentCodePageDoesNothing) {
    const std::wstring path = folder.Write(L"same.txt", kShiftJisText);
    Create(L"/C20932 \"" + path + L"\"");
    test::WriteFileBytes(path, "changed on disk");
    Click(IDM_VIEW_ENCODE_EUCJP); // carries 20932, the current code page
    Click(IDM_VIEW_ENCODE_JIS);
    EXPECT_NE(MemoText(), L"changed on disk") << "no reload";
    EXPECT_FALSE(form->Modified());
}

TEST_F(TextViewTest, ChoosingACodePageWithNothingShownOnlyMovesTheCheck) {
    Create(L"");
    Click(IDM_VIEW_ENCODE_UTF8);
    EXPECT_EQ(form->CodePage(), 65001u);
    EXPECT_TRUE(Checked(IDM_VIEW_ENCODE_UTF8));
    EXPECT_FALSE(IsShown(form->Memo()));
    EXPECT_TRUE(form->Modified());
}

TEST_F(TextViewTest, AutomaticSelectionTogglesAndTakesEffectWithTheNextText) {
    const std::wstring path = folder.Write(L"auto.txt", kEucJpText);
    Create(L"");
    ASSERT_TRUE(Checked(IDM_VIEW_ENCODE_AUTO));
    Click(IDM_VIEW_ENCODE_AUTO);
    EXPECT_FALSE(Checked(IDM_VIEW_ENCODE_AUTO));
    EXPECT_TRUE(form->Modified());
    Click(IDM_VIEW_ENCODE_UTF8);
    form->OpenFile(path, 0, 1, 1);
    EXPECT_EQ(form->CodePage(), 65001u) << "without automatic selection the current code page stays";
}

TEST_F(TextViewTest, WordWrapRecreatesTheControlKeepingItsState) {
    const std::wstring path = folder.Write(L"wrap.txt", Narrow(Lines(200)));
    Create(L"/L20 \"" + path + L"\"");
    SendMessageW(form->Memo(), EM_SETSEL, 3000, 3010);
    SendMessageW(form->Memo(), EM_SETMODIFY, TRUE, 0);
    const std::wstring before = MemoText();
    ASSERT_TRUE(Wraps());
    ASSERT_TRUE(Checked(IDM_VIEW_WORD_WRAP));

    Click(IDM_VIEW_WORD_WRAP);
    EXPECT_FALSE(Checked(IDM_VIEW_WORD_WRAP));
    EXPECT_FALSE(Wraps());
    EXPECT_EQ(MemoText(), before);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{3000}, DWORD{3010}));
    EXPECT_NE(SendMessageW(form->Memo(), EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(GetFocus(), form->Memo());
    EXPECT_EQ(FirstVisibleLine(), SendMessageW(form->Memo(), EM_LINEFROMCHAR, 3000, 0));
    EXPECT_TRUE(form->Modified());

    Click(IDM_VIEW_WORD_WRAP);
    EXPECT_TRUE(Wraps());
    EXPECT_EQ(Selection(), std::make_pair(DWORD{3000}, DWORD{3010}));
    EXPECT_EQ(MemoText(), before);

    // The text moved from control to control in its buffer, which the new one grows.
    const std::wstring added(20000, L'y');
    SendMessageW(form->Memo(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    EXPECT_EQ(MemoText(), before.substr(0, 3000) + added + before.substr(3010));
}

TEST_F(TextViewTest, TextLongerThanTheDefaultLimitIsShownAndEditable) {
    std::string text;
    while (text.size() < 100000) {
        text += "0123456789abcdefghij0123456789abcdefghij0123456789abcdefghij0123456789\r\n";
    }
    const std::wstring path = folder.Write(L"long.txt", text);
    Create(L"\"" + path + L"\"");
    const HWND memo = form->Memo();
    EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(memo)), text.size());
    // The limit is an unsigned number of characters, which a 32-bit LRESULT may show negative.
    EXPECT_GT(static_cast<DWORD>(SendMessageW(memo, EM_GETLIMITTEXT, 0, 0)), text.size());
    EXPECT_EQ(SendMessageW(memo, EM_GETMODIFY, 0, 0), 0);

    // The control grows the text it was handed, far beyond its first size.
    const std::wstring added(50000, L'x');
    SendMessageW(memo, EM_SETSEL, text.size(), text.size());
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(memo)), text.size() + added.size());
    EXPECT_TRUE(MemoText().ends_with(L"789\r\n" + added));

    // The next text takes the place of the first, fresh and unmodified.
    Click(IDM_VIEW_ENCODE_UTF8);
    EXPECT_EQ(MemoText(), std::wstring(text.begin(), text.end()));
    EXPECT_EQ(SendMessageW(memo, EM_GETMODIFY, 0, 0), 0);
}

TEST_F(TextViewTest, TabWidthAndFontMarkTheSettingsOnlyWhenTheyChange) {
    Create(L"");
    EXPECT_EQ(form->TabWidth(), 4);
    form->SetTabWidth(4);
    EXPECT_FALSE(form->Modified());
    form->SetTabWidth(8);
    EXPECT_EQ(form->TabWidth(), 8);
    EXPECT_TRUE(form->Modified());

    MainFormTest::TearDown();
    Create(L"");
    form->SetViewerFont(form->ViewerFont());
    EXPECT_FALSE(form->Modified()) << "the control's own font object changes nothing";
    TextFont other(L"Courier New", -20);
    form->SetViewerFont(other);
    EXPECT_TRUE(form->Modified());
    EXPECT_EQ(form->ViewerFont().Name(), L"Courier New");
    EXPECT_EQ(form->ViewerFont().Height(), -20);
    LOGFONTW shown{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form->Memo(), WM_GETFONT, 0, 0)), sizeof shown, &shown);
    EXPECT_STREQ(shown.lfFaceName, L"Courier New");
}

} // namespace
} // namespace nerula
