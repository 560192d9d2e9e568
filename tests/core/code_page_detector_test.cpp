#include "text/code_page_detector.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nerula {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::string_literals;

struct Case {
    const char* name;
    Bytes bytes;
    int expected;
};

void ExpectDetected(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(DetectCodePage(c.bytes), c.expected) << c.name;
    }
}

Bytes Repeat(const Bytes& unit, std::size_t times) {
    Bytes out;
    for (std::size_t i = 0; i < times; ++i) {
        out.insert(out.end(), unit.begin(), unit.end());
    }
    return out;
}

Bytes Ascii(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Join(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// 今日は良い天気ですね (Shift-JIS and EUC-JP)
const Bytes kSjisSentence = {0x8D, 0xA1, 0x93, 0xFA, 0x82, 0xCD, 0x97, 0xC7, 0x82,
                             0xA2, 0x93, 0x56, 0x8B, 0x43, 0x82, 0xC5, 0x82, 0xCB};
const Bytes kEucSentence = {0xBA, 0xA3, 0xC6, 0xFC, 0xA4, 0xCF, 0xCE, 0xC9, 0xA4,
                            0xA4, 0xC5, 0xB7, 0xB5, 0xA4, 0xA4, 0xC7, 0xA4, 0xCD};

TEST(CodePageDetectorTest, ByteOrderMarkDecidesAlone) {
    ExpectDetected({
        {"UTF-8 mark", {0xEF, 0xBB, 0xBF, 'a', 'b', 'c'}, kCodePageUtf8},
        {"UTF-8 mark alone", {0xEF, 0xBB, 0xBF}, kCodePageUtf8},
        {"UTF-16LE mark", {0xFF, 0xFE, 'a', 0x00}, kCodePageUtf16Le},
        {"UTF-16BE mark", {0xFE, 0xFF, 0x00, 'a'}, kCodePageUtf16Be},
        // UTF-32LE's mark: read as UTF-16LE, which shows its characters with NULs between.
        {"UTF-32LE mark", {0xFF, 0xFE, 0x00, 0x00, 'a', 0x00, 0x00, 0x00}, kCodePageUtf16Le},
        // The mark wins over content that reads as Shift-JIS (あいう).
        {"mark before Shift-JIS bytes", {0xFF, 0xFE, 0x82, 0xA0, 0x82, 0xA2, 0x82, 0xA4}, kCodePageUtf16Le},
    });
}

TEST(CodePageDetectorTest, RecognisesUtf16WithoutMark) {
    ExpectDetected({
        // Hello, world.\r\n
        {"ASCII, LE",
         {0x48, 0x00, 0x65, 0x00, 0x6C, 0x00, 0x6C, 0x00, 0x6F, 0x00, 0x2C, 0x00, 0x20, 0x00, 0x77,
          0x00, 0x6F, 0x00, 0x72, 0x00, 0x6C, 0x00, 0x64, 0x00, 0x2E, 0x00, 0x0D, 0x00, 0x0A, 0x00},
         kCodePageUtf16Le},
        {"ASCII, BE",
         {0x00, 0x48, 0x00, 0x65, 0x00, 0x6C, 0x00, 0x6C, 0x00, 0x6F, 0x00, 0x2C, 0x00, 0x20, 0x00,
          0x77, 0x00, 0x6F, 0x00, 0x72, 0x00, 0x6C, 0x00, 0x64, 0x00, 0x2E, 0x00, 0x0D, 0x00, 0x0A},
         kCodePageUtf16Be},
        // 日本語のテキスト: no NUL byte anywhere.
        {"Japanese, LE",
         {0xE5, 0x65, 0x2C, 0x67, 0x9E, 0x8A, 0x6E, 0x30, 0xC6, 0x30, 0xAD, 0x30, 0xB9, 0x30, 0xC8, 0x30},
         kCodePageUtf16Le},
        {"Japanese, BE",
         {0x65, 0xE5, 0x67, 0x2C, 0x8A, 0x9E, 0x30, 0x6E, 0x30, 0xC6, 0x30, 0xAD, 0x30, 0xB9, 0x30, 0xC8},
         kCodePageUtf16Be},
        // 日本語の text\r\n: the Latin letters bring their NULs.
        {"Japanese and Latin, LE",
         {0xE5, 0x65, 0x2C, 0x67, 0x9E, 0x8A, 0x6E, 0x30, 0x20, 0x00, 0x74,
          0x00, 0x65, 0x00, 0x78, 0x00, 0x74, 0x00, 0x0D, 0x00, 0x0A, 0x00},
         kCodePageUtf16Le},
        // テスト "ok": hiragana and katakana whose bytes are all 7-bit, and ASCII.
        {"7-bit kana and Latin, BE",
         {0x30, 0xC6, 0x30, 0xB9, 0x30, 0xC8, 0x00, 0x20, 0x00, 0x22, 0x00, 0x6F, 0x00, 0x6B, 0x00, 0x22},
         kCodePageUtf16Be},
    });
    // UTF-16 comes in whole units: the same Japanese cut after an odd number of bytes is
    // the whole file, and so no UTF-16.
    const Bytes odd = {0xE5, 0x65, 0x2C, 0x67, 0x9E, 0x8A, 0x6E, 0x30, 0xC6, 0x30, 0xAD};
    EXPECT_NE(DetectCodePage(odd), kCodePageUtf16Le);
    EXPECT_NE(DetectCodePage(odd), kCodePageUtf16Be);
    const Bytes oddAscii = {'H', 0, 'e', 0, 'l', 0, 'l', 0, 'o', 0, '!'};
    EXPECT_EQ(DetectCodePage(oddAscii), kCodePageUnknown);
}

TEST(CodePageDetectorTest, ReadsSevenBitTextAsUtf16OnlyWithItsNuls) {
    ExpectDetected({
        {"j0", Ascii("j0"), kCodePageUnknown},
        {"x0y0", Ascii("x0y0"), kCodePageUnknown},
        {"0a0d0a0d", Ascii("0a0d0a0d"), kCodePageUnknown},
        {"a line of asterisks", Ascii(std::string(40, '*')), kCodePageUnknown},
        {"a line of hashes", Ascii(std::string(40, '#') + "\n"), kCodePageUnknown},
        // あいうえおかきくけこ in UTF-16LE is also the ASCII "B0D0F0H0J0K0M0O0Q0S0", and
        // without a Latin character there is nothing to tell them apart by.
        {"hiragana in 7-bit bytes, LE",
         {0x42, 0x30, 0x44, 0x30, 0x46, 0x30, 0x48, 0x30, 0x4A, 0x30,
          0x4B, 0x30, 0x4D, 0x30, 0x4F, 0x30, 0x51, 0x30, 0x53, 0x30},
         kCodePageUnknown},
    });
}

TEST(CodePageDetectorTest, LetsTheTextAroundStrayNulsDecide) {
    const Bytes sjisLine = Join(kSjisSentence, Ascii("\r\n"));
    const Bytes eucLine = Join(kEucSentence, Ascii("\r\n"));
    auto withNulAt = [](Bytes bytes, std::size_t at) {
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), 0x00);
        return bytes;
    };
    auto padded = [](const Bytes& text, std::size_t nuls) { return Join(text, Bytes(nuls, 0x00)); };
    ExpectDetected({
        {"ASCII, NUL, no line break (odd)", Ascii("abcdefg\0def"s), kCodePageUnknown},
        {"ASCII, NUL, no line break (even)", Ascii("abcdefgh\0def"s), kCodePageUnknown},
        {"ASCII, two NULs", Ascii("Name:\0value\0 more words here"s), kCodePageUnknown},
        {"Shift-JIS, NUL between characters", withNulAt(sjisLine, 4), kCodePageShiftJis},
        {"Shift-JIS, NUL inside a character", withNulAt(sjisLine, 5), kCodePageShiftJis},
        {"EUC-JP, NUL between characters", withNulAt(eucLine, 6), kCodePageEucJp},
        {"Shift-JIS, padded 5%", padded(Repeat(sjisLine, 20), 20), kCodePageShiftJis},
        {"Shift-JIS, padded to twice its size", padded(Repeat(sjisLine, 20), 400), kCodePageShiftJis},
        {"EUC-JP, padded to twice its size", padded(Repeat(eucLine, 20), 400), kCodePageEucJp},
        {"ASCII, padded", padded(Ascii("log line 1\r\nlog line 2\r\n"), 100), kCodePageUnknown},
        {"NULs alone", Bytes(64, 0x00), kCodePageUnknown},
    });
    // A stray NUL in a long ASCII head does not stop the search for the text after it.
    Bytes head = withNulAt(Repeat(Ascii("An English preamble of a mostly Japanese file.\n"), 400), 100);
    EXPECT_EQ(DetectCodePage(Join(head, kSjisSentence)), kCodePageShiftJis);
}

