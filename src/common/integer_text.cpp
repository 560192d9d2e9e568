#include "common/integer_text.h"

#include <limits>

namespace nerula {

int DigitValue(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        value = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        value = c - u'A' + 10;
    }
    return value < base ? value : -1;
}

namespace {

// The signed value of the text, or nothing when the text is not an integer or its
// magnitude exceeds what any 32-bit target could hold.
std::optional<std::int64_t> ParseInteger(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    constexpr std::int64_t limit = std::int64_t{1} << 33;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return negative ? -magnitude : magnitude;
}

} // namespace

std::optional<std::int32_t> ParseInt32(std::u16string_view text) {
    const auto value = ParseInteger(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

std::optional<std::uint32_t> ParseUInt32(std::u16string_view text) {
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

} // namespace nerula
