#include "text/code_page_detector.h"

#include "text/encoding_readings.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace nerula {
namespace {

using text_model::CharClass;
using text_model::TextScore;

// How far a text that starts with plain ASCII is searched for its first other byte.
constexpr std::size_t kAsciiLookAhead = 1024 * 1024;

constexpr std::uint8_t kEsc = 0x1B;

// The offset of the first byte from `from` on that is not 7-bit or is ESC, or bytes.size().
// Eight bytes at a time: the search may cover a megabyte.
std::size_t FindNonAscii(std::span<const std::uint8_t> bytes, std::size_t from) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    std::size_t i = from;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        const std::uint64_t esc = word ^ (kOnes * kEsc); // a zero byte where ESC was
        if (((word | ((esc - kOnes) & ~esc)) & kHighBits) != 0) {
            break;
        }
    }
    for (; i < bytes.size(); ++i) {
        if (bytes[i] >= 0x80 || bytes[i] == kEsc) {
            return i;
        }
    }
    return bytes.size();
}

// The designations an iso-2022-jp text uses, each after ESC.
constexpr std::array<std::string_view, 6> kJisEscapes = {"$B", "$@", "(J", "(I", "$(D", "(B"};

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

enum class Escape { None, Whole, CutOff };

// Whether an escape sequence of iso-2022-jp starts at the ESC at bytes[at], whole or cut off
// by the end of the bytes.
Escape JisEscapeAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    const std::span<const std::uint8_t> rest = bytes.subspan(at + 1);
    Escape found = Escape::None;
    for (const std::string_view escape : kJisEscapes) {
        const std::size_t n = std::min(rest.size(), escape.size());
        if (std::equal(escape.begin(), escape.begin() + static_cast<std::ptrdiff_t>(n), rest.begin())) {
            if (n == escape.size()) {
                return Escape::Whole;
            }
            found = Escape::CutOff;
        }
    }
    return found;
}

struct WindowFacts {
    bool hasHighBytes = false;
    bool hasNul = false;
    bool hasJisEscape = false;
    // An escape's first bytes end the input: a text cut inside one.
    bool endsInJisEscape = false;
};

WindowFacts Survey(std::span<const std::uint8_t> window, bool endsInput) {
    WindowFacts facts;
    for (std::size_t i = 0; i < window.size(); ++i) {
        const std::uint8_t b = window[i];
        if (b >= 0x80) {
            facts.hasHighBytes = true;
        } else if (b == 0) {
            facts.hasNul = true;
        } else if (b == kEsc && !facts.hasJisEscape) {
            const Escape escape = JisEscapeAt(window, i);
            facts.hasJisEscape = escape == Escape::Whole;
            facts.endsInJisEscape = escape == Escape::CutOff && endsInput;
        }
    }
    return facts;
}

struct Candidate {
    int codePage;
    TextScore score;
};

// How much less common files in each encoding are than UTF-8 ones, in sixteenths of a bit:
// where two readings come out close, the more common encoding is the better bet.
// UTF-16 without a byte-order mark is the rarest.
std::int64_t Prior(int codePage) {
    switch (codePage) {
    case kCodePageShiftJis:
        return 1 * 16;
    case kCodePageEucJp:
        return 3 * 16;
    case kCodePageUtf16Le:
    case kCodePageUtf16Be:
        return 10 * 16;
    default:
        return 0;
    }
}

// Whether a reading is text at all: a long one may hold a few stray bytes, a short one none.
// Japanese text is made of few kinds of characters, and bytes that are no text read as many
// rare ones; but strict UTF-8 is evidence enough in itself, whatever the language.
bool IsText(const Candidate& c) {
    const TextScore& s = c.score;
    if (s.Chars() == 0 || s.BadChars() > s.Chars() / 100) {
        return false;
    }
    return (c.codePage == kCodePageUtf8 && s.BadChars() == 0) || s.Count(CharClass::Rare) * 4 <= s.Chars();
}

// The cheapest reading that is text; earlier candidates win ties.
int Cheapest(std::span<const Candidate> candidates) {
    const Candidate* best = nullptr;
    std::int64_t bestCost = 0;
    for (const Candidate& c : candidates) {
        const std::int64_t cost = c.score.Cost() + Prior(c.codePage);
        if (IsText(c) && (best == nullptr || cost < bestCost)) {
            best = &c;
            bestCost = cost;
        }
    }
    return best != nullptr ? best->codePage : kCodePageUnknown;
}

int DetectInWindow(std::span<const std::uint8_t> window, const WindowFacts& facts) {
    if (!facts.hasHighBytes) {
        if (facts.hasJisEscape && !facts.hasNul) {
            return kCodePageIso2022Jp;
        }
        // 7-bit bytes are ASCII, unless they pair up into UTF-16: ASCII text with NULs
        // between, or Japanese whose both bytes lie below 0x80 (much of the hiragana).
        const std::array<Candidate, 3> candidates = {{
            {kCodePageUnknown, text_model::ReadUtf8(window)},
            {kCodePageUtf16Le, text_model::ReadUtf16(window, false)},
            {kCodePageUtf16Be, text_model::ReadUtf16(window, true)},
        }};
        const int codePage = Cheapest(candidates);
        // ASCII cut inside an escape sequence: only iso-2022-jp leaves those bytes out.
        return codePage == kCodePageUnknown && facts.endsInJisEscape ? kCodePageIso2022Jp : codePage;
    }
    const std::array<Candidate, 5> candidates = {{
        {kCodePageUtf8, text_model::ReadUtf8(window)},
        {kCodePageShiftJis, text_model::ReadCp932(window)},
        {kCodePageEucJp, text_model::ReadEucJp(window)},
        {kCodePageUtf16Le, text_model::ReadUtf16(window, false)},
        {kCodePageUtf16Be, text_model::ReadUtf16(window, true)},
    }};
    return Cheapest(candidates);
}

} // namespace

int DetectCodePage(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        return kCodePageUtf8;
    }
    if (StartsWith(bytes, {0xFF, 0xFE})) {
        return kCodePageUtf16Le;
    }
    if (StartsWith(bytes, {0xFE, 0xFF})) {
        return kCodePageUtf16Be;
    }
    std::span<const std::uint8_t> window = bytes.first(std::min(bytes.size(), kCodePageDetectionWindow));
    WindowFacts facts = Survey(window, window.size() == bytes.size());
    if (!facts.hasHighBytes && !facts.hasNul && !facts.hasJisEscape && window.size() < bytes.size()) {
        // A long ASCII head (a licence, a log's first hours) says nothing about the rest:
        // judge the text from its first byte that is not plain ASCII, if one comes soon
        // enough. All bytes before it are ASCII, so a character starts there.
        const std::span<const std::uint8_t> searched = bytes.first(std::min(bytes.size(), kAsciiLookAhead));
        const std::size_t start = FindNonAscii(searched, window.size());
        if (start == searched.size()) {
            return kCodePageUnknown;
        }
        window = bytes.subspan(start, std::min(bytes.size() - start, kCodePageDetectionWindow));
        facts = Survey(window, start + window.size() == bytes.size());
    }
    if (window.empty()) {
        return kCodePageUnknown;
    }
    return DetectInWindow(window, facts);
}

} // namespace nerula