TEST(CodePageDetectorTest, RecognisesIso2022JpByItsEscapes) {
    ExpectDetected({
        // 日本語\n
        {"ESC $ B",
         {0x1B, 0x24, 0x42, 0x46, 0x7C, 0x4B, 0x5C, 0x38, 0x6C, 0x1B, 0x28, 0x42, 0x0A},
         kCodePageIso2022Jp},
        // 日本 in JIS C 6226
        {"ESC $ @", {0x1B, 0x24, 0x40, 0x46, 0x7C, 0x4B, 0x5C, 0x1B, 0x28, 0x42}, kCodePageIso2022Jp},
        {"ESC ( J", Ascii("\x1b(Jabc\x1b(B"), kCodePageIso2022Jp},
        // ｱｲ in the half-width katakana set
        {"ESC ( I", {0x1B, 0x28, 0x49, 0x31, 0x32, 0x1B, 0x28, 0x42}, kCodePageIso2022Jp},
        // 鷗 in JIS X 0212
        {"ESC $ ( D", {0x1B, 0x24, 0x28, 0x44, 0x6C, 0x35, 0x1B, 0x28, 0x42}, kCodePageIso2022Jp},
        // ASCII cut inside the escape that was to begin the Japanese.
        {"cut inside an escape", Ascii("see the manual \x1b$"), kCodePageIso2022Jp},
        // A terminal's colour escape is no iso-2022-jp.
        {"terminal escape", Ascii("\x1b[31mred\x1b[0m plain\n"), kCodePageUnknown},
    });
}

