#include "search/find_logic.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "search/literal_search.h"
#include "test_text.h"

namespace nerula {
namespace {

using enum TREFindOption;

TEST(BuildFindPattern, WholeWordsAddBoundariesOrSpaces) {
    struct Case {
        std::u16string_view text;
        TREFindOptions options;
        bool regexpUsable;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {u"a|b", {frWholeWord, frUsesRegexp}, true, u"(^|\\b)a|b(\\b|$)"},
        {u"cat", {frWholeWord, frUsesRegexp}, false, u" cat "}, // no engine: literal
        {u"cat", {frWholeWord}, true, u" cat "},
        {u"a.b", {frWholeWord}, false, u" a.b "},
        {u"a.b", {frUsesRegexp}, true, u"a.b"}, // nothing is escaped
        {u"a.b", {}, false, u"a.b"},
        {u"", {frWholeWord}, false, u"  "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildFindPattern(c.text, c.options, c.regexpUsable), c.expected)
            << test::Printable(c.text) << " options " << c.options.Bits() << " usable " << c.regexpUsable;
    }
}

TEST(BuildFindPattern, ALiteralWholeWordNeedsSpacesOnBothSides) {
    const std::u16string pattern = BuildFindPattern(u"cat", TREFindOptions(frWholeWord), false);
    EXPECT_EQ(FindLiteral(u"a cat sat", pattern, true), (std::vector<TextMatch>{{1, 5}}));
    EXPECT_TRUE(FindLiteral(u"cat sat", pattern, true).empty());
}

TEST(CanReuseMatches, OnlyTheSameSearchReusesTheMatches) {
    const TREFindOptions options = kDefaultFindOptions; // down, regexp, ignoring case, one line
    const SearchSettings engine = SettingsFor(u"abc", options);
    EXPECT_EQ(engine.pattern, u"abc");
    EXPECT_TRUE(engine.ignoreCase);
    EXPECT_TRUE(engine.usesRegexp);
    EXPECT_FALSE(engine.multiLine);
    EXPECT_TRUE(CanReuseMatches(true, engine, u"abc", options));

    struct Case {
        const char* what;
        bool hasMatches;
        std::u16string_view pattern;
        TREFindOptions options;
        bool expected;
    };
    const Case cases[] = {
        {"no matches", false, u"abc", options, false},
        {"another pattern", true, u"abd", options, false},
        {"a pattern in other case", true, u"ABC", options, false},
        {"case matters now", true, u"abc", options.With(frMatchCase), false},
        {"no regular expression now", true, u"abc", options.Without(frUsesRegexp), false},
        {"multi-line now", true, u"abc", options.With(frMultiLine), false},
        {"upwards", true, u"abc", options.Without(frDown), true},
        {"an action", true, u"abc", options.With(frFindNext), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanReuseMatches(c.hasMatches, engine, c.pattern, c.options), c.expected) << c.what;
    }
    // The engine's side changed alone.
    SearchSettings multiLine = engine;
    multiLine.multiLine = true;
    EXPECT_FALSE(CanReuseMatches(true, multiLine, u"abc", options));
    EXPECT_TRUE(CanReuseMatches(true, multiLine, u"abc", options.With(frMultiLine)));
}

TEST(ChooseMatch, StepsOverTheMatchAtTheSelectionAndStopsAtTheEnds) {
    const TMatches matches = TMatches::Literal(u"abc abc abc", u"abc", false);
    struct Case {
        std::int32_t selectionStart;
        bool down;
        std::optional<std::int32_t> selected; // the chosen match's first index
    };
    const Case cases[] = {
        {0, true, 4},   {4, true, 8},  {8, true, std::nullopt},
        {2, true, 4},   {-1, true, 0}, {11, true, std::nullopt},
        {8, false, 4},  {4, false, 0}, {0, false, std::nullopt},
        {11, false, 8}, {5, false, 4},
    };
    for (const Case& c : cases) {
        const std::optional<std::size_t> chosen = ChooseMatch(matches, c.selectionStart, c.down);
        ASSERT_EQ(chosen.has_value(), c.selected.has_value()) << c.selectionStart << " down " << c.down;
        if (chosen) {
            EXPECT_EQ(matches.Item(*chosen).FirstIndex(), *c.selected)
                << c.selectionStart << " down " << c.down;
        }
    }
    EXPECT_FALSE(ChooseMatch(TMatches::Literal(u"abc", u"x", false), 0, true));
    EXPECT_FALSE(ChooseMatch(TMatches::Literal(u"abc", u"x", false), 3, false));
}

TEST(ChooseMatch, MatchesAtTheSameStartAreTakenInTheirWalkingOrder) {
    TMatches matches(u"ab");
    const std::u16string_view text = matches.Text();
    matches.AddMatch(0, text.substr(0, 0));
    matches.AddMatch(1, text.substr(1, 0));
    matches.AddMatch(1, text.substr(1, 1));
    matches.AddMatch(2, text.substr(2, 0));
    // Down: the first of them from the front; up: the first of them from the back.
    EXPECT_EQ(ChooseMatch(matches, 0, true), std::optional<std::size_t>(1));
    EXPECT_EQ(ChooseMatch(matches, 2, false), std::optional<std::size_t>(2));
    EXPECT_EQ(ChooseMatch(matches, 1, false), std::optional<std::size_t>(0));
}

TEST(ChooseMatch, FollowsTheCaretThroughAMillionMatches) {
    constexpr std::int32_t kMatches = 1000000;
    std::u16string text;
    text.reserve(2 * kMatches);
    for (std::int32_t i = 0; i < kMatches; ++i) {
        text += u"xy";
    }
    const TMatches matches = TMatches::Literal(std::move(text), u"y", false);
    ASSERT_EQ(matches.Count(), static_cast<std::size_t>(kMatches));
    std::int32_t caret = 0;
    std::int32_t steps = 0;
    while (const auto chosen = ChooseMatch(matches, caret, true)) {
        const std::int32_t next = matches.Item(*chosen).FirstIndex();
        ASSERT_EQ(next, 2 * steps + 1);
        caret = next;
        ++steps;
    }
    EXPECT_EQ(steps, kMatches);
    EXPECT_EQ(ChooseMatch(matches, caret, false), std::optional<std::size_t>(kMatches - 2));
}

TEST(NotFoundMessage, QuotesTheTextAsTyped) {
    EXPECT_EQ(NotFoundMessage(u"cat"), u"\"cat\" が見つかりません");
    EXPECT_EQ(NotFoundMessage(u"検索"), u"\"検索\" が見つかりません");
    EXPECT_EQ(NotFoundMessage(u""), u"\"\" が見つかりません");
}

} // namespace
} // namespace nerula
