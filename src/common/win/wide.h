#pragma once
// UTF-16 crosses between the portable code (std::u16string) and Win32 (wchar_t, 16 bits
// on Windows) unit for unit.

#include <string>
#include <string_view>

namespace nerula {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 code expects 16-bit wchar_t");

inline std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string ToU16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

} // namespace nerula
