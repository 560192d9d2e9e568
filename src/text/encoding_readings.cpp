#include "text/encoding_readings.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace nerula::text_model {
namespace {

bool In(std::uint8_t b, std::uint8_t first, std::uint8_t last) {
    return b >= first && b <= last;
}

// The range the second byte of a UTF-8 sequence may take after the given lead byte; the
// narrower ranges after E0, ED, F0 and F4 shut out overlong forms, surrogates and code
// points past U+10FFFF.
struct Utf8Lead {
    int length;
    std::uint8_t secondLow;
    std::uint8_t secondHigh;
};

Utf8Lead Utf8LeadOf(std::uint8_t b) {
    if (In(b, 0xC2, 0xDF)) {
        return {2, 0x80, 0xBF};
    }
    if (b == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (b == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (In(b, 0xE1, 0xEF)) {
        return {3, 0x80, 0xBF};
    }
    if (b == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (In(b, 0xF1, 0xF3)) {
        return {4, 0x80, 0xBF};
    }
    if (b == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {0, 0, 0};
}

// The cheapest character model(v) gives for v in [first, last]: what a character cut off at
// the end of the bytes could at best have been.
template <typename Model>
std::uint32_t Cheapest(const TextScore& score, std::uint32_t first, std::uint32_t last, Model model) {
    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    for (std::uint32_t v = first; v <= last; ++v) {
        best = std::min(best, score.CostOf(model(v)));
    }
    return best;
}

// Any code point past the BMP: the model rates them all alike.
constexpr char32_t kSupplementary = 0x10000;

bool IsSjisLead(std::uint8_t b) {
    return In(b, 0x81, 0x9F) || In(b, 0xE0, 0xFC);
}
bool IsSjisTrail(std::uint8_t b) {
    return In(b, 0x40, 0x7E) || In(b, 0x80, 0xFC);
}
bool IsEucByte(std::uint8_t b) {
    return In(b, 0xA1, 0xFE);
}

ModelChar SjisChar(std::uint8_t lead, std::uint8_t trail) {
    // Each lead byte covers two JIS rows: trail bytes below 0x9F the odd one.
    const int rowPair = lead <= 0x9F ? lead - 0x81 : lead - 0xC1;
    const bool evenRow = trail >= 0x9F;
    const int row = rowPair * 2 + (evenRow ? 2 : 1);
    const int cell = evenRow ? trail - 0x9E : trail - 0x3F - (trail >= 0x80 ? 1 : 0);
    return ModelJis(row, cell, JisVariant::Cp932);
}

ModelChar HalfWidthKana(std::uint32_t b) {
    return ModelCodePoint(0xFF61 + (b - 0xA1));
}

// A byte below 0x80, which every reading but UTF-16's takes as the ASCII character.
void AddAscii(TextScore& score, std::uint8_t b) {
    if (b == 0) {
        score.AddNuls(1);
    } else {
        score.Add(ModelCodePoint(b));
    }
}

} // namespace

TextScore ReadUtf8(std::span<const std::uint8_t> bytes) {
    TextScore score;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            AddAscii(score, b);
            ++i;
            continue;
        }
        const Utf8Lead lead = Utf8LeadOf(b);
        if (lead.length == 0) {
            score.AddInvalid();
            ++i;
            continue;
        }
        char32_t c = b & (0xFF >> (lead.length + 1));
        std::size_t k = 1;
        for (; k < static_cast<std::size_t>(lead.length) && i + k < n; ++k) {
            const std::uint8_t next = bytes[i + k];
            const bool fits = k == 1 ? In(next, lead.secondLow, lead.secondHigh) : In(next, 0x80, 0xBF);
            if (!fits) {
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (k == static_cast<std::size_t>(lead.length)) {
            score.Add(ModelCodePoint(c));
            i += k;
        } else if (i + k == n) {
            std::uint32_t completion;
            if (lead.length == 4) {
                completion = score.CostOf(ModelCodePoint(kSupplementary));
            } else if (k == 1) {
                // Lead byte alone: the second byte's range, any third byte.
                const char32_t base = c << (6 * (lead.length - 1));
                const std::uint32_t spread = lead.length == 3 ? 64 : 1;
                completion = Cheapest(score, (lead.secondLow & 0x3Fu) * spread,
                                      (lead.secondHigh & 0x3Fu) * spread + spread - 1,
                                      [&](std::uint32_t v) { return ModelCodePoint(base | v); });
            } else {
                completion =
                    Cheapest(score, 0, 63, [&](std::uint32_t v) { return ModelCodePoint((c << 6) | v); });
            }
            score.AddTruncatedTail(completion);
            i = n;
        } else {
            score.AddInvalid();
            ++i;
        }
    }
    return score;
}

TextScore ReadCp932(std::span<const std::uint8_t> bytes) {
    TextScore score;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            AddAscii(score, b);
            ++i;
        } else if (In(b, 0xA1, 0xDF)) {
            score.Add(HalfWidthKana(b));
            ++i;
        } else if (!IsSjisLead(b)) {
            score.AddInvalid();
            ++i;
        } else if (i + 1 == n) {
            score.AddTruncatedTail(Cheapest(score, 0x40, 0xFC, [&](std::uint32_t t) {
                return IsSjisTrail(static_cast<std::uint8_t>(t)) ? SjisChar(b, static_cast<std::uint8_t>(t))
                                                                 : ModelChar{CharClass::Bad, 0};
            }));
            ++i;
        } else if (const std::uint8_t t = bytes[i + 1]; IsSjisTrail(t)) {
            score.Add(SjisChar(b, t));
            i += 2;
        } else {
            score.AddInvalid();
            ++i;
        }
    }
    return score;
}

TextScore ReadEucJp(std::span<const std::uint8_t> bytes) {
    TextScore score;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            AddAscii(score, b);
            ++i;
            continue;
        }
        // Bytes still needed after the first, and the range they must lie in.
        std::size_t need;
        std::uint8_t low = 0xA1;
        std::uint8_t high = 0xFE;
        if (b == 0x8E) {
            need = 1; // half-width katakana
            high = 0xDF;
        } else if (b == 0x8F) {
            need = 2; // JIS X 0212
        } else if (IsEucByte(b)) {
            need = 1;
        } else {
            score.AddInvalid();
            ++i;
            continue;
        }
        std::size_t k = 1;
        while (k <= need && i + k < n && In(bytes[i + k], low, high)) {
            ++k;
        }
        if (k > need) {
            if (b == 0x8E) {
                score.Add(HalfWidthKana(bytes[i + 1]));
            } else if (b == 0x8F) {
                score.Add(ModelJisX0212(bytes[i + 1] - 0xA0, bytes[i + 2] - 0xA0));
            } else {
                score.Add(ModelJis(b - 0xA0, bytes[i + 1] - 0xA0, JisVariant::EucJp));
            }
            i += k;
        } else if (i + k == n) {
            std::uint32_t completion;
            if (b == 0x8E) {
                completion = Cheapest(score, 0xA1, 0xDF, HalfWidthKana);
            } else if (b == 0x8F && k == 2) {
                const int row = bytes[i + 1] - 0xA0;
                completion = Cheapest(score, 1, 94, [&](std::uint32_t cell) {
                    return ModelJisX0212(row, static_cast<int>(cell));
                });
            } else if (b == 0x8F) {
                // Only the lead: any row could follow, and within a row every cell is
                // rated alike.
                completion = Cheapest(
                    score, 1, 94, [&](std::uint32_t row) { return ModelJisX0212(static_cast<int>(row), 1); });
            } else {
                completion = Cheapest(score, 1, 94, [&](std::uint32_t cell) {
                    return ModelJis(b - 0xA0, static_cast<int>(cell), JisVariant::EucJp);
                });
            }
            score.AddTruncatedTail(completion);
            i = n;
        } else {
            score.AddInvalid();
            ++i;
        }
    }
    return score;
}

