#include "search/builtin_regexp.h"

#include "search/regexp_error.h"
#include "test_text.h"
#include "regexp_cases.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace nerula {
namespace {

using test::Printable;

RegexpSettings SettingsOf(const test::RegexpCaseFlags& flags) {
    return RegexpSettings{flags.global, flags.ignoreCase, flags.multiLine};
}

std::u16string_view ValueOf(std::u16string_view text, const std::optional<TextSpan>& span) {
    return span ? text.substr(static_cast<std::size_t>(span->firstIndex),
                              static_cast<std::size_t>(span->length))
                : std::u16string_view();
}

std::u16string MessageOf(BuiltinRegexp& regexp, std::u16string_view text) {
    try {
        regexp.Execute(text);
    } catch (const ERegexpException& error) {
        return error.Message();
    }
    return u"(no error)";
}

TEST(BuiltinRegexp, SharedCases) {
    for (const test::RegexpCase& c : test::RegexpCases()) {
        SCOPED_TRACE(c.name);
        BuiltinRegexp regexp(c.pattern, SettingsOf(c.flags));
        if (c.outcome != test::RegexpOutcome::Matches) {
            const auto started = std::chrono::steady_clock::now();
            const std::u16string message = MessageOf(regexp, c.text);
            const auto elapsed = std::chrono::steady_clock::now() - started;
            const std::u16string expected = c.outcome == test::RegexpOutcome::Invalid
                                                ? u"正規表現が不正です: "
                                                : u"正規表現が複雑すぎて検索を終えられません";
            EXPECT_EQ(message.substr(0, expected.size()), expected) << Printable(message);
            EXPECT_LT(elapsed, std::chrono::seconds(1));
            continue;
        }
        const std::vector<RegexpMatch> matches = regexp.Execute(c.text);
        ASSERT_EQ(matches.size(), c.matches.size());
        for (std::size_t i = 0; i < matches.size(); ++i) {
            const RegexpMatch& got = matches[i];
            const test::ExpectedMatch& want = c.matches[i];
            EXPECT_EQ(got.firstIndex, want.firstIndex) << "match " << i;
            EXPECT_EQ(got.length, want.length) << "match " << i;
            ASSERT_EQ(got.subMatches.size(), want.subMatches.size()) << "match " << i;
            for (std::size_t group = 0; group < want.subMatches.size(); ++group) {
                EXPECT_EQ(ValueOf(c.text, got.subMatches[group]), want.subMatches[group])
                    << "match " << i << ", group " << group + 1;
            }
        }
        EXPECT_EQ(regexp.Test(c.text), !c.matches.empty());
    }
}

TEST(BuiltinRegexp, GroupThatTakesNoPartHasNoSpan) {
    BuiltinRegexp regexp(u"(a)|(b)(c)?");
    const std::vector<RegexpMatch> matches = regexp.Execute(u"xb");
    ASSERT_EQ(matches.size(), 1u);
    ASSERT_EQ(matches[0].subMatches.size(), 3u);
    EXPECT_FALSE(matches[0].subMatches[0].has_value());
    EXPECT_EQ(matches[0].subMatches[1], (TextSpan{1, 1}));
    EXPECT_FALSE(matches[0].subMatches[2].has_value());
    // An empty group took part: it has a span of no length.
    const std::vector<RegexpMatch> empty = BuiltinRegexp(u"x(y*)").Execute(u"ax");
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].subMatches[0], (TextSpan{2, 0}));
}

