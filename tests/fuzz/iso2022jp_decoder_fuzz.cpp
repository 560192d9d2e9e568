// Arbitrary bytes into the iso-2022-jp reader, compared with a reference that follows the
// header one byte at a time. Both take the JIS X 0208 characters from the CP932 table,
// which the core's tests check on their own; the reference reaches it through the plain
// row and cell arithmetic of Shift-JIS.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "text/iso2022jp_decoder.h"
#include "text/jis_tables.h"

namespace {

using nerula::fuzz::Check;

enum class Set { Ascii, Katakana, Jis0208, Jis0212 };

struct Designation {
    std::string_view bytes;
    std::optional<Set> set; // none: the sequence changes nothing
};

constexpr Designation kDesignations[] = {
    {"\x1B(B", Set::Ascii},    {"\x1B(J", Set::Ascii},    {"\x1B(I", Set::Katakana},
    {"\x1B$@", Set::Jis0208},  {"\x1B$B", Set::Jis0208},  {"\x1B$(@", Set::Jis0208},
    {"\x1B$(B", Set::Jis0208}, {"\x1B$(D", Set::Jis0212}, {"\x1B&@", std::nullopt},
};

constexpr char16_t kReplacement = u'\uFFFD';

char16_t HalfWidthKatakana(int sevenBit) {
    return static_cast<char16_t>(0xFF61 + sevenBit - 0x21);
}

char16_t Jis0208(int first, int second) {
    const int row = first - 0x20;
    const int cell = second - 0x20;
    const int lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
    const int trail = row % 2 == 1 ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E;
    return nerula::Cp932DoubleByte(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
}

bool IsGraphic(std::uint8_t b) {
    return b >= 0x21 && b <= 0x7E;
}

std::u16string ReferenceDecode(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    Set designated = Set::Ascii;
    bool shiftedOut = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t b = bytes[i];
        const std::string_view rest(reinterpret_cast<const char*>(bytes.data()) + i, bytes.size() - i);
        if (b >= 0x80) {
            text += b >= 0xA1 && b <= 0xDF ? HalfWidthKatakana(b - 0x80) : kReplacement;
            ++i;
        } else if (b == 0x1B) {
            const Designation* found = nullptr;
            for (const Designation& d : kDesignations) {
                if (rest.starts_with(d.bytes)) {
                    found = &d;
                }
            }
            if (found == nullptr) {
                text += kReplacement;
                ++i;
                continue;
            }
            if (found->set) {
                designated = *found->set;
                shiftedOut = false;
            }
            i += found->bytes.size();
        } else if (b == 0x0E || b == 0x0F) {
            shiftedOut = b == 0x0E;
            ++i;
        } else if (!IsGraphic(b)) {
            // Controls, the space and DEL lie outside every graphic set.
            text += static_cast<char16_t>(b);
            ++i;
        } else if (shiftedOut || designated == Set::Katakana) {
            text += b <= 0x5F ? HalfWidthKatakana(b) : kReplacement;
            ++i;
        } else if (designated == Set::Ascii) {
            text += static_cast<char16_t>(b);
            ++i;
        } else if (i + 1 == bytes.size() || !IsGraphic(bytes[i + 1])) {
            text += kReplacement;
            ++i;
        } else {
            const char16_t c =
                designated == Set::Jis0208 ? Jis0208(b, bytes[i + 1]) : nerula::JisX0212(b, bytes[i + 1]);
            text += c != 0 ? c : kReplacement;
            i += 2;
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::u16string text = nerula::DecodeIso2022Jp(bytes);
    // Every input byte yields at most one character, and every character of the tables is
    // one UTF-16 unit.
    Check(text.size() <= size);
    Check(text == ReferenceDecode(bytes));
    return 0;
}
