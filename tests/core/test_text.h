#pragma once
// Readable failure messages for UTF-16 test data.

#include <cstdio>
#include <string>
#include <string_view>

namespace nerula::test {

inline std::string Printable(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

} // namespace nerula::test
