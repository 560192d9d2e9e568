#include "text/iso2022jp_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>

#include "test_text.h"
#include "text/jis_tables.h"

namespace nerula {
namespace {

using namespace std::string_view_literals;

std::u16string Decode(std::string_view bytes) {
    return DecodeIso2022Jp(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::string PrintableBytes(std::string_view bytes) {
    std::string out;
    for (const char b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned>(static_cast<unsigned char>(b)));
        out += hex;
    }
    return out;
}

struct DecodeCase {
    std::string_view bytes;
    std::u16string_view expected;
};

void ExpectDecodes(std::initializer_list<DecodeCase> cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(test::Printable(Decode(c.bytes)), test::Printable(c.expected)) << PrintableBytes(c.bytes);
    }
}

TEST(Iso2022JpDecoderTest, ReadsEachCharacterSet) {
    ExpectDecodes({
        {""sv, u""sv},
        // The text starts in ASCII; controls pass in every set.
        {"Hello, world\r\n"sv, u"Hello, world\r\n"sv},
        {"a\0b\tc\x7F"sv, u"a\0b\tc\x7F"sv},
        // 日本語, then back to ASCII.
        {"\x1B$B\x46\x7C\x4B\x5C\x38\x6C\x1B(B"sv, u"\u65E5\u672C\u8A9E"sv},
        {"ab\x1B$B\x24\x22\x1B(Bcd"sv, u"ab\u3042cd"sv},
        // JIS X 0201 Roman is read as ASCII: backslash and tilde, not yen sign and overline.
        {"\x1B(J\\~[\x1B(B"sv, u"\\~["sv},
        // JIS X 0201 katakana: ｡ ｱ ﾟ.
        {"\x1B(I\x21\x31\x5F\x1B(Bz"sv, u"\uFF61\uFF71\uFF9Fz"sv},
        // The announcer and the long forms of the JIS X 0208 designations: あ.
        {"\x1B&@\x1B$B\x24\x22\x1B(B"sv, u"\u3042"sv},
        {"\x1B$(B\x24\x22\x1B(B"sv, u"\u3042"sv},
        {"\x1B$(@\x24\x22\x1B(B"sv, u"\u3042"sv},
        // JIS X 0212: 丂 Á.
        {"\x1B$(D\x30\x21\x2A\x21\x1B(Bz"sv, u"\u4E02\u00C1z"sv},
        // The same bytes after JIS X 0212 and after JIS X 0208: 丂 then 亜.
        {"\x1B$(D\x30\x21\x1B$B\x30\x21\x1B(B"sv, u"\u4E02\u4E9C"sv},
        // Line breaks and spaces keep the current set: あ い.
        {"\x1B$B\x24\x22\r\n\x24\x24"sv, u"\u3042\r\n\u3044"sv},
        {"\x1B$B\x24\x22 \x24\x24\x1B(B"sv, u"\u3042 \u3044"sv},
    });
}

TEST(Iso2022JpDecoderTest, ReadsBothJisX0208EditionsWithTheSameTable) {
    // 0x3033 and 0x724D were swapped between the 1978 and 1983 editions; Windows keeps
    // the 1983 places (鯵, 鰺) for both designations.
    ExpectDecodes({
        {"\x1B$@\x30\x33\x72\x4D\x1B(B"sv, u"\u9BF5\u9C3A"sv},
        {"\x1B$B\x30\x33\x72\x4D\x1B(B"sv, u"\u9BF5\u9C3A"sv},
    });
}

TEST(Iso2022JpDecoderTest, ReadsHalfWidthKatakanaBySoSiAndEightBitBytes) {
    ExpectDecodes({
        // ｱ ｲ between SO and SI.
        {"a\x0E\x31\x32\x0F"
         "b"sv,
         u"a\uFF71\uFF72b"sv},
        // SI returns to the designated set, here JIS X 0208: ｱ あ.
        {"\x1B$B\x0E\x31\x0F\x24\x22\x1B(B"sv, u"\uFF71\u3042"sv},
        // A designation ends the shift as well.
        {"\x0E\x31\x1B(B\x31"sv, u"\uFF711"sv},
        {"\x1B(I\x31\x1B(B\x31"sv, u"\uFF711"sv},
        // Raw 0xA1..0xDF are katakana in every set, as in CP932: ｱ ｲ ﾟ ｡, and あ ｱ い.
        {"\xB1\xB2\xDF\xA1"sv, u"\uFF71\uFF72\uFF9F\uFF61"sv},
        {"\x1B$B\x24\x22\xB1\x24\x24\x1B(B"sv, u"\u3042\uFF71\u3044"sv},
    });
}

struct PairCase {
    std::uint8_t row;
    std::uint8_t cell;
    char16_t expected;
};

TEST(Iso2022JpDecoderTest, MapsJisX0208AsCp932Does) {
    const PairCase cases[] = {
        {0x21, 0x41, u'\uFF5E'}, // wave dash position: full-width tilde, as CP932 0x8160
        {0x21, 0x40, u'\uFF3C'}, // full-width reverse solidus
        {0x21, 0x42, u'\u2225'}, // parallel to
        {0x21, 0x5D, u'\uFF0D'}, // full-width hyphen-minus
        {0x21, 0x71, u'\uFFE0'}, // full-width cent sign
        {0x21, 0x72, u'\uFFE1'}, // full-width pound sign
        {0x22, 0x4C, u'\uFFE2'}, // full-width not sign
        {0x2D, 0x21, u'\u2460'}, // NEC row 13: ①, as CP932 0x8740
        {0x2D, 0x35, u'\u2160'}, // Ⅰ
        {0x2D, 0x62, u'\u2116'}, // №
        {0x79, 0x21, u'\u7E8A'}, // 纊 in the NEC-selected IBM rows, as CP932 0xED40
    };
    for (const auto& c : cases) {
        const std::string bytes =
            std::string("\x1B$B") + static_cast<char>(c.row) + static_cast<char>(c.cell);
        EXPECT_EQ(Decode(bytes), std::u16string(1, c.expected)) << PrintableBytes(bytes);
    }
}

TEST(Iso2022JpDecoderTest, ReplacesInvalidInput) {
    ExpectDecodes({
        // Bytes above 0x7F that are not half-width katakana.
        {"\x80\xA0\xE0\xFF"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD"sv},
        // An unknown or cut escape sequence: only the ESC is replaced.
        {"a\x1B$Ab"sv, u"a\uFFFD$Ab"sv},
        {"a\x1B(Zb"sv, u"a\uFFFD(Zb"sv},
        {"a\x1B"sv, u"a\uFFFD"sv},
        {"a\x1B$"sv, u"a\uFFFD$"sv},
        {"\x1B$("sv, u"\uFFFD$("sv},
        // Of the long forms only those of JIS X 0208 and JIS X 0212 are sequences.
        {"\x1B$(Ab"sv, u"\uFFFD$(Ab"sv},
        {"\x1B$(Qb"sv, u"\uFFFD$(Qb"sv},
        {"\x1B\x1B(Bx"sv, u"\uFFFDx"sv},
        // ... and what follows it is read in the current set: ち あ.
        {"\x1B$B\x1B$A\x24\x22"sv, u"\uFFFD\u3061\u3042"sv},
        // A first byte without its second, which is then read on its own.
        {"\x1B$B\x24"sv, u"\uFFFD"sv},
        {"\x1B$B\x24\n\x24\x22"sv, u"\uFFFD\n\u3042"sv},
        {"\x1B$B\x24\xB1"sv, u"\uFFFD\uFF71"sv},
        {"\x1B$B\x24\x1B(Bx"sv, u"\uFFFDx"sv},
        {"\x1B$(D\x30"sv, u"\uFFFD"sv},
        // A pair without a character is one replacement.
        {"\x1B$B\x2F\x21\x24\x22"sv, u"\uFFFD\u3042"sv},
        {"\x1B$(D\x21\x21\x30\x21"sv, u"\uFFFD\u4E02"sv},
        // Bytes past the katakana.
        {"\x1B(I\x60\x7E\x31"sv, u"\uFFFD\uFFFD\uFF71"sv},
        {"\x0E\x60"sv, u"\uFFFD"sv},
    });
}

TEST(Iso2022JpDecoderTest, EveryJisX0208PairGivesTheCharacterOfItsShiftJisPair) {
    for (int row = 1; row <= 94; ++row) {
        for (int cell = 1; cell <= 94; ++cell) {
            // Shift-JIS: rows pair up on one lead byte; odd rows take trails from 0x40
            // (skipping 0x7F), even rows from 0x9F.
            const int lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
            const int trail = row % 2 == 1 ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E;
            const char16_t mapped =
                Cp932DoubleByte(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
            if (row >= 16 && row <= 46) {
                // The level-1 kanji rows are full, so the check below is never empty.
                ASSERT_NE(mapped, 0) << row << "-" << cell;
            }
            const std::string bytes = std::string("\x1B$B") + static_cast<char>(0x20 + row) +
                                      static_cast<char>(0x20 + cell) + "\x1B(B";
            ASSERT_EQ(Decode(bytes), std::u16string(1, mapped != 0 ? mapped : u'\uFFFD'))
                << row << "-" << cell;
        }
    }
}

TEST(Iso2022JpDecoderTest, EveryJisX0212PairGivesItsTableCharacter) {
    for (int row = 0x21; row <= 0x7E; ++row) {
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            const char16_t mapped = JisX0212(static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(cell));
            const std::string bytes =
                std::string("\x1B$(D") + static_cast<char>(row) + static_cast<char>(cell) + "\x1B(B";
            ASSERT_EQ(Decode(bytes), std::u16string(1, mapped != 0 ? mapped : u'\uFFFD'))
                << PrintableBytes(bytes);
        }
    }
}

TEST(Iso2022JpDecoderTest, KeepsItsStateThroughLongText) {
    // Long enough that the text is written in several pieces; one designation, then
    // alternating あ and a half-width ｱ, then ASCII.
    std::string bytes = "\x1B$B";
    std::u16string expected;
    for (int i = 0; i < 20000; ++i) {
        bytes += "\x24\x22\xB1";
        expected += u"\u3042\uFF71";
    }
    bytes += "\x1B(B";
    for (int i = 0; i < 10000; ++i) {
        bytes += "xy";
        expected += u"xy";
    }
    EXPECT_TRUE(Decode(bytes) == expected);
}

TEST(Iso2022JpDecoderTest, RecoversAfterAnyGarbage) {
    // Byte soup rich in escape, shift and double-byte material; whatever state it leaves,
    // ESC ( B brings back ASCII, and every byte left a character or was consumed.
    const std::uint8_t alphabet[] = {0x1B, '$',  '(',  '&',  '@',  'B',  'D',  'I',  'J',  0x0E,
                                     0x0F, 0x21, 0x24, 0x22, 0x30, 0x7E, 0x0A, 0xB1, 0xA0, 0xFF};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> length(0, 48);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    for (int round = 0; round < 5000; ++round) {
        std::string bytes;
        const std::size_t n = length(random);
        for (std::size_t i = 0; i < n; ++i) {
            bytes += static_cast<char>(alphabet[pick(random)]);
        }
        bytes += "\x1B(BHello";
        const std::u16string text = Decode(bytes);
        ASSERT_TRUE(text.ends_with(u"Hello")) << PrintableBytes(bytes);
        // No byte is 0, so a 0 would be a place the decoder left unwritten.
        ASSERT_EQ(text.find(u'\0'), std::u16string::npos) << PrintableBytes(bytes);
    }
}

} // namespace
} // namespace nerula
