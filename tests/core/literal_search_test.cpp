#include "search/literal_search.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_text.h"

namespace nerula {

std::ostream& operator<<(std::ostream& out, const TextMatch& m) {
    return out << "{" << m.firstIndex << ", " << m.length << "}";
}

namespace {

// A mapping as the system's is: more than ASCII, here the full-width letters as well.
std::u16string WideUpper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& unit : upper) {
        if ((unit >= u'a' && unit <= u'z') || (unit >= u'ａ' && unit <= u'ｚ')) {
            unit = static_cast<char16_t>(unit - 0x20);
        }
    }
    return upper;
}

TEST(FindLiteral, FindsEveryOccurrenceLeftToRightWithoutOverlap) {
    struct Case {
        std::u16string_view text;
        std::u16string_view pattern;
        bool ignoreCase;
        std::vector<TextMatch> expected;
    };
    const Case cases[] = {
        {u"xABCyabc", u"abc", true, {{1, 3}, {5, 3}}},
        {u"xABCyabc", u"abc", false, {{5, 3}}},
        {u"xabcyABC", u"ABC", true, {{1, 3}, {5, 3}}}, // the pattern is folded as well
        {u"aaaa", u"aa", false, {{0, 2}, {2, 2}}},
        {u"aaaaa", u"aa", false, {{0, 2}, {2, 2}}},
        {u"abc abc abc", u"abc", false, {{0, 3}, {4, 3}, {8, 3}}},
        {u"ＡＡ", u"ａ", true, {}}, // full-width letters are not folded
        {u"ａＡ", u"Ａ", true, {{1, 1}}},
        {u"[{@`", u"{@", true, {{1, 2}}}, // the units beside the letters are not letters
        {u"[{", u"{", true, {{1, 1}}},
        {u"@", u"`", true, {}},
        {u"[a{", u"A{", true, {{1, 2}}},
        {u"@a`", u"A`", true, {{1, 2}}},
        {u"`a", u"@A", true, {}},
        {u"Z[", u"z{", true, {}},
        {u"改行\r\n次の行", u"\r\n次", false, {{2, 3}}},
        {u"abc", u"", false, {}},
        {u"abc", u"", true, {}},
        {u"", u"a", true, {}},
        {u"ab", u"abc", false, {}},
        {u"ab", u"AB", false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindLiteral(c.text, c.pattern, c.ignoreCase), c.expected)
            << test::Printable(c.pattern) << " in " << test::Printable(c.text) << " ignoreCase "
            << c.ignoreCase;
        EXPECT_EQ(TestLiteral(c.text, c.pattern, c.ignoreCase), !c.expected.empty())
            << test::Printable(c.pattern) << " in " << test::Printable(c.text);
    }
}

TEST(FindLiteral, FindsMatchesThroughALargeText) {
    std::u16string text;
    for (int i = 0; i < 20000; ++i) {
        text += (i % 3 == 0) ? u"xy Needle " : u"needle xy ";
    }
    const std::vector<TextMatch> sensitive = FindLiteral(text, u"needle", false);
    const std::vector<TextMatch> folded = FindLiteral(text, u"needle", true);
    ASSERT_EQ(sensitive.size(), 20000u - 6667u);
    ASSERT_EQ(folded.size(), 20000u);
    EXPECT_EQ(folded[0], (TextMatch{3, 6}));
    EXPECT_EQ(folded[1], (TextMatch{10, 6}));
    EXPECT_EQ(sensitive[0], (TextMatch{10, 6}));
    EXPECT_EQ(folded.back(), (TextMatch{static_cast<std::int32_t>(text.size()) - 10, 6}));

    // Ignoring the case finds what a case-sensitive search finds in the folded text.
    std::u16string upper(text);
    for (char16_t& unit : upper) {
        unit = FoldAscii(unit);
    }
    EXPECT_EQ(folded, FindLiteral(upper, u"NEEDLE", false));
}

TEST(FindLiteral, OccurrencesDoNotOverlapAnywhereInALargeText) {
    const std::u16string text(100000, u'a');
    for (const std::u16string_view pattern : {u"AAA", u"aaaaaaa", u"aA"}) {
        const std::vector<TextMatch> matches = FindLiteral(text, pattern, true);
        const auto length = static_cast<std::int32_t>(pattern.size());
        ASSERT_EQ(matches.size(), text.size() / pattern.size()) << test::Printable(pattern);
        for (std::size_t i = 0; i < matches.size(); ++i) {
            ASSERT_EQ(matches[i], (TextMatch{static_cast<std::int32_t>(i) * length, length}))
                << test::Printable(pattern) << " match " << i;
        }
    }
}

TEST(ReplaceLiteral, ReplacesTheFirstOrEveryOccurrence) {
    struct Case {
        std::u16string_view text;
        std::u16string_view pattern;
        std::u16string_view replacement;
        bool global;
        bool ignoreCase;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {u"abc abc abc", u"abc", u"X", false, false, u"X abc abc"},
        {u"abc abc abc", u"abc", u"X", true, false, u"X X X"},
        {u"aaa", u"aa", u"b", true, false, u"ba"},
        {u"aaaa", u"aa", u"aaa", true, false, u"aaaaaa"}, // a replacement is not searched again
        {u"xABCyabc", u"abc", u"-", true, false, u"xABCy-"},
        {u"xABCyabc", u"abc", u"-", true, true, u"x-y-"},
        {u"xABCyabc", u"abc", u"-", false, true, u"x-yabc"},
        // The caller's mapping decides the case, full-width letters too.
        {u"ａｂ ＡＢ", u"ＡＢ", u"×", true, true, u"× ×"},
        {u"ａｂ ＡＢ", u"ＡＢ", u"×", true, false, u"ａｂ ×"},
        {u"abc", u"d", u"X", true, true, u"abc"},
        {u"abc", u"", u"X", true, false, u"abc"},
        {u"", u"a", u"X", true, true, u""},
        {u"abc", u"abc", u"", true, false, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceLiteral(c.text, c.pattern, c.replacement, c.global, c.ignoreCase, WideUpper),
                  c.expected)
            << test::Printable(c.pattern) << " in " << test::Printable(c.text) << " global " << c.global
            << " ignoreCase " << c.ignoreCase;
    }
}

TEST(ReplaceLiteral, AMappingThatChangesTheLengthIsRefused) {
    const UpperCaseMapping longer = [](std::u16string_view text) { return std::u16string(text) + u"!"; };
    EXPECT_THROW(ReplaceLiteral(u"abc", u"b", u"x", true, true, longer), std::invalid_argument);
    // Without ignoring the case the mapping is not asked.
    EXPECT_EQ(ReplaceLiteral(u"abc", u"b", u"x", true, false, longer), u"axc");
}

} // namespace
} // namespace nerula
