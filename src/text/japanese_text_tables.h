#pragma once
// The measured numbers behind the Japanese text model (see japanese_text_model.h). All costs
// are sixteenths of a bit: -16 * log2(probability).

#include <cstddef>
#include <cstdint>

namespace nerula::text_model {

inline constexpr int kStateCount = 14;

extern const std::uint16_t kTransitionCost[kStateCount][kStateCount];

// The cost of each ASCII character among the characters of its class.
extern const std::uint16_t kAsciiCost[128];
// Indexed by code point - U+3040 and - U+30A0.
extern const std::uint16_t kHiraganaCost[96];
extern const std::uint16_t kKatakanaCost[96];

// JIS X 0208 rows 1, 2, 8 and 13 as Unicode code points, cell 1 first; 0 where unassigned.
extern const char16_t kJisRowChars[4][94];

// The JIS level of the ideographs U+4E00-U+9FFF, 2 bits each, 32 to a word from the lowest
// bits: 0 not in CP932, 1 and 2 JIS X 0208 levels 1 and 2, 3 NEC and IBM extensions.
extern const std::uint64_t kKanjiLevels[656];

// The kanji common in Japanese text, all of JIS level 1, as bits (from the lowest of each
// word): by code point from U+4E00, and by JIS code ((row - 16) * 94 + cell - 1).
extern const std::uint64_t kCommonKanjiByCodePoint[328];
extern const std::uint64_t kCommonKanjiByJis[47];

struct SymbolCost {
    char16_t codePoint;
    std::uint16_t cost;
};
// The symbols of the JIS rows, sorted by code point.
extern const SymbolCost kSymbolCosts[];
extern const std::size_t kSymbolCostCount;

extern const std::uint16_t kOtherSymbolCost;
extern const std::uint16_t kCommonKanjiCost;
extern const std::uint16_t kKanjiLevel1Cost; // the others of level 1
extern const std::uint16_t kKanjiLevel2Cost;

} // namespace nerula::text_model