TEST(BuiltinRegexp, PatternSyntaxTable) {
    // Constructs whose meaning the engine fixes itself rather than leave to Boost.
    struct Case {
        std::u16string_view pattern;
        std::u16string_view text;
        std::vector<TextSpan> matches;
    };
    const std::vector<Case> cases{
        {u"\\x41\\u0042", u"xAB", {{1, 2}}},
        {u"\\x4", u"x4", {{0, 2}}},          // too few digits: an "x"
        {u"a{,2}", u"a{,2}", {{0, 5}}},      // no count: the braces stand for themselves
        {u"a}", u"a}", {{0, 2}}},            // so does a lone closing brace
        {u"[\\b]", u"a\bb", {{1, 1}}},       // backspace in a class
        {u"[a-]", u"-a", {{0, 1}, {1, 1}}},  // a dash at the end stands for itself
        {u"[\\d-z]+", u"1-z", {{0, 3}}},     // a dash beside a class too
        {u"[]a]", u"]a", {}},                // "[]" matches nothing, so neither does this
        {u"[^]", u"\r\n", {{0, 1}, {1, 1}}}, // "[^]" matches any unit
        {u"[[:alpha:]]", u":]", {{0, 2}}},   // no POSIX classes: "[" ":" "a" ... then "]"
        {u"\\A\\z\\Q", u"AzQ", {{0, 3}}},    // letters without a meaning stand for themselves
        {u"\\cJ", u"a\nb", {{1, 1}}},
        {u"\\101", u"xA", {{1, 1}}},       // an octal escape where no group 1 exists
        {u"\\2(a)", u"\u0002a", {{0, 2}}}, // an octal escape where no group 2 exists
        {u"\\1(a)", u"a", {{0, 1}}},       // a back reference before its group: empty
        {u"(?:ab)+", u"ababa", {{0, 4}}},
        {u"a(?=b)", u"acab", {{2, 1}}},
        {u"a(?!b)", u"abac", {{2, 1}}},
        {u"", u"ab", {{0, 0}, {1, 0}, {2, 0}}},
        {u"a\\s\\S\\W", u"a\u3000xy a bc a b.", {{10, 4}}}, // ideographic space is no \s
        {u"\\f\\v\\t", u"\f\v\t", {{0, 3}}},
        {u"\\.\\*\\$", u"a.*$", {{1, 3}}},
        {u"\\B\\w", u"ab", {{1, 1}}},
    };
    for (const Case& c : cases) {
        std::vector<TextSpan> got;
        BuiltinRegexp(c.pattern).Scan(c.text, [&](const RegexpMatch& match) {
            got.push_back({match.firstIndex, match.length});
            return true;
        });
        EXPECT_EQ(got, c.matches) << Printable(c.pattern);
    }
}

TEST(BuiltinRegexp, InvalidPatternsNameTheProblemAndPlace) {
    struct Case {
        std::u16string_view pattern;
        std::u16string_view message;
    };
    const std::vector<Case> cases{
        {u"ab(", u"正規表現が不正です: ( が閉じていません (3 文字目)"},
        {u"a[bc", u"正規表現が不正です: [ が閉じていません (2 文字目)"},
        {u"ab)", u"正規表現が不正です: ) に対応する ( がありません (3 文字目)"},
        {u"a**", u"正規表現が不正です: 繰り返す対象がありません (3 文字目)"},
        {u"^*", u"正規表現が不正です: 繰り返す対象がありません (2 文字目)"},
        {u"a\\", u"正規表現が不正です: パターンが \\ で終わっています (2 文字目)"},
        {u"[z-a]", u"正規表現が不正です: 文字の範囲が不正です (2 文字目)"},
        {u"(?<=a)b", u"正規表現が不正です: (? の後ろが不正です (1 文字目)"},
        {u"xa{3,2}", u"正規表現が不正です: { } の回数が不正です (3 文字目)"},
    };
    for (const Case& c : cases) {
        BuiltinRegexp regexp(c.pattern);
        try {
            regexp.Compile();
            ADD_FAILURE() << "compiled: " << Printable(c.pattern);
        } catch (const ERegexpException& error) {
            EXPECT_EQ(error.Message(), c.message)
                << Printable(c.pattern) << ": " << Printable(error.Message());
        }
    }
}

TEST(BuiltinRegexp, CatastrophicPatternOverALongTextEnds) {
    BuiltinRegexp regexp(u"(x+x+)+y");
    const std::u16string text(20000, u'x');
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageOf(regexp, text), u"正規表現が複雑すぎて検索を終えられません");
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::seconds(10)); // about 2 s, 5 under the sanitizers
}

