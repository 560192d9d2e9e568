#pragma once
// The matches of one search, kept until the text or the search changes, so that the next
// F3 only chooses among them.
//
// Memory: one copy of the searched text, moved in, and per match 12 bytes (first index,
// length, where its sub-matches start). A match's value is the pattern for a literal
// search (kept once) and otherwise the text it covers, so neither is stored per match.
// Sub-matches are spans of 8 bytes in one shared vector. Only what the text does not hold
// is copied, into one side pool: a value or a sub-match given from outside the text copy,
// or a value that is not the text the match covers (kept with its match's index).
//
// Matches are added in the order of their first index (as a search from left to right
// gives them), which lets the choice of the next or the previous match search in halves.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/literal_search.h"

namespace nerula {

class TMatches;

struct TSubMatch {
    std::int32_t firstIndex = -1; // in the text; -1 for a value given from outside the text
    std::int32_t length = 0;
    std::u16string_view value;
};

// A view of one match; valid while its TMatches lives and gains no matches.
class TMatch {
public:
    std::int32_t FirstIndex() const noexcept;
    std::int32_t Length() const noexcept;
    std::u16string_view Value() const noexcept;
    std::size_t SubMatchCount() const noexcept;
    // Fails with std::out_of_range for an index at or beyond SubMatchCount().
    TSubMatch SubMatch(std::size_t index) const;

private:
    friend class TMatches;
    TMatch(const TMatches& matches, std::size_t index) noexcept : matches_(&matches), index_(index) {}

    const TMatches* matches_;
    std::size_t index_;
};

class TMatches {
public:
    TMatches() = default;
    // Matches of an engine in this text. Fails with std::length_error for a text longer
    // than an int32 can count.
    explicit TMatches(std::u16string text);
    // Every literal occurrence of the pattern (FindLiteral), each with the pattern as value.
    static TMatches Literal(std::u16string text, std::u16string pattern, bool ignoreCase);

    // A view, so that an engine's substr of it gives views that AddMatch keeps as spans.
    std::u16string_view Text() const noexcept { return text_; }
    bool IsLiteral() const noexcept { return literal_; }
    std::size_t Count() const noexcept { return entries_.size(); }
    bool Empty() const noexcept { return entries_.empty(); }
    // Fails with std::out_of_range for an index at or beyond Count().
    TMatch Item(std::size_t index) const;

    // An engine's match: its value (Length is the value's length) and its sub-matches.
    // Views that lie inside Text() are kept as spans; others are copied. Fails with
    // std::invalid_argument for a first index outside the text or before the last match's,
    // or on matches of a literal search.
    void AddMatch(std::int32_t firstIndex, std::u16string_view value,
                  std::span<const std::u16string_view> subMatches = {});
    // A literal match at `firstIndex`, as long as the pattern; only on matches of a literal
    // search, in the same order as AddMatch.
    void AddLiteralMatch(std::int32_t firstIndex);
    void Reserve(std::size_t matches);
    // Gives back what growing the list set aside beyond its matches, once they are all in.
    void ShrinkToFit();

    // The number of matches whose first index is at most `position` (the index of the
    // first match beyond it), and of those whose first index is below it.
    std::size_t CountAtOrBefore(std::int32_t position) const noexcept;
    std::size_t CountBefore(std::int32_t position) const noexcept;

    // The heap memory kept besides the text copy: the capacities of the per-match vector,
    // the sub-match spans, the side values and the pool, and of the literal pattern. The
    // allocator's own bookkeeping and sizeof(TMatches) are not counted.
    std::size_t MemoryBytes() const noexcept;

private:
    friend class TMatch;

    // Where a value lies: `offset` into the text, or into the pool when kInPool is set.
    struct Span {
        std::uint32_t offset;
        std::int32_t length;
    };
    static constexpr std::uint32_t kInPool = 0x80000000u;

    struct Entry {
        std::int32_t firstIndex;
        std::int32_t length;
        std::uint32_t firstSubMatch; // in subMatches_
    };
    static_assert(sizeof(Entry) == 12);

    // A value that is not the text its match covers.
    struct SideValue {
        std::size_t match;
        Span span;
    };

    void CheckNext(std::int32_t firstIndex) const;
    Span Keep(std::u16string_view value);
    std::u16string_view View(Span span) const noexcept;
    std::u16string_view ValueOf(std::size_t index) const noexcept;
    std::size_t SubMatchEnd(std::size_t index) const noexcept;

    std::u16string text_;
    bool literal_ = false;
    std::u16string pattern_;
    std::vector<Entry> entries_;
    std::vector<Span> subMatches_;
    std::vector<SideValue> sideValues_; // by match index
    std::u16string pool_;
};

} // namespace nerula
