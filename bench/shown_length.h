#pragma once
// How long the text that Nerula shows is, worked out from the baseline's conversion on
// its own, so that a benchmark knows when the whole text has arrived and notices when
// Nerula showed something else.

#include <cstddef>

namespace nerula::bench {

// The length after every lone CR and every lone LF has become CR LF.
std::size_t LengthWithCrLf(const wchar_t* units, std::size_t length);

} // namespace nerula::bench
