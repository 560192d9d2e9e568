#pragma once
// The code pages that the text view knows: their names, which of them the encoding menu
// carries, which converter decodes each, and the rule for writing the current code page.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace nerula {

namespace code_page {
inline constexpr std::uint32_t kShiftJis = 932;
inline constexpr std::uint32_t kUtf16 = 1200;
inline constexpr std::uint32_t kUtf16Be = 1201;
inline constexpr std::uint32_t kLatinAnsi = 1252;
inline constexpr std::uint32_t kUtf32 = 12000;
inline constexpr std::uint32_t kUtf32Be = 12001;
inline constexpr std::uint32_t kUsAscii = 20127;
inline constexpr std::uint32_t kJis = 20932;
inline constexpr std::uint32_t kIso2022Jp = 50220;
inline constexpr std::uint32_t kEucJp = 51932;
inline constexpr std::uint32_t kUtf8 = 65001;
} // namespace code_page

// The display name: the table's name, for 0 the name of the ANSI code page, otherwise
// the decimal digits.
std::u16string CodePageName(std::uint32_t codePage, std::uint32_t ansiCodePage);

// Whether the encoding menu has an item that stands for this code page (51932 has
// "EUC-JP", which itself carries 20932).
bool HasEncodingMenuItem(std::uint32_t codePage);

enum class ConverterKind { Utf16LittleEndian, Utf16BigEndian, System };

struct ConverterChoice {
    ConverterKind kind;
    // For a system converter, the code page it is created for.
    std::uint32_t codePage;
};

// Which converter decodes text in this code page. Code pages outside the table, and the
// table's rows without a converter of their own, decode in the ANSI code page.
ConverterChoice ConverterFor(std::uint32_t codePage, std::uint32_t ansiCodePage);

// The byte-order mark that a converter of this code page skips at the start of a text.
std::span<const std::uint8_t> ByteOrderMark(std::uint32_t converterCodePage);

// The current code page and its rule: a value without a menu item falls back to the ANSI
// code page. Write answers the code page whose menu item is now to be checked, if any.
class CodePageSetting {
public:
    explicit CodePageSetting(std::uint32_t ansiCodePage) : ansi_(ansiCodePage) {}

    std::uint32_t Value() const noexcept { return value_; }
    std::uint32_t Ansi() const noexcept { return ansi_; }
    std::optional<std::uint32_t> Write(std::uint32_t value);

private:
    std::uint32_t ansi_;
    std::uint32_t value_ = 0;
};

} // namespace nerula
