#include "search/match_list.h"

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace nerula {
namespace {

TEST(TMatches, LiteralMatchesTakeThePatternAsValue) {
    const TMatches matches = TMatches::Literal(u"xABCyabc", u"abc", true);
    EXPECT_TRUE(matches.IsLiteral());
    ASSERT_EQ(matches.Count(), 2u);
    const std::int32_t firsts[] = {1, 5};
    for (std::size_t i = 0; i < 2; ++i) {
        const TMatch match = matches.Item(i);
        EXPECT_EQ(match.FirstIndex(), firsts[i]);
        EXPECT_EQ(match.Length(), 3);
        EXPECT_EQ(match.Value(), u"abc"); // the pattern, not the text's "ABC"
        EXPECT_EQ(match.SubMatchCount(), 0u);
        EXPECT_THROW(match.SubMatch(0), std::out_of_range);
    }
    EXPECT_EQ(matches.Text(), u"xABCyabc");
}

TEST(TMatches, ABadIndexIsRefused) {
    const TMatches none = TMatches::Literal(u"abc", u"", false);
    EXPECT_EQ(none.Count(), 0u);
    EXPECT_THROW(none.Item(0), std::out_of_range);
    const TMatches two = TMatches::Literal(u"aaaa", u"aa", false);
    EXPECT_NO_THROW(two.Item(1));
    EXPECT_THROW(two.Item(2), std::out_of_range);
    EXPECT_THROW(TMatches().Item(0), std::out_of_range);
}

TEST(TMatches, AnEnginesViewsIntoTheTextAreKeptAsSpans) {
    TMatches matches(u"name=value; key=data");
    const std::u16string_view text = matches.Text();
    const std::array<std::u16string_view, 2> first{text.substr(0, 4), text.substr(5, 5)};
    matches.AddMatch(0, text.substr(0, 10), first);
    const std::array<std::u16string_view, 3> second{text.substr(12, 3), std::u16string_view(),
                                                    text.substr(16, 4)};
    matches.AddMatch(12, text.substr(12, 8), second);
    matches.AddMatch(20, std::u16string_view()); // an empty match at the end

    ASSERT_EQ(matches.Count(), 3u);
    const TMatch a = matches.Item(0);
    EXPECT_EQ(a.FirstIndex(), 0);
    EXPECT_EQ(a.Length(), 10);
    EXPECT_EQ(a.Value(), u"name=value");
    ASSERT_EQ(a.SubMatchCount(), 2u);
    EXPECT_EQ(a.SubMatch(0).value, u"name");
    EXPECT_EQ(a.SubMatch(1).firstIndex, 5);
    EXPECT_EQ(a.SubMatch(1).length, 5);
    EXPECT_EQ(a.SubMatch(1).value, u"value");
    EXPECT_THROW(a.SubMatch(2), std::out_of_range);

    const TMatch b = matches.Item(1);
    EXPECT_EQ(b.Value(), u"key=data");
    ASSERT_EQ(b.SubMatchCount(), 3u);
    EXPECT_EQ(b.SubMatch(0).value, u"key");
    EXPECT_EQ(b.SubMatch(1).value, u"");
    EXPECT_EQ(b.SubMatch(1).length, 0);
    EXPECT_EQ(b.SubMatch(2).firstIndex, 16);
    EXPECT_EQ(b.SubMatch(2).value, u"data");

    const TMatch c = matches.Item(2);
    EXPECT_EQ(c.FirstIndex(), 20);
    EXPECT_EQ(c.Length(), 0);
    EXPECT_EQ(c.Value(), u"");
    EXPECT_EQ(c.SubMatchCount(), 0u);
}

TEST(TMatches, ViewsFromOutsideTheTextAreCopied) {
    TMatches matches(u"abc def");
    const std::u16string_view text = matches.Text();
    {
        // Gone before the matches are read: the matches must not point into them.
        const std::u16string value = u"ABC";
        const std::u16string group = u"B";
        const std::array<std::u16string_view, 2> subs{group, text.substr(4, 3)};
        matches.AddMatch(0, value, subs);
    }
    // A value inside the text that is not what the match covers.
    matches.AddMatch(4, text.substr(0, 3));
    {
        const std::u16string far = u"far away";
        matches.AddMatch(5, far);
    }

    const TMatch a = matches.Item(0);
    EXPECT_EQ(a.Value(), u"ABC");
    EXPECT_EQ(a.Length(), 3);
    ASSERT_EQ(a.SubMatchCount(), 2u);
    EXPECT_EQ(a.SubMatch(0).value, u"B");
    EXPECT_EQ(a.SubMatch(0).firstIndex, -1);
    EXPECT_EQ(a.SubMatch(1).value, u"def");
    EXPECT_EQ(a.SubMatch(1).firstIndex, 4);
    EXPECT_EQ(matches.Item(1).FirstIndex(), 4);
    EXPECT_EQ(matches.Item(1).Value(), u"abc");
    EXPECT_EQ(matches.Item(1).SubMatchCount(), 0u);
    EXPECT_EQ(matches.Item(2).Value(), u"far away");
    EXPECT_EQ(matches.Item(2).Length(), 8);
}

TEST(TMatches, MatchesComeInTheOrderOfTheirFirstIndexInsideTheText) {
    TMatches matches(u"abcabc");
    const std::u16string_view text = matches.Text();
    matches.AddMatch(3, text.substr(3, 3));
    EXPECT_THROW(matches.AddMatch(0, text.substr(0, 3)), std::invalid_argument);
    EXPECT_THROW(matches.AddMatch(7, u""), std::invalid_argument);
    EXPECT_THROW(matches.AddMatch(-1, u""), std::invalid_argument);
    EXPECT_THROW(matches.AddLiteralMatch(4), std::invalid_argument); // not a literal search
    matches.AddMatch(3, text.substr(3, 0));                          // the same start again is fine
    EXPECT_EQ(matches.Count(), 2u);

    TMatches literal = TMatches::Literal(u"abcabc", u"bc", false);
    EXPECT_THROW(literal.AddMatch(5, u"c"), std::invalid_argument);
    EXPECT_THROW(literal.AddLiteralMatch(1), std::invalid_argument);
    literal.AddLiteralMatch(4);
    ASSERT_EQ(literal.Count(), 3u);
    EXPECT_EQ(literal.Item(2).Length(), 2);
    EXPECT_EQ(literal.Item(2).Value(), u"bc");
}

TEST(TMatches, CountsMatchesBeforeAndUpToAPosition) {
    const TMatches matches = TMatches::Literal(u"abc abc abc", u"abc", false);
    struct Case {
        std::int32_t position;
        std::size_t before;
        std::size_t atOrBefore;
    };
    const Case cases[] = {{-1, 0, 0}, {0, 0, 1}, {1, 1, 1}, {4, 1, 2}, {8, 2, 3}, {11, 3, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(matches.CountBefore(c.position), c.before) << c.position;
        EXPECT_EQ(matches.CountAtOrBefore(c.position), c.atOrBefore) << c.position;
    }
}

// A million matches in 24 bytes each at most besides the text, however they are added.
TEST(TMatches, AMatchWithoutSubMatchesKeepsWithin24Bytes) {
    constexpr std::size_t kMatches = 1000000;
    std::u16string text;
    text.reserve(2 * kMatches);
    for (std::size_t i = 0; i < kMatches; ++i) {
        text += u"ab";
    }

    const TMatches literal = TMatches::Literal(text, u"ab", false);
    ASSERT_EQ(literal.Count(), kMatches);
    EXPECT_LE(literal.MemoryBytes(), 24 * kMatches);

    TMatches oneByOne = TMatches::Literal(text, u"zz", false);
    ASSERT_EQ(oneByOne.Count(), 0u);
    for (std::size_t i = 0; i < kMatches; ++i) {
        oneByOne.AddLiteralMatch(static_cast<std::int32_t>(2 * i));
    }
    ASSERT_EQ(oneByOne.Count(), kMatches);
    EXPECT_EQ(oneByOne.Item(kMatches - 1).FirstIndex(), static_cast<std::int32_t>(2 * kMatches - 2));
    EXPECT_EQ(oneByOne.Item(kMatches - 1).Value(), u"zz");
    EXPECT_LE(oneByOne.MemoryBytes(), 24 * kMatches);

    TMatches engine(std::move(text));
    const std::u16string_view kept = engine.Text();
    for (std::size_t i = 0; i < kMatches; ++i) {
        engine.AddMatch(static_cast<std::int32_t>(2 * i), kept.substr(2 * i, 2));
    }
    ASSERT_EQ(engine.Count(), kMatches);
    EXPECT_EQ(engine.Item(kMatches / 2).Value(), u"ab");
    EXPECT_LE(engine.MemoryBytes(), 24 * kMatches);
}

TEST(TMatches, ShrunkOnceFilledAMatchWithOneGroupKeepsWithin24Bytes) {
    // Just past a power of two, growth leaves nearly half of each vector unused.
    constexpr std::size_t kMatches = (1u << 19) + 1;
    std::u16string text;
    for (std::size_t i = 0; i < kMatches; ++i) {
        text += u"ab";
    }
    TMatches engine(std::move(text));
    const std::u16string_view kept = engine.Text();
    for (std::size_t i = 0; i < kMatches; ++i) {
        const std::u16string_view group = kept.substr(2 * i + 1, 1);
        engine.AddMatch(static_cast<std::int32_t>(2 * i), kept.substr(2 * i, 2), std::span(&group, 1));
    }
    EXPECT_GT(engine.MemoryBytes(), 24 * kMatches);
    engine.ShrinkToFit();
    EXPECT_LE(engine.MemoryBytes(), 24 * kMatches);
    EXPECT_EQ(engine.Item(kMatches - 1).SubMatch(0).value, u"b");
}

} // namespace
} // namespace nerula
