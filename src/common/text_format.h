#pragma once
// Small text helpers for UTF-16 strings that must behave the same on Linux and Windows.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace nerula {

// Replaces each "%s" or "%d" of the format, in order, with the next argument (already
// formatted as text). A "%" not followed by "s" or "d" stays as it is.
std::u16string FormatText(std::u16string_view format, std::initializer_list<std::u16string_view> args);

std::u16string ToDecimal(std::int64_t value);

char16_t AsciiUpper(char16_t c);
char16_t AsciiLower(char16_t c);

// ASCII text given as a plain string literal, widened to UTF-16.
std::u16string Widen(std::string_view ascii);

} // namespace nerula
