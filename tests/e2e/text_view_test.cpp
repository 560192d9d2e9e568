// Text files end to end: the program detects and decodes each encoding of its menu, names
// it in the caption, and reloads the file when another code page is chosen.

#include <string>

#include "desktop_windows.h"
#include "e2e_test.h"
#include "menu_commands.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

using namespace std::string_literals;

// 「日本語の文章です。」「二行目はｶﾀｶﾅ。」, two lines ending in LF.
const std::wstring kText = L"日本語の文章です。\r\n二行目はｶﾀｶﾅ。\r\n";

std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes;
    for (const wchar_t c : text) {
        const auto low = static_cast<char>(c & 0xFF);
        const auto high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::wstring Unix(std::wstring text) {
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}

struct EncodedCase {
    const char* label;
    std::string bytes;
    const wchar_t* codePageName;
};

void PrintTo(const EncodedCase& row, std::ostream* out) {
    *out << row.label;
}

std::vector<EncodedCase> EncodedCases() {
    return {
        {"ShiftJis",
         "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42\x0A\x93\xF1\x8D\x73\x96"
         "\xDA\x82\xCD"
         "\xB6\xC0\xB6\xC5\x81\x42\x0A",
         L"Shift-JIS"},
        // EUC-JP is decoded by the converter of 20932, whose name the caption shows.
        {"EucJp",
         "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xCA\xB8\xBE\xCF\xA4\xC7\xA4\xB9\xA1\xA3\x0A\xC6\xF3\xB9\xD4\xCC"
         "\xDC\xA4\xCF"
         "\x8E\xB6\x8E\xC0\x8E\xB6\x8E\xC5\xA1\xA3\x0A",
         L"JIS"},
        {"Iso2022Jp", "\x1B$BF|K\\8l$NJ8>O$G$9!#\x1B(B\n\x1B$BFs9TL\\$O\x1B(I6@6E\x1B$B!#\x1B(B\n",
         L"iso-2022-jp"},
        {"Utf8WithMark",
         "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87\xE7\xAB\xA0\xE3\x81\xA7"
         "\xE3\x81\x99"
         "\xE3\x80\x82\x0A\xE4\xBA\x8C\xE8\xA1\x8C\xE7\x9B\xAE\xE3\x81\xAF\xEF\xBD\xB6\xEF\xBE\x80\xEF\xBD"
         "\xB6\xEF\xBE"
         "\x85\xE3\x80\x82\x0A",
         L"UTF-8"},
        {"Utf16WithMark", "\xFF\xFE" + Utf16(Unix(kText), false), L"UTF-16"},
        {"Utf16BigEndianWithMark", "\xFE\xFF" + Utf16(Unix(kText), true), L"UTF-16BE"},
    };
}

class DetectedTextTest : public E2eTest, public testing::WithParamInterface<EncodedCase> {};

TEST_P(DetectedTextTest, IsDecodedAndNamedInTheCaption) {
    const std::wstring path = folder.Write(L"text.txt", GetParam().bytes);
    const NerulaProcess& nerula = Start(Quoted(path));
    const HWND main = ReadyMainWindow(nerula);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main), std::wstring(L"text.txt ( ") + GetParam().codePageName + L" ) - Nerula");
    const HWND memo = FindWindowExW(main, nullptr, L"Edit", nullptr);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(IsWindowVisible(memo));
    EXPECT_EQ(ControlText(memo), kText);
}

INSTANTIATE_TEST_SUITE_P(Encodings, DetectedTextTest, testing::ValuesIn(EncodedCases()),
                         CaseLabel<EncodedCase>);

// Texts with NULs show whole, each NUL as ␀, whether or not a line break follows it, and
// the NULs do not make them UTF-16.
struct NulCase {
    const char* label;
    const wchar_t* switches;
    std::string bytes;
    // The code page named in the caption; empty for the ANSI code page.
    std::wstring codePageName;
    std::wstring text;
};

void PrintTo(const NulCase& row, std::ostream* out) {
    *out << row.label;
}

std::vector<NulCase> NulCases() {
    const std::string sjisLine =
        "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42\r\n";
    std::string sjisLog;
    std::wstring sjisLogText;
    for (int i = 0; i < 10; ++i) {
        sjisLog += sjisLine;
        sjisLogText += L"日本語の文章です。\r\n";
    }
    return {
        {"NulWithoutLineBreakInShiftJis", L"/C932 ", "abcdefg\0def"s, L"Shift-JIS", L"abcdefg␀def"},
        {"NulWithoutLineBreakDetected", L"", "abcdefg\0def"s, L"", L"abcdefg␀def"},
        {"NulBeforeALineBreakDetected", L"", "abcdefg\0def\r\n"s, L"", L"abcdefg␀def\r\n"},
        {"EvenAsciiWithANul", L"", "abcdefgh\0def"s, L"", L"abcdefgh␀def"},
        {"ShiftJisWithAStrayNul", L"", "\x93\xFA\x96\x7B" + std::string(1, '\0') + sjisLine.substr(4),
         L"Shift-JIS", L"日本␀語の文章です。\r\n"},
        {"ShiftJisLogPaddedWithNuls", L"", sjisLog + std::string(40, '\0'), L"Shift-JIS",
         sjisLogText + std::wstring(40, L'␀')},
        {"SevenBitPairs", L"", "x0y0", L"", L"x0y0"},
    };
}

class NulTextTest : public E2eTest, public testing::WithParamInterface<NulCase> {};

TEST_P(NulTextTest, ShowsWholeInTheRightCodePage) {
    const std::wstring path = folder.Write(L"text.txt", GetParam().bytes);
    const NerulaProcess& nerula = Start(GetParam().switches + Quoted(path));
    const HWND main = ReadyMainWindow(nerula);
    ASSERT_NE(main, nullptr);
    const std::wstring name = GetParam().codePageName.empty() ? AnsiCodePageName() : GetParam().codePageName;
    EXPECT_EQ(TextOf(main), L"text.txt ( " + name + L" ) - Nerula");
    const HWND memo = FindWindowExW(main, nullptr, L"Edit", nullptr);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(ControlText(memo), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Nuls, NulTextTest, testing::ValuesIn(NulCases()), CaseLabel<NulCase>);

TEST_F(E2eTest, ChoosingACodePageReloadsTheText) {
    const std::wstring path = folder.Write(L"sjis.txt", EncodedCases()[0].bytes);
    const NerulaProcess& nerula = Start(L"/C65001 " + Quoted(path));
    const HWND main = ReadyMainWindow(nerula);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main), L"sjis.txt ( UTF-8 ) - Nerula");
    const HWND memo = FindWindowExW(main, nullptr, L"Edit", nullptr);
    ASSERT_NE(memo, nullptr);
    EXPECT_NE(ControlText(memo), kText) << "Shift-JIS read as UTF-8 is not the text";

    PostMenuCommand(main, Command(L"Shift-JIS"));
    EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"sjis.txt ( Shift-JIS ) - Nerula"; }, 5s));
    EXPECT_EQ(ControlText(FindWindowExW(main, nullptr, L"Edit", nullptr)), kText);
    EXPECT_EQ(FindMessageBox(nerula.Id()), nullptr);
}

} // namespace
} // namespace nerula::e2e
