#pragma once
// The texts the search benchmarks search: Japanese prose in UTF-16 with CR LF line ends and
// one chosen word in it at a steady spacing, made in the form the text view keeps (movable
// local memory), so that loading it is the viewer's own hand-over.

#include <cstddef>
#include <string_view>

#include "common/win/unique_handle.h"

namespace nerula::bench {

// The word searched for. Its first unit appears nowhere else in the texts, so every
// occurrence is one that the generator put there.
inline constexpr std::u16string_view kSearchWord = u"検索語";

struct SearchText {
    LocalMemory memory;     // zero-terminated after `length` units, unlocked
    std::size_t length = 0; // in UTF-16 units
    std::size_t lines = 0;  // CR LF pairs
    std::size_t words = 0;  // occurrences of kSearchWord
};

// Prose of at most `units` units (cut at the last whole line) with the word about every
// `spacing` units.
SearchText MakeProse(std::size_t units, std::size_t spacing);

// A dense text of exactly `words` occurrences: the word and a particle, ten to a line.
SearchText MakeDense(std::size_t words);

} // namespace nerula::bench
