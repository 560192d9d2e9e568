#pragma once
// The one rule by which Nerula reads an integer written as text: command-line switch
// values, numbers in the settings file and the numeric edit of the Options dialog.
//
// Accepted: optional leading spaces, an optional "+" or "-", then either decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow the digits.
// An empty text, a prefix without digits, or a value outside the target range is invalid.

#include <cstdint>
#include <optional>
#include <string_view>

namespace nerula {

// The value of one decimal or hexadecimal digit (either case) below `base`; -1 otherwise.
int DigitValue(char16_t c, int base);

std::optional<std::int32_t> ParseInt32(std::u16string_view text);
std::optional<std::uint32_t> ParseUInt32(std::u16string_view text);

} // namespace nerula