TEST(CodePageDetectorTest, RecognisesStrictUtf8EvenWhenCut) {
    ExpectDetected({
        // 日本語テキスト
        {"whole",
         {0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC, 0xE8, 0xAA, 0x9E, 0xE3, 0x83, 0x86, 0xE3, 0x82, 0xAD},
         kCodePageUtf8},
        // 日本語 and the first two bytes of テ
        {"cut in the last character",
         {0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC, 0xE8, 0xAA, 0x9E, 0xE3, 0x83},
         kCodePageUtf8},
        // café, 1 €
        {"Latin text", {'c', 'a', 'f', 0xC3, 0xA9, ',', ' ', '1', ' ', 0xE2, 0x82, 0xAC}, kCodePageUtf8},
    });
    // Forms strict UTF-8 forbids: overlong, a surrogate, past U+10FFFF.
    const std::vector<Bytes> notUtf8 = {
        {'a', 0xC0, 0xAF, 'b', 'c', 'd'},
        {'a', 0xE0, 0x80, 0xAF, 'b', 'c'},
        {'a', 0xED, 0xA0, 0x80, 'b', 'c'},
        {'a', 0xF4, 0x90, 0x80, 0x80, 'b'},
    };
    for (const Bytes& bytes : notUtf8) {
        EXPECT_NE(DetectCodePage(bytes), kCodePageUtf8) << static_cast<int>(bytes[1]);
    }
}