TEST(BuiltinRegexp, IgnoreCaseFoldsTheSimpleMappingsOfTheBmp) {
    struct Case {
        std::u16string_view pattern;
        std::u16string_view text;
        bool matches;
    };
    const std::vector<Case> cases{
        {u"ÀÉÎ", u"àéî", true},       {u"ΑΒΓ", u"αβγ", true}, // Greek
        {u"ДЖЯ", u"джя", true},                               // Cyrillic
        {u"ĀĂ", u"āă", true},                                 // Latin Extended-A pairs
        {u"ＡＢＣ", u"ａｂｃ", true},                         // full-width Latin
        {u"k", u"\u212A", false},                             // the Kelvin sign is no ASCII letter
        {u"猫", u"猫", true},         {u"ａ", u"a", false},   // full width and ASCII stay apart
    };
    for (const Case& c : cases) {
        BuiltinRegexp folded(c.pattern, {true, true, false});
        EXPECT_EQ(folded.Test(c.text), c.matches) << Printable(c.pattern);
        BuiltinRegexp reversed(c.text, {true, true, false});
        EXPECT_EQ(reversed.Test(c.pattern), c.matches) << Printable(c.text);
    }
}

TEST(BuiltinRegexp, ChangedSettingsTakeEffect) {
    BuiltinRegexp regexp(u"^b");
    EXPECT_FALSE(regexp.Test(u"a\r\nB"));
    regexp.SetSettings({true, true, true});
    EXPECT_TRUE(regexp.Test(u"a\r\nB"));
    regexp.SetSettings({true, false, true});
    EXPECT_FALSE(regexp.Test(u"a\r\nB"));
    regexp.SetPattern(u"^B");
    EXPECT_TRUE(regexp.Test(u"a\r\nB"));
    regexp.SetSettings({false, false, true});
    EXPECT_EQ(regexp.Execute(u"B\nB").size(), 1u);
    regexp.SetPattern(u"(");
    EXPECT_THROW(regexp.Compile(), ERegexpException);
    regexp.SetPattern(u"B");
    EXPECT_TRUE(regexp.Test(u"B"));
}

TEST(BuiltinRegexp, ScanStopsWhenTheVisitorSaysSo) {
    BuiltinRegexp regexp(u"a");
    std::vector<std::int32_t> seen;
    regexp.Scan(u"aaaa", [&](const RegexpMatch& match) {
        seen.push_back(match.firstIndex);
        return seen.size() < 2;
    });
    EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 1}));
}

TEST(BuiltinRegexp, Replace) {
    struct Case {
        std::u16string_view pattern;
        RegexpSettings settings;
        std::u16string_view text;
        std::u16string_view replacement;
        std::u16string_view result;
    };
    const RegexpSettings every{};
    const RegexpSettings first{false, false, false};
    const std::vector<Case> cases{
        {u"(\\w+)@(\\w+)", every, u"a@b c@d", u"$2 at $1", u"b at a d at c"},
        {u"o", first, u"foo", u"0", u"f0o"},
        {u"o", every, u"foo", u"[$&]", u"f[o][o]"},
        {u"o", every, u"foo", u"$$", u"f$$"},
        {u"(o)", every, u"fo", u"$0$2$x$", u"f$0$2$x$"}, // no such group: plain text
        {u"(a)|b", every, u"ab", u"<$1>", u"<a><>"},     // a group that took no part: empty
        {u"x*", every, u"ab", u"-", u"-a-b-"},
        {u"$", {true, false, true}, u"a\r\nb", u"!", u"a!\r!\nb!"},
        {u"猫", every, u"\U00020BB7猫と猫", u"犬", u"\U00020BB7犬と犬"},
        {u"z", every, u"abc", u"y", u"abc"},
    };
    for (const Case& c : cases) {
        BuiltinRegexp regexp(c.pattern, c.settings);
        EXPECT_EQ(regexp.Replace(c.text, c.replacement), c.result)
            << Printable(c.pattern) << " -> " << Printable(c.replacement);
    }
}

} // namespace
} // namespace nerula
