#include "common/text_format.h"

namespace nerula {

std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c == u'%' && i + 1 < format.size() && (format[i + 1] == u's' || format[i + 1] == u'd') &&
            next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string ToDecimal(std::int64_t value) {
    const bool negative = value < 0;
    // Work in unsigned arithmetic so that the most negative value has a magnitude too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::u16string out;
    if (negative) {
        out += u'-';
    }
    while (n > 0) {
        out += digits[--n];
    }
    return out;
}

char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

} // namespace nerula
