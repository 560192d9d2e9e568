#pragma once
// Find next and Find previous over the text view: the search that the main window runs
// for F3, Shift+F3 and the find window's button. Every match of the last search is kept,
// and walked again without reading the text while the pattern, the case, regular
// expression and multi-line choices, and the text itself stay as they were.

#include <optional>

#include "search/match_list.h"
#include "search/win/find_dialog.h"
#include "search/win/vb_regexp.h"
#include "text/win/text_view.h"

namespace nerula {

class TextSearch {
public:
    explicit TextSearch(RegexpEngines engines = RegexpEngines::ObjectOrBuiltin);

    TREFindDialog& FindDialog() noexcept { return FFindDialog; }
    TVBRegexp& Regexp() noexcept { return FRegexp; }

    // Without any engine for regular expressions the find window's box for them starts
    // unticked and greyed, and every search is literal.
    void ApplyStartUpRule();

    enum class Outcome {
        NoFindText, // nothing to search for: the caller opens the find window
        Selected,   // a match is selected and scrolled into view
        NotFound,   // none in the chosen direction; the selection stays
    };
    // Searches the view's text (anew only when the cached matches do not answer) and
    // selects the match after or before the selection's start, by the find window's
    // direction. An error of the matching engine leaves no matches cached and is thrown.
    Outcome FindAndSelect(TextView& memo);

    // The text changed, or another one is shown: the next search reads it anew.
    void ReleaseMatches() noexcept { FMatches.reset(); }
    const TMatches* Matches() const noexcept { return FMatches ? &*FMatches : nullptr; }

private:
    TREFindDialog FFindDialog;
    TVBRegexp FRegexp;
    std::optional<TMatches> FMatches;
};

} // namespace nerula
