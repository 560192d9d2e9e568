#pragma once

#include <cstddef>

namespace nerula::bench {

// The first search over a prose text of `megabytes` MB (as UTF-16) in each mode, Nerula's
// FindAndSelect against its baseline, interleaved; the object's rounds are fewer, being slow.
void RunFirstSearch(std::size_t megabytes, int repetitions, int objectRepetitions);

} // namespace nerula::bench
