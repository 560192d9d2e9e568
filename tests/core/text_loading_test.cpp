#include "text/text_loading.h"

#include <gtest/gtest.h>

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

TEST(NormaliseLineBreaks, EveryKindOfBreakBecomesCrLf) {
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
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::Printable(NormaliseLineBreaks(c.input)), test::Printable(c.expected))
            << test::Printable(c.input);
    }
}

TEST(ReplaceNulCharacters, KeepsLengthAndOffsets) {
    std::u16string text(u"a\0b\0\0c", 6);
    ReplaceNulCharacters(text);
    EXPECT_EQ(text, std::u16string({u'a', kNulPlaceholder, u'b', kNulPlaceholder, kNulPlaceholder, u'c'}));
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
