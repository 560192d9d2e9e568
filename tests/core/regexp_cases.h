#pragma once
// Regular expressions with the matches they must give, as plain data: the own engine's tests
// run them natively, and a Windows test runs them through both the own engine and the
// system's regular-expression object, which must agree.

#include <cstdint>
#include <string_view>
#include <vector>

namespace nerula::test {

struct RegexpCaseFlags {
    bool global;
    bool ignoreCase;
    bool multiLine;
};

inline constexpr RegexpCaseFlags kEvery{true, false, false};
inline constexpr RegexpCaseFlags kFirst{false, false, false};
inline constexpr RegexpCaseFlags kIgnoreCase{true, true, false};
inline constexpr RegexpCaseFlags kMultiLine{true, false, true};

enum class RegexpOutcome {
    Matches,
    Invalid,    // the pattern cannot be compiled
    TooComplex, // the own engine gives up within a second; the object may search for ages
};

struct ExpectedMatch {
    std::int32_t firstIndex;
    std::int32_t length;
    // The groups' values in order; a group that took no part is the empty string, as the
    // object shows it.
    std::vector<std::u16string_view> subMatches;
};

struct RegexpCase {
    const char* name;
    std::u16string_view pattern;
    RegexpCaseFlags flags;
    std::u16string_view text;
    RegexpOutcome outcome;
    std::vector<ExpectedMatch> matches;
};

inline const std::vector<RegexpCase>& RegexpCases() {
    using enum RegexpOutcome;
    // Each case: name, pattern, flags, text, outcome, and the matches as {firstIndex, length,
    // {group values}}.
    // clang-format off
    static const std::vector<RegexpCase> cases{
        {"groups", u"(a)(b)", kEvery, u"xab ab", Matches, {{1, 2, {u"a", u"b"}}, {4, 2, {u"a", u"b"}}}},
        {"whole word", u"(^|\\b)cat(\\b|$)", kEvery, u"cat concat cat.", Matches,
            {{0, 3, {u"", u""}}, {11, 3, {u"", u""}}}},
        {"whole-word alternation", u"(^|\\b)a|b(\\b|$)", kEvery, u"ab ba cab", Matches,
            {{0, 1, {u"", u""}}, {1, 1, {u"", u""}}, {8, 1, {u"", u""}}}},
        {"alternation", u"cat|dog", kEvery, u"dog cat", Matches, {{0, 3, {}}, {4, 3, {}}}},
        {"group that takes no part", u"(a)|(b)", kEvery, u"ba", Matches, {{0, 1, {u"", u"b"}}, {1, 1, {u"a", u""}}}},
        {"back reference", u"(\\w)\\1", kEvery, u"book keeper", Matches, {{1, 2, {u"o"}}, {6, 2, {u"e"}}}},
        {"case differs", u"cat", kEvery, u"Cat CAT cat", Matches, {{8, 3, {}}}},
        {"ignore case", u"cat", kIgnoreCase, u"Cat CAT cat", Matches, {{0, 3, {}}, {4, 3, {}}, {8, 3, {}}}},
        {"ignore case in a class", u"[a-c]+", kIgnoreCase, u"xABCabcx", Matches, {{1, 6, {}}}},
        {"ignore case in a back reference", u"(a)\\1", kIgnoreCase, u"aA", Matches, {{0, 2, {u"a"}}}},
        {"negated class", u"[^a-c]+", kEvery, u"abxyzc", Matches, {{2, 3, {}}}},
        {"counted repeat", u"a{2}", kEvery, u"aaaaa", Matches, {{0, 2, {}}, {2, 2, {}}}},
        {"lazy repeat", u"<.+?>", kEvery, u"<a><b>", Matches, {{0, 3, {}}, {3, 3, {}}}},
        {"digits are ASCII", u"\\d+", kEvery, u"a12b\uFF134", Matches, {{1, 2, {}}, {5, 1, {}}}},
        {"white space", u"\\s+", kEvery, u"a \tb", Matches, {{1, 2, {}}}},
        {"start of text only", u"^\\w+", kEvery, u"one\r\ntwo\r\nthree", Matches, {{0, 3, {}}}},
        {"start of every line", u"^t\\w+", kMultiLine, u"one\r\ntwo\r\nthree", Matches, {{5, 3, {}}, {10, 5, {}}}},
        {"end of text only", u"\\w+$", kEvery, u"one\r\ntwo\r\nthree", Matches, {{10, 5, {}}}},
        {"end of every line", u"\\w+$", kMultiLine, u"one\r\ntwo\r\nthree", Matches,
            {{0, 3, {}}, {5, 3, {}}, {10, 5, {}}}},
        {"line starts", u"^", kMultiLine, u"one\r\ntwo\r\nthree", Matches,
            {{0, 0, {}}, {4, 0, {}}, {5, 0, {}}, {9, 0, {}}, {10, 0, {}}}},
        {"line ends", u"$", kMultiLine, u"one\r\ntwo\r\nthree", Matches,
            {{3, 0, {}}, {4, 0, {}}, {8, 0, {}}, {9, 0, {}}, {15, 0, {}}}},
        {"dot stops at line breaks", u".+", kEvery, u"ab\r\ncd", Matches, {{0, 2, {}}, {4, 2, {}}}},
        {"dot and a line feed", u"a.b", kEvery, u"a\nb a-b a\tb", Matches, {{4, 3, {}}, {8, 3, {}}}},
        {"Japanese", u"猫", kEvery, u"猫と犬と猫", Matches, {{0, 1, {}}, {4, 1, {}}}},
        {"Japanese letters are no word characters", u"\\w+", kEvery, u"abc猫def", Matches, {{0, 3, {}}, {4, 3, {}}}},
        {"word boundary beside Japanese", u"\\bcat\\b", kEvery, u"猫cat猫", Matches, {{1, 3, {}}}},
        {"surrogate pair before", u"猫", kEvery, u"\U00020BB7猫", Matches, {{2, 1, {}}}},
        {"surrogate pair matched", u"\U00020BB7", kEvery, u"a\U00020BB7b", Matches, {{1, 2, {}}}},
        {"dot takes one unit", u".", kEvery, u"\U00020BB7", Matches, {{0, 1, {}}, {1, 1, {}}}},
        {"empty matches", u"x*", kEvery, u"ab", Matches, {{0, 0, {}}, {1, 0, {}}, {2, 0, {}}}},
        {"empty and longer matches", u"a*", kEvery, u"baa", Matches, {{0, 0, {}}, {1, 2, {}}, {3, 0, {}}}},
        {"first match only", u"a", kFirst, u"banana", Matches, {{1, 1, {}}}},
        {"no match", u"z", kEvery, u"banana", Matches, {}},
        {"unclosed group", u"(", kEvery, u"a", Invalid, {}},
        {"unclosed class", u"[", kEvery, u"a", Invalid, {}},
        {"unopened group", u"a)", kEvery, u"a", Invalid, {}},
        {"nothing to repeat", u"*a", kEvery, u"a", Invalid, {}},
        {"nested repeats", u"(a*)*b", kEvery, u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", TooComplex, {}},
        {"overlapping repeats", u"(x+x+)+y", kEvery,
            u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", TooComplex, {}},
    };
    // clang-format on
    return cases;
}

} // namespace nerula::test
