#pragma once
// The three ways a search runs, each as the user would leave the find window for it: the
// find window's own start (downwards, case ignored) with or without regular expressions,
// and the engine the component may use.

#include <optional>
#include <string>
#include <string_view>

#include "search/find_options.h"
#include "search/win/text_search.h"

namespace nerula::bench {

enum class SearchMode { Literal, Builtin, Object };

struct ModeSetup {
    std::string name;
    RegexpEngines engines;
    TREFindOptions options;
    // What is typed into the find window: the word, or a regular expression whose matches
    // are exactly the word's (the texts hold no 探索語).
    std::u16string findText;
};

ModeSetup SetupFor(SearchMode mode);
std::optional<SearchMode> ModeNamed(std::wstring_view name);

// The find text and options put into the component's find window, which is never shown.
void Prepare(TextSearch& search, const ModeSetup& setup);

} // namespace nerula::bench
