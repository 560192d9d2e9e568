// The converters and detection on the system's own code pages (under Wine as on Windows).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/memory_stream.h"
#include "common/win/com_ptr.h"
#include "text/text_loading.h"
#include "text/win/code_page_detection.h"
#include "text/win/code_page_encoding.h"
#include "text/win/stream_adapter.h"

namespace nerula {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// 「これは日本語の文章です。ｶﾀｶﾅ」 in each encoding.
const std::u16string kJapanese = u"これは日本語の文章です。ｶﾀｶﾅ";
const std::string kShiftJis = "\x82\xB1\x82\xEA\x82\xCD\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82"
                              "\xC5\x82\xB7\x81\x42\xB6\xC0\xB6\xC5";
const std::string kEucJp =
    "\xA4\xB3\xA4\xEC\xA4\xCF\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xCA\xB8\xBE\xCF\xA4\xC7\xA4\xB9"
    "\xA1\xA3\x8E\xB6\x8E\xC0\x8E\xB6\x8E\xC5";
// Kana in iso-2022-jp through the JIS X 0201 katakana set.
const std::string kIso2022Jp = "\x1B$B$3$l$OF|K\\8l$NJ8>O$G$9!#\x1B(I6@6E\x1B(B";
const std::string kUtf8 =
    "\xE3\x81\x93\xE3\x82\x8C\xE3\x81\xAF\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6"
    "\x96\x87\xE7\xAB\xA0\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82\xEF\xBD\xB6\xEF\xBE\x80\xEF\xBD"
    "\xB6\xEF\xBE\x85";

TEST(CodePageEncoding, EveryMenuEncodingDecodesJapanese) {
    struct Case {
        std::uint32_t codePage;
        std::uint32_t converterCodePage;
        std::string bytes;
    };
    std::string utf16;
    std::string utf16be;
    for (const char16_t c : kJapanese) {
        utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        utf16be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    const std::vector<Case> cases{
        {932, 932, kShiftJis}, {20932, 20932, kEucJp}, {51932, 20932, kEucJp}, {50220, 50220, kIso2022Jp},
        {65001, 65001, kUtf8}, {1200, 1200, utf16},    {1201, 1201, utf16be},
    };
    for (const Case& c : cases) {
        const auto encoding = CreateCodePageEncoding(c.codePage, 1252);
        EXPECT_EQ(encoding->CodePage(), c.converterCodePage) << c.codePage;
        EXPECT_TRUE(encoding->Decode(Bytes(c.bytes)) == kJapanese) << c.codePage;
    }
}

// Large texts are converted a piece at a time, cut only after line feeds: lines of every
// length, CR LF and LF, a line far longer than a piece and a last line without a break
// must come out exactly as the whole text converted at once would.
TEST(CodePageEncoding, LargeTextsDecodeWholeAcrossPieces) {
    struct Case {
        std::uint32_t codePage;
        std::string bytes;
    };
    for (const Case& c :
         std::vector<Case>{{932, kShiftJis}, {20932, kEucJp}, {65001, kUtf8}, {50220, kIso2022Jp}}) {
        std::string bytes = "A";
        std::u16string expected = u"A";
        auto add = [&](int times, std::string_view end) {
            for (int i = 0; i < times; ++i) {
                bytes += c.bytes;
                expected += kJapanese;
            }
            bytes += end;
            expected.append(end.begin(), end.end());
        };
        for (int line = 0; line < 4000; ++line) {
            add(line % 9, line % 3 == 0 ? "\r\n" : "\n");
        }
        add(5000, "\n"); // some 150 KB in one line
        for (int line = 0; line < 2000; ++line) {
            add(line % 5 + 1, "\n");
        }
        add(3, "");
        const auto encoding = CreateCodePageEncoding(c.codePage, 1252);
        const std::u16string text = encoding->Decode(Bytes(bytes));
        ASSERT_EQ(text.size(), expected.size()) << c.codePage;
        EXPECT_TRUE(text == expected) << c.codePage;
    }
}

TEST(CodePageEncoding, CodePagesOutsideTheTableDecodeInTheAnsiCodePage) {
    for (const std::uint32_t codePage : {0u, 1252u, 12000u, 20127u, 866u}) {
        const auto encoding = CreateCodePageEncoding(codePage, 932);
        EXPECT_EQ(encoding->CodePage(), 932u) << codePage;
    }
}

TEST(CodePageEncoding, InvalidBytesAreReplacedNotReported) {
    const auto shiftJis = CreateCodePageEncoding(932, 1252);
    // A lead byte followed by a byte that cannot trail it, and a lead byte at the end.
    const std::u16string text = shiftJis->Decode(Bytes("A\x81\x20"
                                                       "B\x82"));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.front(), u'A');
    EXPECT_NE(text.find(u'B'), std::u16string::npos);
    const auto utf8 = CreateCodePageEncoding(65001, 1252);
    EXPECT_EQ(utf8->Decode(Bytes("a\xFF"
                                 "b")),
              u"a\uFFFDb");
}

TEST(CodePageEncoding, AUtf8MarkIsSkippedOnlyByUtf8) {
    const std::vector<std::uint8_t> bytes = Bytes("\xEF\xBB\xBF"
                                                  "abc");
    EXPECT_EQ(LoadText(*CreateCodePageEncoding(65001, 932), bytes), u"abc");
    // In Shift-JIS the three bytes are text.
    EXPECT_EQ(LoadText(*CreateCodePageEncoding(932, 932), bytes).size(), 5u);
}

TEST(StreamAdapter, ReadsAndSeeksTheMemoryStream) {
    MemoryStream stream(Bytes("0123456789"));
    const ComPtr<IStream> adapter = MakeStreamAdapter(stream);
    char buffer[8] = {};
    ULONG read = 0;
    EXPECT_EQ(adapter->Read(buffer, 4, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "0123");
    LARGE_INTEGER move{};
    move.QuadPart = -2;
    ULARGE_INTEGER position{};
    EXPECT_EQ(adapter->Seek(move, STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 8u);
    EXPECT_EQ(adapter->Read(buffer, 8, &read), S_FALSE) << "a short read answers S_FALSE";
    EXPECT_EQ(std::string(buffer, read), "89");
    move.QuadPart = -20;
    EXPECT_NE(adapter->Seek(move, STREAM_SEEK_CUR, &position), S_OK);
    STATSTG stat{};
    EXPECT_EQ(adapter->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 10u);
}

TEST(DetectCodePage, AnswersOneCodePageAndLeavesThePositionAlone) {
    struct Case {
        std::string bytes;
        int expected;
    };
    const std::vector<Case> cases{
        {"xx" + kShiftJis, 932},
        {"xx" + kEucJp, 51932},
        {"xx" + kIso2022Jp, 50220},
        {"xx" + kUtf8, 65001},
        {"xx", -1},
    };
    for (const Case& c : cases) {
        MemoryStream stream(Bytes(c.bytes));
        stream.SetPosition(2);
        EXPECT_EQ(DetectCodePage(0, 0, stream), c.expected) << c.expected;
        EXPECT_EQ(stream.Position(), 2u);
    }
}

} // namespace
} // namespace nerula
