#pragma once

#include <cstddef>
#include <vector>

#include "search_modes.h"

namespace nerula::bench {

// F3 and Shift+F3 over the cached matches of a dense text with `words` occurrences, in each
// mode: the caret put at `places` spots of the text in turn, `steps` steps alternating down
// and up from each. Then the memory the list adds per match.
void RunSteps(std::size_t words, int places, int steps, const std::vector<SearchMode>& modes);

} // namespace nerula::bench
