#pragma once
// The find window's decisions that need no window: the pattern that the find text and
// the options make, whether the cached matches still answer the search, which match
// F3 and Shift+F3 select, and the message for a text that is not found.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "search/find_options.h"
#include "search/match_list.h"

namespace nerula {

// The pattern to search for. Whole words: with regular expressions (when an engine can
// run them and frUsesRegexp is set) the text between a word boundary or the text's start
// and a word boundary or its end; without them the text between two spaces. Nothing in
// the find text is escaped: with regular expressions it is one.
std::u16string BuildFindPattern(std::u16string_view findText, TREFindOptions options, bool regexpUsable);

// What the matching engine was last set up with.
struct SearchSettings {
    std::u16string pattern;
    bool ignoreCase = false;
    bool usesRegexp = false;
    bool multiLine = false;
};

// The settings that a search for `pattern` with these options gives the engine.
SearchSettings SettingsFor(std::u16string_view pattern, TREFindOptions options);

// Whether the cached matches answer a search for `pattern` with these options: there are
// matches, and the engine was set up for this very pattern with the same case, regular
// expression and multi-line choices. The direction does not matter: the same matches
// serve both ways.
bool CanReuseMatches(bool hasMatches, const SearchSettings& engine, std::u16string_view pattern,
                     TREFindOptions options);

// The match to select, by index: downwards the first match that starts after the
// selection's start, upwards the last one that starts before it; none beyond the ends
// (the search does not wrap around). A match at the selection's start is passed over
// either way, so that repeated steps move on from the match just selected.
std::optional<std::size_t> ChooseMatch(const TMatches& matches, std::int32_t selectionStart, bool down);

// The find text as typed, without what whole-word search adds to it.
std::u16string NotFoundMessage(std::u16string_view findText);

} // namespace nerula