TextScore ReadUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    TextScore score;
    const std::size_t units = bytes.size() / 2;
    const bool oddByte = bytes.size() % 2 != 0;
    auto unitAt = [&](std::size_t u) {
        const std::uint8_t first = bytes[2 * u];
        const std::uint8_t second = bytes[2 * u + 1];
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    auto isLowSurrogate = [](char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    for (std::size_t u = 0; u < units; ++u) {
        const char32_t c = unitAt(u);
        if (c == 0) {
            score.AddNuls(1);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (u + 1 == units) {
                // The pair is cut after its first unit or inside its second: it costs what
                // a whole pair would, when the byte that is there can begin a low surrogate
                // (in UTF-16BE that byte is the high one, DC to DF; in -LE any low byte).
                const bool pairGoesOn =
                    !oddByte || !bigEndian || (bytes.back() >= 0xDC && bytes.back() <= 0xDF);
                if (pairGoesOn) {
                    score.AddTruncatedTail(score.CostOf(ModelCodePoint(kSupplementary)));
                    return score;
                }
            } else if (const char32_t low = unitAt(u + 1); isLowSurrogate(low)) {
                score.Add(ModelCodePoint(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00)));
                ++u;
                continue;
            }
        }
        // A lone surrogate is classed Bad by the model.
        score.Add(ModelCodePoint(c));
    }
    if (oddByte) {
        // The known byte of the last unit: its high byte in UTF-16BE, its low byte in -LE.
        // A unit that would be a high surrogate begins a pair.
        const std::uint32_t known = bytes.back();
        score.AddTruncatedTail(Cheapest(score, 0, 0xFF, [&](std::uint32_t other) {
            const char32_t unit = bigEndian ? (known << 8) | other : (other << 8) | known;
            return ModelCodePoint(unit >= 0xD800 && unit <= 0xDBFF ? kSupplementary : unit);
        }));
    }
    return score;
}

} // namespace nerula::text_model
