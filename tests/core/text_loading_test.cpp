#include "text/text_loading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/exception.h"
#include "test_text.h"

namespace nerula {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (const int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

TEST(ShownText, EveryKindOfBreakBecomesCrLfAndNulsShow) {
    struct Case {
        std::u16string input;
        std::u16string expected;
    };
    const std::vector<Case> cases{
        {u"", u""},
        {u"no breaks", u"no breaks"},
        {u"a\r\nb\r\n", u"a\r\nb\r\n"},
        {u"a\nb\n", u"a\r\nb\r\n"},
        {u"a\rb\r", u"a\r\nb\r\n"},
        {u"a\n\rb", u"a\r\n\r\nb"},
        {u"\r\r\n\n", u"\r\n\r\n\r\n"},
        {u"\n", u"\r\n"},
        {u"\r", u"\r\n"},
        // One unit for each NUL, so that offsets stay those of the file's own text; other
        // control characters stay as they are.
        {std::u16string(u"a\0b\0\0c", 6), u"a\u2400b\u2400\u2400c"},
        {std::u16string(u"\0\n\t\x0B\x0C", 5), u"\u2400\r\n\t\x0B\x0C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::Printable(ShownText(c.input)), test::Printable(c.expected))
            << test::Printable(c.input);
    }
}

// The text as a decoder hands it over: in pieces cut anywhere, a CR LF pair included, and
// into a store whose first room may be too small.
TEST(ShownTextWriter, GivesTheSameTextForAnyCutAndAnyFirstRoom) {
    const std::u16string breaks[] = {u"\n", u"\r", u"\r\n", u"\n\r", std::u16string(1, u'\0')};
    std::u16string input;
    for (int i = 0; i < 400; ++i) {
        input += u"行の文字";
        input += breaks[i % 5];
    }
    const std::u16string expected = ShownText(input);
    for (const std::size_t pieceSize : {1u, 2u, 3u, 5u, 7u, 64u, 4096u}) {
        for (const std::size_t firstRoom : {std::size_t{0}, input.size() * 2}) {
            StringTextStore store;
            ShownTextWriter writer(store, firstRoom);
            for (std::size_t at = 0; at < input.size(); at += pieceSize) {
                writer.Write(std::u16string_view(input).substr(at, pieceSize));
            }
            EXPECT_EQ(writer.Finish(), expected.size());
            EXPECT_EQ(test::Printable(store.Take()), test::Printable(expected))
                << "pieces of " << pieceSize << ", first room " << firstRoom;
        }
    }
    EXPECT_EQ(expected.size(), 400 * 4 + 80 * (2 + 2 + 2 + 4 + 1));
}

TEST(Utf16Encoding, DecodesBothByteOrdersAndIgnoresAnOddByte) {
    const auto little = MakeUtf16Encoding(false);
    const auto big = MakeUtf16Encoding(true);
    EXPECT_EQ(little->CodePage(), 1200u);
    EXPECT_EQ(big->CodePage(), 1201u);
    EXPECT_EQ(little->Decode(Bytes({0x42, 0x30, 0x41, 0x00, 0x7F})), u"\u3042A");
    EXPECT_EQ(big->Decode(Bytes({0x30, 0x42, 0x00, 0x41, 0x7F})), u"\u3042A");
    EXPECT_EQ(little->Decode({}), u"");
}

TEST(Utf16Encoding, OneByteGivesNoCharacterAndFails) {
    const auto little = MakeUtf16Encoding(false);
    try {
        little->Decode(Bytes({0x41}));
        FAIL() << "a single byte must not decode";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
    }
}

TEST(LoadText, ReplacesNulsWithOrWithoutBreaksToWiden) {
    const auto little = MakeUtf16Encoding(false);
    const std::u16string nul(1, kNulPlaceholder);
    EXPECT_EQ(test::Printable(LoadText(*little, Bytes({0x41, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}))),
              test::Printable(u"A" + nul + u"\r\n" + nul));
    EXPECT_EQ(test::Printable(LoadText(*little, Bytes({0x00, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x42, 0x00}))),
              test::Printable(nul + u"\r\nB"));
}

// UTF-16 is decoded in pieces of 32,768 units; a CR LF pair cut between two is one break.
TEST(LoadText, KeepsABreakThatPiecesCutInTwo) {
    std::vector<std::uint8_t> bytes;
    std::u16string expected;
    for (int i = 0; i < 32767; ++i) {
        bytes.insert(bytes.end(), {0x42, 0x30});
        expected += u'\u3042';
    }
    bytes.insert(bytes.end(), {0x0D, 0x00, 0x0A, 0x00, 0x0A, 0x00, 0x41, 0x00});
    expected += u"\r\n\r\nA";
    EXPECT_EQ(LoadText(*MakeUtf16Encoding(false), bytes), expected);
}

// Short lines with lone LFs grow the text by half: more than the room reserved at first.
TEST(LoadText, GrowsItsRoomForATextOfShortLines) {
    std::vector<std::uint8_t> bytes;
    std::u16string expected;
    for (int i = 0; i < 20000; ++i) {
        bytes.insert(bytes.end(), {'a', 0x00, '\n', 0x00});
        expected += u"a\r\n";
    }
    EXPECT_EQ(LoadText(*MakeUtf16Encoding(false), bytes), expected);
}

TEST(LoadText, SkipsOnlyTheEncodingsOwnMark) {
    const auto little = MakeUtf16Encoding(false);
    // FF FE alone is an empty text, not a failure.
    EXPECT_EQ(LoadText(*little, Bytes({0xFF, 0xFE})), u"");
    EXPECT_EQ(LoadText(*little, Bytes({0xFF, 0xFE, 0x41, 0x00, 0x0A, 0x00})), u"A\r\n");
    // Another encoding's mark is text: FE FF read little-endian is U+FFFE.
    EXPECT_EQ(LoadText(*little, Bytes({0xFE, 0xFF, 0x41, 0x00})), u"\uFFFEA");
    const auto big = MakeUtf16Encoding(true);
    EXPECT_EQ(LoadText(*big, Bytes({0xFE, 0xFF, 0x00, 0x00, 0x00, 0x41})),
              (std::u16string{kNulPlaceholder, u'A'}));
}

} // namespace
} // namespace nerula
