#include "text/iso2022jp_decoder.h"

#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

#include "text/jis_tables.h"

namespace nerula {
namespace {

constexpr std::uint8_t kShiftOut = 0x0E;
constexpr std::uint8_t kShiftIn = 0x0F;
constexpr std::uint8_t kEscape = 0x1B;
constexpr char16_t kReplacement = u'\uFFFD';

// The character set designated to G0, the one that reads the bytes 0x21..0x7E.
enum class Charset : std::uint8_t { Ascii, Katakana, JisX0208, JisX0212 };

struct EscapeSequence {
    std::string_view bytes;
    std::optional<Charset> designates;
};

constexpr EscapeSequence kEscapeSequences[] = {
    {"\x1B(B", Charset::Ascii},
    // JIS X 0201 Roman differs from ASCII only at 0x5C (yen sign) and 0x7E (overline).
    // Windows reads it as ASCII, the single-byte half of CP932, where 0x5C is the
    // backslash that Japanese fonts draw as a yen sign anyway; Nerula gives the same text.
    {"\x1B(J", Charset::Ascii},
    {"\x1B(I", Charset::Katakana},
    // The 1983 edition of JIS X 0208 swapped the places of some kanji of the 1978 one;
    // Windows reads both designations with the one CP932 table (the 1983 places), and so
    // does Nerula.
    {"\x1B$@", Charset::JisX0208},
    {"\x1B$B", Charset::JisX0208},
    // The long forms ISO 2022 also allows for the same two sets.
    {"\x1B$(@", Charset::JisX0208},
    {"\x1B$(B", Charset::JisX0208},
    {"\x1B$(D", Charset::JisX0212},
    // Announces the 1990 edition of JIS X 0208, designated by the ESC $ B that follows.
    {"\x1B&@", std::nullopt},
};

// The sequence the text starts with, or nullptr when it begins no known sequence
// (also when the text ends inside one).
const EscapeSequence* MatchEscape(const std::uint8_t* begin, const std::uint8_t* end) {
    const auto available = static_cast<std::size_t>(end - begin);
    for (const EscapeSequence& sequence : kEscapeSequences) {
        const std::string_view wanted = sequence.bytes;
        if (wanted.size() > available) {
            continue;
        }
        bool same = true;
        for (std::size_t i = 0; i < wanted.size() && same; ++i) {
            same = begin[i] == static_cast<std::uint8_t>(wanted[i]);
        }
        if (same) {
            return &sequence;
        }
    }
    return nullptr;
}

bool IsGraphic(std::uint8_t b) {
    return b >= 0x21 && b <= 0x7E;
}

// JIS X 0201 katakana 0x21..0x5F (0xA1..0xDF with the high bit) are U+FF61..U+FF9F.
char16_t HalfwidthKatakana(std::uint8_t sevenBit) {
    return sevenBit <= 0x5F ? static_cast<char16_t>(0xFF61 + (sevenBit - 0x21)) : kReplacement;
}

// Shift-JIS is an arithmetic rearrangement of JIS X 0208: two rows share one lead byte
// (0x81..0x9F, then 0xE0..0xEF), the odd row takes the trail bytes 0x40..0x9E without
// 0x7F and the even row 0x9F..0xFC. Looking that pair up in CP932 gives Windows' character.
char16_t JisX0208(std::uint8_t row, std::uint8_t cell) {
    int lead = ((row - 0x21) >> 1) + 0x81;
    if (lead > 0x9F) {
        lead += 0xE0 - 0xA0;
    }
    int trail;
    if (row & 1) {
        trail = cell + (0x40 - 0x21);
        if (trail >= 0x7F) {
            ++trail;
        }
    } else {
        trail = cell + (0x9F - 0x21);
    }
    return Cp932DoubleByte(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
}

} // namespace

std::u16string DecodeIso2022Jp(std::span<const std::uint8_t> bytes) {
    // No byte yields more than one character, so the input's length is room enough. The
    // characters go through a small buffer first: filling the text directly would mean
    // zeroing all of it beforehand, twice the memory the usual Japanese text needs.
    std::u16string text;
    text.reserve(bytes.size());
    char16_t chunk[4096];
    const std::uint8_t* in = bytes.data();
    const std::uint8_t* const end = in + bytes.size();

    Charset designated = Charset::Ascii;
    bool shiftedOut = false;

    while (in != end) {
        char16_t* out = chunk;
        // Each pass writes at most one character.
        while (in != end && out != std::end(chunk)) {
            const std::uint8_t b = *in;
            if (b >= 0x80) {
                *out++ = b >= 0xA1 && b <= 0xDF ? HalfwidthKatakana(static_cast<std::uint8_t>(b - 0x80))
                                                : kReplacement;
                ++in;
                continue;
            }
            if (!IsGraphic(b)) {
                if (b == kEscape) {
                    const EscapeSequence* sequence = MatchEscape(in, end);
                    if (sequence == nullptr) {
                        *out++ = kReplacement;
                        ++in;
                        continue;
                    }
                    if (sequence->designates) {
                        designated = *sequence->designates;
                        // A designation also ends a shift-out, so that text whose SI went
                        // missing recovers at the next escape sequence.
                        shiftedOut = false;
                    }
                    in += sequence->bytes.size();
                } else if (b == kShiftOut) {
                    shiftedOut = true;
                    ++in;
                } else if (b == kShiftIn) {
                    shiftedOut = false;
                    ++in;
                } else {
                    // Other controls, the space and DEL mean the same in every set.
                    *out++ = b;
                    ++in;
                }
                continue;
            }

            switch (shiftedOut ? Charset::Katakana : designated) {
            case Charset::Ascii:
                *out++ = b;
                ++in;
                break;
            case Charset::Katakana:
                *out++ = HalfwidthKatakana(b);
                ++in;
                break;
            case Charset::JisX0208:
            case Charset::JisX0212:
                if (end - in < 2 || !IsGraphic(in[1])) {
                    *out++ = kReplacement;
                    ++in;
                    break;
                }
                {
                    const char16_t c =
                        designated == Charset::JisX0208 ? JisX0208(in[0], in[1]) : JisX0212(in[0], in[1]);
                    *out++ = c != 0 ? c : kReplacement;
                    in += 2;
                }
                break;
            }
        }
        text.append(chunk, out);
    }
    return text;
}

} // namespace nerula
