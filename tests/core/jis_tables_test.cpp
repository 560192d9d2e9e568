#include "text/jis_tables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace nerula {
namespace {

std::string Hex(unsigned first, unsigned second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X", first, second);
    return text;
}

struct PairCase {
    std::uint8_t first;
    std::uint8_t second;
    char16_t expected; // 0: no character
};

TEST(JisTablesTest, Cp932PairsGiveWindowsCharacters) {
    const PairCase cases[] = {
        {0x81, 0x40, u'\u3000'}, // ideographic space, the first pair
        {0x82, 0xA0, u'\u3042'}, // あ
        {0x88, 0x9F, u'\u4E9C'}, // 亜, the first level-1 kanji
        {0x98, 0x9F, u'\u5F0C'}, // 弌, the first level-2 kanji
        {0x88, 0xB1, u'\u9BF5'}, // 鯵
        // Where CP932 differs from the plain JIS X 0208 mapping.
        {0x81, 0x5F, u'\uFF3C'}, // full-width reverse solidus
        {0x81, 0x60, u'\uFF5E'}, // full-width tilde at the wave dash position
        {0x81, 0x61, u'\u2225'}, // parallel to
        {0x81, 0x7C, u'\uFF0D'}, // full-width hyphen-minus
        {0x81, 0x91, u'\uFFE0'}, // full-width cent sign
        {0x81, 0x92, u'\uFFE1'}, // full-width pound sign
        {0x81, 0xCA, u'\uFFE2'}, // full-width not sign
        // NEC special row 13.
        {0x87, 0x40, u'\u2460'}, // ①
        {0x87, 0x54, u'\u2160'}, // Ⅰ
        {0x87, 0x82, u'\u2116'}, // №
        // NEC-selected and IBM extension kanji.
        {0xED, 0x40, u'\u7E8A'}, // 纊
        {0xFA, 0x40, u'\u2170'}, // ⅰ
        {0xFC, 0x4B, u'\u9ED1'}, // 黑, the last character
        // Pairs without a character.
        {0x81, 0xAD, 0},
        {0x85, 0x40, 0}, // rows 9 to 12 are empty
        {0x87, 0x9D, 0},
        {0xEF, 0xFC, 0},
        {0xFC, 0x4C, 0},
        {0x81, 0x7F, 0}, // 0x7F is never a trail byte
        // Not a CP932 pair at all.
        {0x80, 0x40, 0},
        {0xA0, 0x40, 0},
        {0xB1, 0x40, 0},
        {0xDF, 0x40, 0},
        {0xFD, 0x40, 0},
        {0xFF, 0xFF, 0},
        {0x88, 0x3F, 0},
        {0x88, 0xFD, 0},
        {0x41, 0x41, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932DoubleByte(c.first, c.second), c.expected) << Hex(c.first, c.second);
    }
}

TEST(JisTablesTest, Cp932KanaRowsRunInUnicodeOrder) {
    // Hiragana ぁ..ん: 0x829F..0x82F1.
    for (int i = 0; i <= 0x3093 - 0x3041; ++i) {
        EXPECT_EQ(Cp932DoubleByte(0x82, static_cast<std::uint8_t>(0x9F + i)), 0x3041 + i) << i;
    }
    // Katakana ァ..ヶ: 0x8340..0x8396, stepping over 0x7F.
    for (int i = 0; i <= 0x30F6 - 0x30A1; ++i) {
        const int trail = 0x40 + i + (0x40 + i >= 0x7F ? 1 : 0);
        EXPECT_EQ(Cp932DoubleByte(0x83, static_cast<std::uint8_t>(trail)), 0x30A1 + i) << i;
    }
}

TEST(JisTablesTest, Cp932UserDefinedAreaIsThePrivateUseArea) {
    // Windows maps 0xF040..0xF9FC, 188 trails per lead, onto U+E000..U+E757 in order.
    char16_t expected = u'\uE000';
    for (int lead = 0xF0; lead <= 0xF9; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            ASSERT_EQ(Cp932DoubleByte(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail)),
                      expected)
                << Hex(static_cast<unsigned>(lead), static_cast<unsigned>(trail));
            ++expected;
        }
    }
    EXPECT_EQ(expected, u'\uE758');
}

TEST(JisTablesTest, JisX0212GivesItsCharacters) {
    const PairCase cases[] = {
        {0x22, 0x2F, u'\u02D8'}, // breve, the first character
        {0x22, 0x37, u'\u007E'}, // tilde
        {0x26, 0x61, u'\u0386'}, // Ά
        {0x27, 0x42, u'\u0402'}, // Ђ
        {0x29, 0x21, u'\u00C6'}, // Æ
        {0x2A, 0x21, u'\u00C1'}, // Á
        {0x2B, 0x21, u'\u00E1'}, // á
        {0x30, 0x21, u'\u4E02'}, // 丂, the first kanji
        {0x6D, 0x63, u'\u9FA5'}, // 龥, the last kanji
        // Empty places.
        {0x21, 0x21, 0},
        {0x22, 0x21, 0},
        {0x6D, 0x64, 0},
        {0x7E, 0x7E, 0},
        // Outside the 7-bit bytes.
        {0x20, 0x21, 0},
        {0x30, 0x20, 0},
        {0x7F, 0x21, 0},
        {0x30, 0x7F, 0},
        {0xB0, 0xA1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JisX0212(c.first, c.second), c.expected) << Hex(c.first, c.second);
    }
}

TEST(JisTablesTest, JisX0212KanjiRowsHoldOnlyIdeographs) {
    // Rows 16..77 are kanji; every character there is a CJK unified ideograph and the
    // first place of each row up to 77 is filled.
    for (int row = 0x30; row <= 0x6D; ++row) {
        EXPECT_NE(JisX0212(static_cast<std::uint8_t>(row), 0x21), 0) << row;
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            const char16_t c = JisX0212(static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(cell));
            if (c != 0) {
                EXPECT_TRUE(c >= 0x4E00 && c <= 0x9FFF)
                    << Hex(static_cast<unsigned>(row), static_cast<unsigned>(cell));
            }
        }
    }
}

} // namespace
} // namespace nerula
