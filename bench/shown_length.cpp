#include "shown_length.h"

namespace nerula::bench {

std::size_t LengthWithCrLf(const wchar_t* units, std::size_t length) {
    std::size_t result = length;
    for (std::size_t i = 0; i < length; ++i) {
        if (units[i] == L'\r' && i + 1 < length && units[i + 1] == L'\n') {
            ++i;
        } else if (units[i] == L'\r' || units[i] == L'\n') {
            ++result;
        }
    }
    return result;
}

} // namespace nerula::bench
