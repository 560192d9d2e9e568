#include "search/match_list.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>

namespace nerula {

std::int32_t TMatch::FirstIndex() const noexcept {
    return matches_->entries_[index_].firstIndex;
}

std::int32_t TMatch::Length() const noexcept {
    return matches_->entries_[index_].length;
}

std::u16string_view TMatch::Value() const noexcept {
    return matches_->ValueOf(index_);
}

std::size_t TMatch::SubMatchCount() const noexcept {
    return matches_->SubMatchEnd(index_) - matches_->entries_[index_].firstSubMatch;
}

TSubMatch TMatch::SubMatch(std::size_t index) const {
    if (index >= SubMatchCount()) {
        throw std::out_of_range("sub-match index out of range");
    }
    const TMatches::Span span = matches_->subMatches_[matches_->entries_[index_].firstSubMatch + index];
    const bool inText = (span.offset & TMatches::kInPool) == 0;
    return {inText ? static_cast<std::int32_t>(span.offset) : -1, span.length, matches_->View(span)};
}

TMatches::TMatches(std::u16string text) : text_(std::move(text)) {
    if (text_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("the text is too long to be searched");
    }
}

TMatches TMatches::Literal(std::u16string text, std::u16string pattern, bool ignoreCase) {
    const std::vector<TextMatch> found = FindLiteral(text, pattern, ignoreCase);
    TMatches matches(std::move(text));
    matches.literal_ = true;
    matches.pattern_ = std::move(pattern);
    matches.entries_.reserve(found.size());
    for (const TextMatch& match : found) {
        matches.entries_.push_back({match.firstIndex, match.length, 0});
    }
    return matches;
}

TMatch TMatches::Item(std::size_t index) const {
    if (index >= entries_.size()) {
        throw std::out_of_range("match index out of range");
    }
    return TMatch(*this, index);
}

void TMatches::CheckNext(std::int32_t firstIndex) const {
    if (firstIndex < 0 || static_cast<std::size_t>(firstIndex) > text_.size()) {
        throw std::invalid_argument("a match outside the text");
    }
    if (!entries_.empty() && firstIndex < entries_.back().firstIndex) {
        throw std::invalid_argument("matches must come in the order of their first index");
    }
}

void TMatches::AddMatch(std::int32_t firstIndex, std::u16string_view value,
                        std::span<const std::u16string_view> subMatches) {
    if (literal_) {
        throw std::invalid_argument("an engine's match among literal matches");
    }
    CheckNext(firstIndex);
    if (value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        subMatches_.size() + subMatches.size() > kInPool) {
        throw std::length_error("too many matches to keep");
    }
    const auto length = static_cast<std::int32_t>(value.size());
    const std::size_t index = entries_.size();
    // A value given from outside that is the text it covers (as the automation object
    // hands out its copies) is kept as that span, not copied.
    const std::u16string_view covered =
        firstIndex >= 0 && static_cast<std::size_t>(firstIndex) + value.size() <= text_.size()
            ? std::u16string_view(text_).substr(static_cast<std::size_t>(firstIndex), value.size())
            : std::u16string_view();
    const Span kept = Keep(covered.size() == value.size() && covered == value ? covered : value);
    const bool coversItself =
        (kept.offset & kInPool) == 0 && kept.offset == static_cast<std::uint32_t>(firstIndex);
    if (!coversItself && !value.empty()) {
        sideValues_.push_back({index, kept});
    }
    const auto firstSubMatch = static_cast<std::uint32_t>(subMatches_.size());
    for (const std::u16string_view sub : subMatches) {
        subMatches_.push_back(Keep(sub));
    }
    entries_.push_back({firstIndex, length, firstSubMatch});
}

void TMatches::AddLiteralMatch(std::int32_t firstIndex) {
    if (!literal_) {
        throw std::invalid_argument("a literal match among an engine's matches");
    }
    CheckNext(firstIndex);
    entries_.push_back({firstIndex, static_cast<std::int32_t>(pattern_.size()), 0});
}

void TMatches::Reserve(std::size_t matches) {
    entries_.reserve(matches);
}

void TMatches::ShrinkToFit() {
    entries_.shrink_to_fit();
    subMatches_.shrink_to_fit();
    sideValues_.shrink_to_fit();
    pool_.shrink_to_fit();
}

TMatches::Span TMatches::Keep(std::u16string_view value) {
    if (value.empty()) {
        return {0, 0};
    }
    // Pointers into different objects compare only through std::less.
    const std::less<const char16_t*> before;
    const char16_t* const begin = text_.data();
    const char16_t* const end = begin + text_.size();
    if (!before(value.data(), begin) && !before(end, value.data() + value.size())) {
        return {static_cast<std::uint32_t>(value.data() - begin), static_cast<std::int32_t>(value.size())};
    }
    if (pool_.size() + value.size() >= kInPool) {
        throw std::length_error("too many copied values to keep");
    }
    const auto offset = static_cast<std::uint32_t>(pool_.size());
    pool_.append(value);
    return {offset | kInPool, static_cast<std::int32_t>(value.size())};
}

std::u16string_view TMatches::View(Span span) const noexcept {
    const std::u16string_view from = (span.offset & kInPool) != 0 ? std::u16string_view(pool_) : text_;
    return from.substr(span.offset & ~kInPool, static_cast<std::size_t>(span.length));
}

std::u16string_view TMatches::ValueOf(std::size_t index) const noexcept {
    if (literal_) {
        return pattern_;
    }
    const auto side =
        std::lower_bound(sideValues_.begin(), sideValues_.end(), index,
                         [](const SideValue& value, std::size_t at) { return value.match < at; });
    if (side != sideValues_.end() && side->match == index) {
        return View(side->span);
    }
    const Entry& entry = entries_[index];
    return std::u16string_view(text_).substr(static_cast<std::size_t>(entry.firstIndex),
                                             static_cast<std::size_t>(entry.length));
}

std::size_t TMatches::SubMatchEnd(std::size_t index) const noexcept {
    if (literal_) {
        return 0;
    }
    return index + 1 < entries_.size() ? entries_[index + 1].firstSubMatch : subMatches_.size();
}

std::size_t TMatches::CountAtOrBefore(std::int32_t position) const noexcept {
    return static_cast<std::size_t>(
        std::upper_bound(entries_.begin(), entries_.end(), position,
                         [](std::int32_t at, const Entry& entry) { return at < entry.firstIndex; }) -
        entries_.begin());
}

std::size_t TMatches::CountBefore(std::int32_t position) const noexcept {
    return static_cast<std::size_t>(
        std::lower_bound(entries_.begin(), entries_.end(), position,
                         [](const Entry& entry, std::int32_t at) { return entry.firstIndex < at; }) -
        entries_.begin());
}

std::size_t TMatches::MemoryBytes() const noexcept {
    return entries_.capacity() * sizeof(Entry) + subMatches_.capacity() * sizeof(Span) +
           sideValues_.capacity() * sizeof(SideValue) + pool_.capacity() * sizeof(char16_t) +
           pattern_.capacity() * sizeof(char16_t);
}

} // namespace nerula
