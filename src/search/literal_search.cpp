#include "search/literal_search.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace nerula {
namespace {

constexpr bool IsAsciiLetter(char16_t unit) noexcept {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

void CheckLength(std::u16string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("the text is too long to be searched");
    }
}

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text.size(), u'\0');
    std::transform(text.begin(), text.end(), folded.begin(), FoldAscii);
    return folded;
}

// Occurrences from left to right without overlap, each passed to `found` as its offset,
// until `found` returns false.
template <typename Found>
void ForEachOccurrence(std::u16string_view text, std::u16string_view pattern, Found found) {
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find(pattern, from);
        if (at == std::u16string_view::npos || !found(at)) {
            return;
        }
        from = at + pattern.size();
    }
}

// The same with ASCII letters folded on both sides, in one pass over the text: a unit that
// is the pattern's first in either case starts a comparison of the rest, folded unit by
// unit. Nothing is copied, so a large text costs no fresh memory.
template <typename Found>
void ForEachFoldedOccurrence(std::u16string_view text, std::u16string_view pattern, Found found) {
    // A pattern without ASCII letters matches the same places folded or not (a letter in
    // the text can only meet another unit), so nothing needs folding.
    if (!std::any_of(pattern.begin(), pattern.end(), IsAsciiLetter)) {
        ForEachOccurrence(text, pattern, found);
        return;
    }
    const std::u16string folded = Folded(pattern);
    const char16_t upper = folded.front();
    const char16_t lower = IsAsciiLetter(upper) ? static_cast<char16_t>(upper + 32) : upper;
    const char16_t* const units = text.data();
    const std::size_t rest = folded.size() - 1;
    const std::size_t last = text.size() - folded.size();
    std::size_t i = 0;
    while (i <= last) {
        const char16_t unit = units[i];
        if (unit == upper || unit == lower) {
            std::size_t k = 0;
            while (k < rest && FoldAscii(units[i + 1 + k]) == folded[1 + k]) {
                ++k;
            }
            if (k == rest) {
                if (!found(i)) {
                    return;
                }
                i += folded.size();
                continue;
            }
        }
        ++i;
    }
}

template <typename Found>
void ForEachLiteral(std::u16string_view text, std::u16string_view pattern, bool ignoreCase, Found found) {
    if (ignoreCase) {
        ForEachFoldedOccurrence(text, pattern, found);
    } else {
        ForEachOccurrence(text, pattern, found);
    }
}

} // namespace

std::vector<TextMatch> FindLiteral(std::u16string_view text, std::u16string_view pattern, bool ignoreCase) {
    std::vector<TextMatch> matches;
    if (text.empty() || pattern.empty() || pattern.size() > text.size()) {
        return matches;
    }
    CheckLength(text);
    const auto length = static_cast<std::int32_t>(pattern.size());
    ForEachLiteral(text, pattern, ignoreCase, [&](std::size_t at) {
        matches.push_back({static_cast<std::int32_t>(at), length});
        return true;
    });
    return matches;
}

bool TestLiteral(std::u16string_view text, std::u16string_view pattern, bool ignoreCase) {
    if (text.empty() || pattern.empty() || pattern.size() > text.size()) {
        return false;
    }
    bool any = false;
    ForEachLiteral(text, pattern, ignoreCase, [&](std::size_t) {
        any = true;
        return false;
    });
    return any;
}

std::u16string ReplaceLiteral(std::u16string_view text, std::u16string_view pattern,
                              std::u16string_view replacement, bool global, bool ignoreCase,
                              const UpperCaseMapping& upperCase) {
    if (text.empty() || pattern.empty()) {
        return std::u16string(text);
    }
    std::u16string upperText;
    std::u16string upperPattern;
    std::u16string_view searched = text;
    std::u16string_view sought = pattern;
    if (ignoreCase) {
        upperText = upperCase(text);
        upperPattern = upperCase(pattern);
        if (upperText.size() != text.size() || upperPattern.size() != pattern.size()) {
            throw std::invalid_argument("the upper-case mapping changed the number of units");
        }
        searched = upperText;
        sought = upperPattern;
    }
    std::u16string result;
    std::size_t copied = 0;
    ForEachOccurrence(searched, sought, [&](std::size_t at) {
        result.append(text.substr(copied, at - copied));
        result.append(replacement);
        copied = at + pattern.size();
        return global;
    });
    result.append(text.substr(copied));
    return result;
}

} // namespace nerula
