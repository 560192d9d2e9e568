// Arbitrary text into the one integer rule, compared with a reading of the same rule done
// the plain way: character by character, in a wide enough integer that nothing overflows.
// Then numbers written out in every accepted form must read back as themselves.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "common/integer_text.h"
#include "common/text_format.h"
#include "fuzz_support.h"

namespace {

using nerula::fuzz::Check;

// The rule as its header states it. Magnitudes stop growing past 2^40: every one of them is
// out of range for both targets, and the digits that follow still have to be digits.
std::optional<std::int64_t> ReferenceValue(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const std::u16string_view rest = text.substr(i);
    int base = 10;
    std::u16string_view digits = rest;
    if (rest.starts_with(u"0x") || rest.starts_with(u"0X")) {
        base = 16;
        digits = rest.substr(2);
    } else if (rest.starts_with(u"$") || rest.starts_with(u"x") || rest.starts_with(u"X")) {
        base = 16;
        digits = rest.substr(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    constexpr std::int64_t kCap = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    for (const char16_t c : digits) {
        int digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (base == 16 && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (base == 16 && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            return std::nullopt;
        }
        magnitude = std::min(magnitude * base + digit, kCap);
    }
    return negative ? -magnitude : magnitude;
}

template <typename T>
std::optional<T> InRange(std::optional<std::int64_t> value) {
    if (!value || *value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(*value);
}

std::u16string Hex(std::uint64_t value, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string out;
    do {
        out.insert(out.begin(), static_cast<char16_t>(digits[value % 16]));
        value /= 16;
    } while (value != 0);
    return out;
}

// Every way the rule allows a value to be written, with the spaces and sign in front.
void CheckWrittenForms(std::int64_t value, std::size_t spaces, bool plusSign, std::uint8_t prefixChoice) {
    const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
    std::u16string sign = value < 0 ? u"-" : (plusSign ? u"+" : u"");
    static constexpr const char16_t* kPrefixes[] = {u"$", u"x", u"X", u"0x", u"0X"};
    const std::u16string forms[] = {
        nerula::ToDecimal(static_cast<std::int64_t>(magnitude)),
        kPrefixes[prefixChoice % 5] + Hex(magnitude, prefixChoice & 0x80),
    };
    for (const std::u16string& digits : forms) {
        const std::u16string text = std::u16string(spaces, u' ') + sign + digits;
        Check(nerula::ParseInt32(text) == InRange<std::int32_t>(value));
        Check(nerula::ParseUInt32(text) == InRange<std::uint32_t>(value));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nerula::fuzz::InputReader input({data, size});
    const std::u16string text = input.Text(u'\n');
    const std::optional<std::int64_t> expected = ReferenceValue(text);
    Check(nerula::ParseInt32(text) == InRange<std::int32_t>(expected));
    Check(nerula::ParseUInt32(text) == InRange<std::uint32_t>(expected));

    // A value near the edges of both ranges as often as anywhere else.
    const std::uint8_t shape = input.Byte();
    const std::int64_t edges[] = {0, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max(),
                                  std::numeric_limits<std::uint32_t>::max()};
    const auto offset = static_cast<std::int32_t>(input.Uint32());
    const std::int64_t value = edges[shape % 4] + (shape & 0x04 ? offset % 4 : offset);
    CheckWrittenForms(value, input.Byte() % 3, shape & 0x08, input.Byte());
    return 0;
}
