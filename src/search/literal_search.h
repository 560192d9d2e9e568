#pragma once
// Searching for a text as it is typed, without regular expressions: every occurrence left
// to right, none overlapping the one before it. Offsets and lengths count UTF-16 units.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nerula {

struct TextMatch {
    std::int32_t firstIndex = 0;
    std::int32_t length = 0;

    friend bool operator==(const TextMatch&, const TextMatch&) = default;
};

// Every occurrence of the pattern. With `ignoreCase` both sides are compared with their
// ASCII letters a-z taken as A-Z; every other unit (full-width letters among them) must be
// the same. An empty pattern or text has no occurrence. Each match is as long as the
// pattern. Fails with std::length_error for a text longer than an int32 can count.
std::vector<TextMatch> FindLiteral(std::u16string_view text, std::u16string_view pattern, bool ignoreCase);

// Whether FindLiteral would find anything, without collecting the matches.
bool TestLiteral(std::u16string_view text, std::u16string_view pattern, bool ignoreCase);

// The caller's upper-case mapping, used by ReplaceLiteral for `ignoreCase`. It must give
// one unit for each unit (the system's mapping does), so that positions in the mapped text
// are positions in the text; ReplaceLiteral fails with std::invalid_argument otherwise.
using UpperCaseMapping = std::function<std::u16string(std::u16string_view)>;

// The text with the first occurrence of the pattern (every one, when `global`) replaced,
// scanning left to right without overlap. With `ignoreCase` the occurrences are found in
// the upper-cased text and pattern. An empty pattern or text gives the text unchanged.
std::u16string ReplaceLiteral(std::u16string_view text, std::u16string_view pattern,
                              std::u16string_view replacement, bool global, bool ignoreCase,
                              const UpperCaseMapping& upperCase);

// ASCII a-z to A-Z, every other unit kept.
constexpr char16_t FoldAscii(char16_t unit) noexcept {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - (u'a' - u'A')) : unit;
}

} // namespace nerula