TEST(CodePageDetectorTest, TellsShiftJisFromEucJp) {
    ExpectDetected({
        {"Shift-JIS sentence", kSjisSentence, kCodePageShiftJis},
        {"EUC-JP sentence", kEucSentence, kCodePageEucJp},
        {"Shift-JIS, 16 bytes", Bytes(kSjisSentence.begin(), kSjisSentence.begin() + 16), kCodePageShiftJis},
        {"EUC-JP, 16 bytes", Bytes(kEucSentence.begin(), kEucSentence.begin() + 16), kCodePageEucJp},
        // 明日の会議は十時から cut after 15 bytes, inside 時.
        {"Shift-JIS, cut",
         {0x96, 0xBE, 0x93, 0xFA, 0x82, 0xCC, 0x89, 0xEF, 0x8B, 0x63, 0x82, 0xCD, 0x8F, 0x5C, 0x8E},
         kCodePageShiftJis},
        {"EUC-JP, cut",
         {0xCC, 0xC0, 0xC6, 0xFC, 0xA4, 0xCE, 0xB2, 0xF1, 0xB5, 0xC4, 0xA4, 0xCF, 0xBD, 0xBD, 0xBB},
         kCodePageEucJp},
        {"Shift-JIS above a rule", Join(kSjisSentence, Ascii("\n~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n")),
         kCodePageShiftJis},
        // コンピュータ: katakana alone
        {"Shift-JIS katakana",
         {0x83, 0x52, 0x83, 0x93, 0x83, 0x73, 0x83, 0x85, 0x81, 0x5B, 0x83, 0x5E},
         kCodePageShiftJis},
        {"EUC-JP katakana",
         {0xA5, 0xB3, 0xA5, 0xF3, 0xA5, 0xD4, 0xA5, 0xE5, 0xA1, 0xBC, 0xA5, 0xBF},
         kCodePageEucJp},
        // ﾃﾞｰﾀをﾌｧｲﾙに保存: single bytes 0xA1-0xDF that pair up into EUC-JP kanji.
        {"Shift-JIS half-width katakana",
         {0xC3, 0xDE, 0xB0, 0xC0, 0x82, 0xF0, 0xCC, 0xA7, 0xB2, 0xD9, 0x82, 0xC9, 0x95, 0xDB, 0x91, 0xB6},
         kCodePageShiftJis},
        // ①髙橋さんと﨑: NEC row 13 and IBM extension kanji (0xFB 0xFC, 0xFA 0xB1).
        {"Shift-JIS NEC and IBM extensions",
         {0x87, 0x40, 0xFB, 0xFC, 0x8B, 0xB4, 0x82, 0xB3, 0x82, 0xF1, 0x82, 0xC6, 0xFA, 0xB1},
         kCodePageShiftJis},
        // The same with NEC's selection of the IBM kanji (髙 as 0xEE 0xE0, 﨑 as 0xED 0x95).
        {"Shift-JIS NEC-selected extensions",
         {0x87, 0x40, 0xEE, 0xE0, 0x8B, 0xB4, 0x82, 0xB3, 0x82, 0xF1, 0x82, 0xC6, 0xED, 0x95},
         kCodePageShiftJis},
        // ﾃﾞｰﾀを保存します: half-width katakana after 0x8E.
        {"EUC-JP half-width katakana",
         {0x8E, 0xC3, 0x8E, 0xDE, 0x8E, 0xB0, 0x8E, 0xC0, 0xA4, 0xF2,
          0xCA, 0xDD, 0xC2, 0xB8, 0xA4, 0xB7, 0xA4, 0xDE, 0xA4, 0xB9},
         kCodePageEucJp},
        // 森鷗外の作品: 鷗 from JIS X 0212 after 0x8F.
        {"EUC-JP JIS X 0212",
         {0xBF, 0xB9, 0x8F, 0xEC, 0xBF, 0xB3, 0xB0, 0xA4, 0xCE, 0xBA, 0xEE, 0xC9, 0xCA},
         kCodePageEucJp},
    });
}

