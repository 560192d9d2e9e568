#include "text/text_loading.h"

#include <algorithm>
#include <cstring>

namespace nerula {
namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// 1 in each byte lane of the word that equals the value, 0 in the others. Adding 0x7F to
// the low seven bits of a lane never carries into the next lane, so the test is exact.
std::uint64_t LanesEqual(std::uint64_t word, std::uint8_t value) {
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7Fu;
    const std::uint64_t x = word ^ (kEveryByte * value);
    return ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits) >> 7;
}

// The sum of the eight byte lanes, each at most 255: added in pairs first, so that no
// partial sum outgrows its 16 bits.
std::size_t SumOfLanes(std::uint64_t lanes) {
    constexpr std::uint64_t kEveryOtherByte = 0x00FF00FF00FF00FFu;
    const std::uint64_t pairs = (lanes & kEveryOtherByte) + ((lanes >> 8) & kEveryOtherByte);
    return static_cast<std::size_t>((pairs * 0x0001000100010001u) >> 48);
}

// What a text needs before the edit control can take it: the units its line breaks
// gain, and whether it holds NULs. The characters looked for all lie at or below CR, so
// most units cost one comparison.
struct TextNeeds {
    std::size_t addedUnits = 0;
    bool nuls = false;
};

TextNeeds Examine(const std::u16string& text) {
    TextNeeds needs;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c > u'\r') {
            continue;
        }
        if (c == u'\r') {
            if (i + 1 < size && text[i + 1] == u'\n') {
                ++i;
            } else {
                ++needs.addedUnits;
            }
        } else if (c == u'\n') {
            ++needs.addedUnits;
        } else if (c == u'\0') {
            needs.nuls = true;
        }
    }
    return needs;
}

// Makes every break CR LF, widening the text where it is, from the end backwards, and on
// the same pass replaces NULs when asked. When the decoder left room for the breaks, as
// the system code pages' decoder does, a large text is neither copied nor held twice.
// The write position stays ahead of the read position by the units still to be added
// before it, so nothing is overwritten before it has been read.
void Widen(std::u16string& text, std::size_t addedUnits, bool replaceNuls) {
    const std::size_t size = text.size();
    text.resize(size + addedUnits);
    std::size_t out = size + addedUnits;
    for (std::size_t i = size; i-- > 0;) {
        const char16_t c = text[i];
        if (c > u'\r') {
            text[--out] = c;
        } else if (c == u'\n' || c == u'\r') {
            // A CR LF pair is the LF with the CR just before it; it stays one break.
            if (c == u'\n' && i > 0 && text[i - 1] == u'\r') {
                --i;
            }
            text[--out] = u'\n';
            text[--out] = u'\r';
        } else {
            text[--out] = (c == u'\0' && replaceNuls) ? kNulPlaceholder : c;
        }
    }
}

} // namespace

std::span<const std::uint8_t> WithoutByteOrderMark(const Encoding& encoding,
                                                   std::span<const std::uint8_t> bytes) {
    const std::span<const std::uint8_t> mark = encoding.ByteOrderMark();
    if (!mark.empty() && bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin())) {
        return bytes.subspan(mark.size());
    }
    return bytes;
}

std::u16string LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes) {
    std::u16string text = encoding.Decode(WithoutByteOrderMark(encoding, bytes));
    // One look decides both steps; most texts need at most one of them, and when the
    // breaks are widened the NULs go on the same pass.
    const TextNeeds needs = Examine(text);
    if (needs.addedUnits > 0) {
        Widen(text, needs.addedUnits, true);
    } else if (needs.nuls) {
        ReplaceNulCharacters(text);
    }
    return text;
}

std::u16string NormaliseLineBreaks(std::u16string text) {
    // Most texts are already CR LF (or have no breaks) and go back untouched.
    const std::size_t addedUnits = Examine(text).addedUnits;
    if (addedUnits > 0) {
        Widen(text, addedUnits, false);
    }
    return text;
}

std::size_t CountLineEndBytes(std::span<const std::uint8_t> bytes) {
    // Eight bytes at a time: byte by byte, this took longer than the decoder's own pass
    // that measures the text. Each lane counts up to 255 words before the lanes are summed.
    std::size_t count = 0;
    std::size_t i = 0;
    const std::size_t size = bytes.size();
    while (size - i >= 8) {
        const std::size_t end = i + 8 * std::min<std::size_t>((size - i) / 8, 255);
        std::uint64_t lanes = 0;
        for (; i < end; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            lanes += LanesEqual(word, '\n') + LanesEqual(word, '\r');
        }
        count += SumOfLanes(lanes);
    }
    for (; i < size; ++i) {
        count += (bytes[i] == '\n' || bytes[i] == '\r') ? 1 : 0;
    }
    return count;
}

void ReplaceNulCharacters(std::u16string& text) {
    // Looking costs no writes; most texts have no NUL at all.
    const auto first = std::find(text.begin(), text.end(), u'\0');
    std::replace(first, text.end(), u'\0', kNulPlaceholder);
}

} // namespace nerula
