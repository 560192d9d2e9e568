// Arbitrary bytes into the five readings (UTF-8, CP932, EUC-JP, UTF-16 in both byte orders)
// and into the text model's score, checking what their headers promise:
//   - the counts agree with each other and the cost is never negative, whatever the bytes;
//   - every byte is decoded: NULs are counted apart, characters and NULs account for all
//     the bytes, and NULs between characters change nothing but the NUL count;
//   - a character cut off at the end costs no more than the whole one, give or take
//     kCutCharacterCost, and counts nothing against the encoding;
//   - the score adds what CostOf said it would, and a cut tail adds its completion and
//     kCutCharacterCost.
// The texts for the last three are made from the input as whole characters of each
// encoding, so that the place where each character starts is known.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_support.h"
#include "text/encoding_readings.h"
#include "text/japanese_text_model.h"

namespace {

using nerula::fuzz::Check;
using nerula::fuzz::InputReader;
using nerula::text_model::CharClass;
using nerula::text_model::kCutCharacterCost;
using nerula::text_model::ModelChar;
using nerula::text_model::TextScore;
using Bytes = std::vector<std::uint8_t>;

constexpr int kClassCount = static_cast<int>(CharClass::Bad) + 1;

enum class Encoding { Utf8, Cp932, EucJp, Utf16Le, Utf16Be };
constexpr Encoding kEncodings[] = {Encoding::Utf8, Encoding::Cp932, Encoding::EucJp, Encoding::Utf16Le,
                                   Encoding::Utf16Be};

TextScore Read(Encoding encoding, std::span<const std::uint8_t> bytes) {
    switch (encoding) {
    case Encoding::Utf8:
        return nerula::text_model::ReadUtf8(bytes);
    case Encoding::Cp932:
        return nerula::text_model::ReadCp932(bytes);
    case Encoding::EucJp:
        return nerula::text_model::ReadEucJp(bytes);
    case Encoding::Utf16Le:
        return nerula::text_model::ReadUtf16(bytes, false);
    case Encoding::Utf16Be:
        return nerula::text_model::ReadUtf16(bytes, true);
    }
    return {};
}

bool IsUtf16(Encoding encoding) {
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

// The longest character of the encoding in bytes, and the size of its NUL.
std::size_t LongestCharacter(Encoding encoding) {
    switch (encoding) {
    case Encoding::Cp932:
        return 2;
    case Encoding::EucJp:
        return 3;
    default:
        return 4;
    }
}

std::size_t NulSize(Encoding encoding) {
    return IsUtf16(encoding) ? 2 : 1;
}

void CheckCounts(const TextScore& score) {
    Check(score.Cost() >= 0);
    Check(score.Nuls() >= 0);
    Check(0 <= score.Count(CharClass::Bad) && score.Count(CharClass::Bad) <= score.BadChars());
    Check(score.BadChars() <= score.Chars());
    long long classified = 0;
    for (int cls = 0; cls < kClassCount; ++cls) {
        const int count = score.Count(static_cast<CharClass>(cls));
        Check(0 <= count && count <= score.Chars());
        classified += count;
    }
    Check(classified <= score.Chars());
}

bool SameCounts(const TextScore& a, const TextScore& b) {
    for (int cls = 0; cls < kClassCount; ++cls) {
        if (a.Count(static_cast<CharClass>(cls)) != b.Count(static_cast<CharClass>(cls))) {
            return false;
        }
    }
    return a.Chars() == b.Chars() && a.BadChars() == b.BadChars();
}

// Any bytes at all.
void CheckAnyBytes(std::span<const std::uint8_t> bytes) {
    for (const Encoding encoding : kEncodings) {
        const TextScore score = Read(encoding, bytes);
        CheckCounts(score);
        // A NUL is a zero byte, or in UTF-16 a zero unit: no encoding has one inside a
        // longer character.
        int nuls = 0;
        const std::size_t step = NulSize(encoding);
        for (std::size_t i = 0; i + step <= bytes.size(); i += step) {
            nuls += bytes[i] == 0 && bytes[i + step - 1] == 0 ? 1 : 0;
        }
        Check(score.Nuls() == nuls);
        // No byte is skipped: characters of the longest length, NULs, and a cut character
        // of all but one byte of it cover every byte; and no byte gives two characters.
        const auto chars = static_cast<std::size_t>(score.Chars());
        const auto nulBytes = static_cast<std::size_t>(score.Nuls()) * step;
        Check(bytes.size() <= chars * LongestCharacter(encoding) + nulBytes + LongestCharacter(encoding) - 1);
        Check(chars * step + nulBytes <= bytes.size());
    }
}

void Append(Bytes& bytes, std::initializer_list<unsigned> values) {
    for (const unsigned v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
}

void AppendUnit(Bytes& bytes, Encoding encoding, unsigned unit) {
    if (encoding == Encoding::Utf16Be) {
        Append(bytes, {unit >> 8, unit & 0xFF});
    } else {
        Append(bytes, {unit & 0xFF, unit >> 8});
    }
}

// A code point that UTF-8 and UTF-16 can carry, not NUL, of the length the input picks.
char32_t PickCodePoint(InputReader& input) {
    const std::uint8_t kind = input.Byte();
    char32_t c;
    switch (kind % 5) {
    case 0:
        c = 1 + input.Byte() % 0x7F;
        break;
    case 1:
        c = 0x80 + input.Uint16() % (0x800 - 0x80);
        break;
    case 2:
        // Kana, punctuation and kanji, where Japanese text lives.
        c = 0x3000 + input.Uint16() % 0x7000;
        break;
    case 3:
        c = 0x800 + input.Uint16() % (0x10000 - 0x800);
        break;
    default:
        c = 0x10000 + input.Uint32() % 0x100000;
        break;
    }
    return c >= 0xD800 && c <= 0xDFFF ? c - 0x1000 : c;
}

// One whole character of the encoding, its bytes in the encoding's ranges whether or not the
// character exists (such a pair is a character the model calls Bad, but whole).
Bytes WholeCharacter(Encoding encoding, InputReader& input) {
    Bytes bytes;
    if (encoding == Encoding::Utf8) {
        const char32_t c = PickCodePoint(input);
        if (c < 0x80) {
            Append(bytes, {static_cast<unsigned>(c)});
        } else if (c < 0x800) {
            Append(bytes, {0xC0 | c >> 6, 0x80 | (c & 0x3F)});
        } else if (c < 0x10000) {
            Append(bytes, {0xE0 | c >> 12, 0x80 | (c >> 6 & 0x3F), 0x80 | (c & 0x3F)});
        } else {
            Append(bytes,
                   {0xF0 | c >> 18, 0x80 | (c >> 12 & 0x3F), 0x80 | (c >> 6 & 0x3F), 0x80 | (c & 0x3F)});
        }
    } else if (IsUtf16(encoding)) {
        const char32_t c = PickCodePoint(input);
        if (c < 0x10000) {
            AppendUnit(bytes, encoding, c);
        } else {
            AppendUnit(bytes, encoding, 0xD800 + ((c - 0x10000) >> 10));
            AppendUnit(bytes, encoding, 0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    } else if (encoding == Encoding::Cp932) {
        const std::uint8_t kind = input.Byte();
        if (kind % 4 == 0) {
            Append(bytes, {1 + input.Byte() % 0x7Fu});
        } else if (kind % 4 == 1) {
            Append(bytes, {0xA1 + input.Byte() % 63u});
        } else {
            const unsigned lead = input.Byte() % 60u;
            const unsigned trail = input.Byte() % 188u;
            Append(bytes, {lead < 31 ? 0x81 + lead : 0xE0 + lead - 31,
                           trail < 63 ? 0x40 + trail : 0x80 + trail - 63});
        }
    } else {
        const std::uint8_t kind = input.Byte();
        if (kind % 5 == 0) {
            Append(bytes, {1 + input.Byte() % 0x7Fu});
        } else if (kind % 5 == 1) {
            Append(bytes, {0x8E, 0xA1 + input.Byte() % 63u});
        } else if (kind % 5 == 2) {
            Append(bytes, {0x8F, 0xA1 + input.Byte() % 94u, 0xA1 + input.Byte() % 94u});
        } else {
            Append(bytes, {0xA1 + input.Byte() % 94u, 0xA1 + input.Byte() % 94u});
        }
    }
    return bytes;
}

// Bytes the encoding cannot decode and that cannot begin a character either, so the next
// character starts right after them.
Bytes Undecodable(Encoding encoding, InputReader& input) {
    const std::uint8_t b = input.Byte();
    Bytes bytes;
    switch (encoding) {
    case Encoding::Utf8:
        // Continuation bytes, the overlong leads C0 and C1, and F5..FF.
        Append(bytes, {b % 0x53u < 0x42 ? 0x80 + b % 0x53u : 0xF5 + b % 0x53u - 0x42});
        break;
    case Encoding::Cp932: {
        static constexpr unsigned kNoLead[] = {0x80, 0xA0, 0xFD, 0xFE, 0xFF};
        Append(bytes, {kNoLead[b % 5]});
        break;
    }
    case Encoding::EucJp:
        Append(bytes, {b % 0x20u < 0x0E   ? 0x80 + b % 0x20u
                       : b % 0x20u < 0x1F ? 0x90 + b % 0x20u - 0x0E
                                          : 0xFF});
        break;
    default:
        // A low surrogate with no high one before it.
        AppendUnit(bytes, encoding, 0xDC00 + (b << 2));
        break;
    }
    return bytes;
}

// Whole characters, undecodable bytes and NULs from the input; the last character is whole
// and its start is kept. The same text is made once with its NULs and once without.
struct MadeText {
    Bytes withNuls;
    Bytes withoutNuls;
    int nuls = 0;
    std::size_t lastStart = 0;
};

MadeText MakeText(Encoding encoding, std::span<const std::uint8_t> program) {
    InputReader input(program);
    MadeText text;
    // The last character comes first in the input, where the fuzzer finds it easily.
    const Bytes last = WholeCharacter(encoding, input);
    auto add = [&text](const Bytes& bytes) {
        text.withNuls.insert(text.withNuls.end(), bytes.begin(), bytes.end());
        text.withoutNuls.insert(text.withoutNuls.end(), bytes.begin(), bytes.end());
    };
    while (!input.Empty()) {
        const std::uint8_t what = input.Byte();
        if (what % 8 == 6) {
            text.withNuls.insert(text.withNuls.end(), NulSize(encoding), 0);
            ++text.nuls;
        } else if (what % 8 == 7) {
            add(Undecodable(encoding, input));
        } else {
            add(WholeCharacter(encoding, input));
        }
    }
    text.lastStart = text.withoutNuls.size();
    add(last);
    return text;
}

void CheckMadeText(Encoding encoding, std::span<const std::uint8_t> program) {
    const MadeText text = MakeText(encoding, program);
    const TextScore with = Read(encoding, text.withNuls);
    const TextScore without = Read(encoding, text.withoutNuls);
    CheckCounts(with);
    CheckCounts(without);
    Check(with.Cost() == without.Cost());
    Check(SameCounts(with, without));
    Check(with.Nuls() == without.Nuls() + text.nuls);

    const std::span<const std::uint8_t> whole(text.withoutNuls);
    const TextScore before = Read(encoding, whole.first(text.lastStart));
    for (std::size_t end = text.lastStart + 1; end < whole.size(); ++end) {
        const TextScore cut = Read(encoding, whole.first(end));
        CheckCounts(cut);
        Check(cut.Cost() <= without.Cost() + kCutCharacterCost);
        Check(cut.Cost() >= before.Cost());
        Check(cut.BadChars() == before.BadChars());
        Check(cut.Count(CharClass::Bad) == before.Count(CharClass::Bad));
    }
}

ModelChar PickModelChar(InputReader& input) {
    const std::uint8_t kind = input.Byte();
    switch (kind % 4) {
    case 0:
        return nerula::text_model::ModelCodePoint(input.Uint32() & 0xFFFFFF);
    case 1: {
        const int row = 1 + input.Byte() % 120;
        const int cell = 1 + input.Byte() % 94;
        return nerula::text_model::ModelJis(row, cell, nerula::text_model::JisVariant::Cp932);
    }
    case 2: {
        const int row = 1 + input.Byte() % 94;
        const int cell = 1 + input.Byte() % 94;
        return nerula::text_model::ModelJis(row, cell, nerula::text_model::JisVariant::EucJp);
    }
    default: {
        const int row = 1 + input.Byte() % 94;
        const int cell = 1 + input.Byte() % 94;
        return nerula::text_model::ModelJisX0212(row, cell);
    }
    }
}

// The score driven directly, one step at a time.
void CheckScoreSteps(std::span<const std::uint8_t> program) {
    InputReader input(program);
    TextScore score;
    while (!input.Empty()) {
        const TextScore before = score;
        const std::uint8_t step = input.Byte();
        const ModelChar c = PickModelChar(input);
        Check(static_cast<int>(c.cls) < kClassCount);
        const std::uint32_t cost = score.CostOf(c);
        switch (step % 4) {
        case 0:
            score.Add(c);
            Check(score.Cost() == before.Cost() + cost);
            Check(score.Chars() == before.Chars() + 1);
            Check(score.BadChars() == before.BadChars() + (c.cls == CharClass::Bad ? 1 : 0));
            for (int cls = 0; cls < kClassCount; ++cls) {
                Check(score.Count(static_cast<CharClass>(cls)) ==
                      before.Count(static_cast<CharClass>(cls)) + (cls == static_cast<int>(c.cls) ? 1 : 0));
            }
            Check(score.Nuls() == before.Nuls());
            break;
        case 1:
            score.AddInvalid();
            Check(score.Cost() >= before.Cost());
            Check(score.Chars() == before.Chars() + 1);
            Check(score.BadChars() == before.BadChars() + 1);
            Check(score.Count(CharClass::Bad) == before.Count(CharClass::Bad));
            break;
        case 2: {
            // NULs cost nothing and leave the next character's cost as it was.
            const int count = input.Byte() % 4;
            score.AddNuls(count);
            Check(score.Cost() == before.Cost());
            Check(SameCounts(score, before));
            Check(score.Nuls() == before.Nuls() + count);
            Check(score.CostOf(c) == cost);
            break;
        }
        default:
            score.AddTruncatedTail(cost);
            Check(score.Cost() == before.Cost() + cost + kCutCharacterCost);
            break;
        }
        CheckCounts(score);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CheckAnyBytes(bytes);
    for (const Encoding encoding : kEncodings) {
        CheckMadeText(encoding, bytes);
    }
    CheckScoreSteps(bytes);
    return 0;
}