TEST(CodePageDetectorTest, SaysNothingForAsciiEmptyOrBinary) {
    ExpectDetected({
        {"empty", {}, kCodePageUnknown},
        {"ASCII", Ascii("Plain text,\twith tabs and CRLF.\r\nSecond line.\r\n"), kCodePageUnknown},
        {"one letter", Ascii("a"), kCodePageUnknown},
        // Pairs of one sign read as one ideograph over and over in UTF-16.
        {"rule of tildes", Ascii("~~~~~~~~~~~~~~~~~~~~~~~~\n"), kCodePageUnknown},
        {"rule of underscores", Ascii("________________"), kCodePageUnknown},
        {"PNG header",
         {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00,
          0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
          0x01, 0x00, 0x08, 0x06, 0x00, 0x00, 0x00, 0x5C, 0x72, 0xA8, 0x66},
         kCodePageUnknown},
        {"ELF header",
         {0x7F, 0x45, 0x4C, 0x46, 0x02, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
          0x03, 0x00, 0x3E, 0x00, 0x01, 0x00, 0x00, 0x00, 0x10, 0x6A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         kCodePageUnknown},
        {"control bytes and high bytes",
         {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
          0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97},
         kCodePageUnknown},
    });
}

TEST(CodePageDetectorTest, LooksPastALongAsciiHead) {
    const Bytes head = Repeat(Ascii("An English preamble of a mostly Japanese file.\n"), 2000); // 94 KB
    for (const Case& tail : std::vector<Case>{{"Shift-JIS", kSjisSentence, kCodePageShiftJis},
                                              {"EUC-JP", kEucSentence, kCodePageEucJp}}) {
        Bytes file = head;
        file.insert(file.end(), tail.bytes.begin(), tail.bytes.end());
        EXPECT_EQ(DetectCodePage(file), tail.expected) << tail.name;
    }
    // Beyond the first megabyte the search gives up: the file is taken for ASCII.
    Bytes far = Repeat(Ascii("x"), 1100 * 1024);
    far.insert(far.end(), kSjisSentence.begin(), kSjisSentence.end());
    EXPECT_EQ(DetectCodePage(far), kCodePageUnknown);
}

// A head that reads about as well in Shift-JIS as in EUC-JP (B0 A1 is ｰ｡ in one and 亜 in the
// other) leaves the decision to the rest of the window: the same head decides both ways.
TEST(CodePageDetectorTest, ReadsOnWhenTheFirstBytesAreACloseCall) {
    Bytes head = Repeat(Ascii("A plain line of English text, as a log has many.\n"), 100); // 5 KB
    head.insert(head.begin() + 200, {0xB0, 0xA1});
    for (const Case& rest : std::vector<Case>{{"Shift-JIS", Repeat(kSjisSentence, 100), kCodePageShiftJis},
                                              {"EUC-JP", Repeat(kEucSentence, 100), kCodePageEucJp}}) {
        EXPECT_EQ(DetectCodePage(Join(head, rest.bytes)), rest.expected) << rest.name;
    }
}

TEST(CodePageDetectorTest, ReadsOnlyTheHeadOfALargeFile) {
    // 90 KB of Shift-JIS, then bytes that are no text: only the head counts.
    Bytes file = Repeat(kSjisSentence, 5000);
    const Bytes rest = Repeat({0x00, 0xFF, 0x01, 0xFE}, 100000);
    file.insert(file.end(), rest.begin(), rest.end());
    EXPECT_EQ(DetectCodePage(file), kCodePageShiftJis);
}

} // namespace
} // namespace nerula
