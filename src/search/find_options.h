#pragma once
// The find component's options: what the find window offers (direction, case, whole word,
// regular expressions, multi-line mode), what it hides or greys out, and which action the
// user asked for. Member n is bit n of a four-byte set, so that a set can be kept and
// compared as one number.

#include <cstdint>
#include <initializer_list>

namespace nerula {

enum class TREFindOption : std::uint8_t {
    frDown,              // search towards the end of the text
    frFindNext,          // action: find the next match
    frHideMatchCase,     //
    frHideWholeWord,     //
    frHideUpDown,        //
    frMatchCase,         // letters match only in the same case
    frDisableMatchCase,  //
    frDisableUpDown,     //
    frDisableWholeWord,  //
    frReplace,           // action: replace the current match and find the next
    frReplaceAll,        // action: replace every match
    frWholeWord,         // only matches that stand as words
    frShowHelp,          //
    frHideUsesRegexp,    //
    frDisableUsesRegexp, //
    frUsesRegexp,        // the find text is a regular expression
    frHideMultiLine,     //
    frDisableMultiLine,  //
    frMultiLine,         // ^ and $ match at every line, not only at the ends of the text
};

inline constexpr int kFindOptionCount = 19;

class TREFindOptions {
public:
    constexpr TREFindOptions() noexcept = default;
    constexpr TREFindOptions(TREFindOption option) noexcept : bits_(Bit(option)) {}
    constexpr TREFindOptions(std::initializer_list<TREFindOption> options) noexcept {
        for (const TREFindOption option : options) {
            bits_ |= Bit(option);
        }
    }
    // Bits beyond the last option are dropped: no option stands for them.
    static constexpr TREFindOptions FromBits(std::uint32_t bits) noexcept {
        TREFindOptions set;
        set.bits_ = bits & kAllBits;
        return set;
    }

    constexpr std::uint32_t Bits() const noexcept { return bits_; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr bool Has(TREFindOption option) const noexcept { return (bits_ & Bit(option)) != 0; }
    // Whether the two sets share an option.
    constexpr bool HasAny(TREFindOptions other) const noexcept { return (bits_ & other.bits_) != 0; }
    constexpr TREFindOptions With(TREFindOptions added) const noexcept {
        return FromBits(bits_ | added.bits_);
    }
    constexpr TREFindOptions Without(TREFindOptions removed) const noexcept {
        return FromBits(bits_ & ~removed.bits_);
    }

    friend constexpr TREFindOptions operator|(TREFindOptions a, TREFindOptions b) noexcept {
        return a.With(b);
    }
    friend constexpr bool operator==(TREFindOptions, TREFindOptions) noexcept = default;

private:
    static constexpr std::uint32_t kAllBits = (1u << kFindOptionCount) - 1;
    static constexpr std::uint32_t Bit(TREFindOption option) noexcept {
        return 1u << static_cast<unsigned>(option);
    }

    std::uint32_t bits_ = 0;
};

static_assert(sizeof(TREFindOptions) == 4);

constexpr TREFindOptions operator|(TREFindOption a, TREFindOption b) noexcept {
    return TREFindOptions(a) | TREFindOptions(b);
}

// A new find component searches downwards with regular expressions.
inline constexpr TREFindOptions kDefaultFindOptions{TREFindOption::frDown, TREFindOption::frUsesRegexp};
static_assert(kDefaultFindOptions.Bits() == 0x08001);

// The options that say what the user asked for rather than how to search.
inline constexpr TREFindOptions kFindActions{TREFindOption::frFindNext, TREFindOption::frReplace,
                                             TREFindOption::frReplaceAll};

} // namespace nerula
