// The character rule of the filtered edits, and what of a pasted text it lets through.

#include "controls/filter_chars.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace nerula {
namespace {

using enum TFilterChar;

std::string Shown(char16_t c) {
    return c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : "U+" + std::to_string(c);
}

TEST(TFilterChars, EachMemberIsTheBitOfItsPosition) {
    const TFilterChar inOrder[] = {fcAllowDecimal, fcAllowPositive,  fcAllowNegative, fcAllowHexdigit,
                                   fcAllowReal,    fcAllowSeparater, fcRejectProcess};
    static_assert(std::size(inOrder) == kFilterCharCount);
    for (int n = 0; n < kFilterCharCount; ++n) {
        EXPECT_EQ(static_cast<int>(inOrder[n]), n);
        EXPECT_EQ(TFilterChars(inOrder[n]).Bits(), 1u << n) << n;
        EXPECT_TRUE(TFilterChars::FromBits(static_cast<std::uint8_t>(1u << n)).Has(inOrder[n])) << n;
    }
    EXPECT_EQ(TFilterChars::FromBits(0xFF).Bits(), 0x7Fu); // no member stands for bit 7
    EXPECT_TRUE(TFilterChars().Empty());
    const TFilterChars set = fcAllowDecimal | fcRejectProcess;
    EXPECT_EQ(set.Without(fcRejectProcess), TFilterChars(fcAllowDecimal));
    EXPECT_EQ(set.With(fcAllowReal), (TFilterChars{fcAllowDecimal, fcAllowReal, fcRejectProcess}));
    EXPECT_NE(set, TFilterChars(fcAllowDecimal));
}

TEST(FilterAccepts, ANonEmptySetTakesDigitsAndEditingKeysAndRefusesTheRest) {
    struct Case {
        char16_t c;
        bool accepted;
    };
    const Case cases[] = {
        {u'a', false}, {u'7', true},  {u'0', true},    {u'9', true},  {8, true},      // Backspace
        {13, true},    {27, true},    {1, true},       {3, true},     {22, true},     // Enter .. Ctrl+V
        {24, true},    {26, true},    {0, false},      {9, false},    {10, false},    // Ctrl+X, Ctrl+Z
        {u' ', false}, {u'+', false}, {u'-', false},   {u'.', false}, {u',', false},  //
        {u'$', false}, {u'A', false}, {0xFF17, false}, {0xFF, false}, {0x3042, false} // full-width 7, あ
    };
    const TFilterChars filters = fcAllowDecimal | fcRejectProcess;
    for (const Case& c : cases) {
        EXPECT_EQ(FilterAccepts(filters, c.c), c.accepted) << Shown(c.c);
    }
}

TEST(FilterAccepts, EachMemberAddsItsOwnCharacters) {
    struct Case {
        TFilterChar member;
        std::u16string accepted;
        std::u16string refused;
    };
    const Case cases[] = {
        {fcAllowDecimal, u"0123456789", u"+-$.,aAxX"},
        {fcAllowPositive, u"+0", u"-.,$a"},
        {fcAllowNegative, u"-5", u"+.,$a"},
        {fcAllowHexdigit, u"$ABCDEFabcdefXx09", u"GgHh+-.,\uFF21"},
        {fcAllowReal, u".Ee1", u",+-fFaxX"},
        {fcAllowSeparater, u",2", u".+-$a"},
        {fcRejectProcess, u"3\b", u"+-.,$a"},
    };
    for (const Case& c : cases) {
        for (const char16_t accepted : c.accepted) {
            EXPECT_TRUE(FilterAccepts(c.member, accepted))
                << static_cast<int>(c.member) << " " << Shown(accepted);
        }
        for (const char16_t refused : c.refused) {
            EXPECT_FALSE(FilterAccepts(c.member, refused))
                << static_cast<int>(c.member) << " " << Shown(refused);
        }
    }
}

TEST(FilterAccepts, NothingAboveU00FFPassesEvenWithEveryMember) {
    const TFilterChars every = TFilterChars::FromBits(0x7F);
    for (const char16_t c : {char16_t{0xFF10}, char16_t{0xFF0B}, char16_t{0xFF0D}, char16_t{0x0100},
                             char16_t{0xD800}, char16_t{0xFFFF}}) {
        EXPECT_FALSE(FilterAccepts(every, c)) << Shown(c);
    }
    EXPECT_TRUE(FilterAccepts(every, u'x'));
}

TEST(FilterAccepts, AnEmptySetTakesEverything) {
    for (const char16_t c :
         {u'a', u' ', char16_t{0}, char16_t{9}, char16_t{0xFF17}, char16_t{0x3042}, char16_t{0xD800}}) {
        EXPECT_TRUE(FilterAccepts(TFilterChars(), c)) << Shown(c);
    }
}

TEST(FilterPastedText, KeepsTheAcceptedCharactersInOrderAndTellsWhetherAnyWasRefused) {
    struct Case {
        TFilterChars filters;
        std::u16string pasted;
        std::u16string kept;
        bool refused;
    };
    const Case cases[] = {
        {fcAllowDecimal, u"12a3", u"123", true},
        {fcAllowDecimal, u"123", u"123", false},
        {fcAllowDecimal, u"", u"", false},
        {fcAllowDecimal, u"\uFF11\uFF12", u"", true},
        {fcAllowDecimal | fcAllowNegative, u"-4 5", u"-45", true},
        {fcAllowHexdigit, u"0x1F", u"0x1F", false},
        {TFilterChars(), u"12a3\uFF11", u"12a3\uFF11", false},
        // Keys when typed, text when pasted: a copied line's break is no digit.
        {fcAllowDecimal, u"12\r\n", u"12", true},
        {fcAllowDecimal, u"\b7\x1B", u"7", true},
        {TFilterChars(), u"1\r\n2", u"1\r\n2", false},
    };
    for (const Case& c : cases) {
        const FilteredPaste result = FilterPastedText(c.filters, c.pasted);
        EXPECT_EQ(result.text, c.kept) << static_cast<int>(c.filters.Bits());
        EXPECT_EQ(result.refused, c.refused) << static_cast<int>(c.filters.Bits());
    }
}

} // namespace
} // namespace nerula
