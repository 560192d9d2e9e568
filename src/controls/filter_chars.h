#pragma once
// Which characters an edit takes from the keyboard and from the clipboard.
//
// An empty set takes everything. A non-empty set always takes the decimal digits and the
// editing keys that reach an edit as characters (Ctrl+A, Ctrl+C, Backspace, Enter,
// Ctrl+V, Ctrl+X, Ctrl+Z, Escape), and each member adds its own characters. Nothing above
// U+00FF passes a non-empty set, full-width digits included.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace nerula {

// Member n is bit n of the set.
enum class TFilterChar : std::uint8_t {
    fcAllowDecimal,   // the digits, which every non-empty set takes anyway
    fcAllowPositive,  // '+'
    fcAllowNegative,  // '-'
    fcAllowHexdigit,  // '$', 'A'-'F', 'a'-'f', 'X', 'x'
    fcAllowReal,      // '.', 'E', 'e'
    fcAllowSeparater, // ','
    fcRejectProcess,  // a paste with any refused character changes nothing
};

inline constexpr int kFilterCharCount = 7;

class TFilterChars {
public:
    constexpr TFilterChars() noexcept = default;
    constexpr TFilterChars(TFilterChar member) noexcept : bits_(Bit(member)) {}
    constexpr TFilterChars(std::initializer_list<TFilterChar> members) noexcept {
        for (const TFilterChar member : members) {
            bits_ |= Bit(member);
        }
    }
    // Bits beyond the last member are dropped: no member stands for them.
    static constexpr TFilterChars FromBits(std::uint8_t bits) noexcept {
        TFilterChars set;
        set.bits_ = static_cast<std::uint8_t>(bits & kAllBits);
        return set;
    }

    constexpr std::uint8_t Bits() const noexcept { return bits_; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr bool Has(TFilterChar member) const noexcept { return (bits_ & Bit(member)) != 0; }
    constexpr TFilterChars With(TFilterChars added) const noexcept { return FromBits(bits_ | added.bits_); }
    constexpr TFilterChars Without(TFilterChars removed) const noexcept {
        return FromBits(static_cast<std::uint8_t>(bits_ & ~removed.bits_));
    }

    friend constexpr TFilterChars operator|(TFilterChars a, TFilterChars b) noexcept { return a.With(b); }
    friend constexpr bool operator==(TFilterChars, TFilterChars) noexcept = default;

private:
    static constexpr std::uint8_t kAllBits = (1u << kFilterCharCount) - 1;
    static constexpr std::uint8_t Bit(TFilterChar member) noexcept {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(member));
    }

    std::uint8_t bits_ = 0;
};

constexpr TFilterChars operator|(TFilterChar a, TFilterChar b) noexcept {
    return TFilterChars(a) | TFilterChars(b);
}

// Whether an edit with these filters takes the character (one UTF-16 unit, as WM_CHAR
// brings it).
bool FilterAccepts(TFilterChars filters, char16_t c) noexcept;

struct FilteredPaste {
    std::u16string text; // the accepted characters, in their order
    bool refused = false;
};

// What of a pasted text the filters take: as typed characters, except that a non-empty set
// refuses control characters, which are keys when typed but text when pasted.
FilteredPaste FilterPastedText(TFilterChars filters, std::u16string_view text);

} // namespace nerula
