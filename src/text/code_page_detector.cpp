#include "text/code_page_detector.h"

#include "text/encoding_readings.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string_view>
#include <vector>

namespace nerula {
namespace {

using text_model::CharClass;
using text_model::TextScore;

// How many bytes are read first, and how much cheaper (in sixteenths of a bit) their best
// reading must be than every other to decide without the rest of the window. An even size
// keeps UTF-16 units whole.
constexpr std::size_t kFirstLook = 4 * 1024;
constexpr std::int64_t kClearLead = 256 * 16;

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

// Which byte order the NULs of a window point to. UTF-16 text with any Latin letters,
// digits, spaces or line breaks in it has a NUL beside each of them, always on the same
// side of its unit; NULs anywhere else (a stray one, a padded end) are no sign of UTF-16.
enum class NulPattern { None, Utf16Le, Utf16Be };

NulPattern FindNulPattern(std::span<const std::uint8_t> window) {
    // Units with a NUL in only one of their bytes: a character below U+0100 in UTF-16LE
    // (NUL second) or UTF-16BE (NUL first).
    std::size_t nulSecond = 0;
    std::size_t nulFirst = 0;
    for (std::size_t i = 0; i + 1 < window.size(); i += 2) {
        if ((window[i] == 0) != (window[i + 1] == 0)) {
            ++(window[i] == 0 ? nulFirst : nulSecond);
        }
    }
    // At least two such units, one in sixteen of all, and four times as many on one side as
    // on the other: Japanese UTF-16 has some the other way round (U+3000, U+4E00, ...).
    auto dominates = [&](std::size_t one, std::size_t other) {
        return one >= 2 && one * 16 >= window.size() / 2 && other * 4 <= one;
    };
    if (dominates(nulSecond, nulFirst)) {
        return NulPattern::Utf16Le;
    }
    if (dominates(nulFirst, nulSecond)) {
        return NulPattern::Utf16Be;
    }
    return NulPattern::None;
}

struct WindowFacts {
    bool hasHighBytes = false;
    bool hasJisEscape = false;
    // An escape's first bytes end the input: a text cut inside one.
    bool endsInJisEscape = false;
    NulPattern nuls = NulPattern::None;
};

WindowFacts Survey(std::span<const std::uint8_t> window, bool endsInput) {
    WindowFacts facts;
    for (std::size_t i = 0; i < window.size(); ++i) {
        const std::uint8_t b = window[i];
        if (b >= 0x80) {
            facts.hasHighBytes = true;
        } else if (b == kEsc && !facts.hasJisEscape) {
            const Escape escape = JisEscapeAt(window, i);
            facts.hasJisEscape = escape == Escape::Whole;
            facts.endsInJisEscape = escape == Escape::CutOff && endsInput;
        }
    }
    facts.nuls = FindNulPattern(window);
    return facts;
}

// Whether a window of 7-bit bytes says anything: escapes of iso-2022-jp, or NULs in the
// pattern of UTF-16.
bool SaysSomething(const WindowFacts& facts) {
    return facts.hasHighBytes || facts.hasJisEscape || facts.nuls != NulPattern::None;
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

// What each NUL costs a reading where the NULs stand in the pattern of UTF-16: there they
// tell UTF-16 from the other readings, which show them as characters no text has.
// Elsewhere they cost nothing: a stray NUL or a padded end says nothing about the text.
constexpr std::int64_t kPatternNulCost = 32 * 16;

// What a window's readings decide: the code page, and by how much the chosen reading is
// cheaper than every other one, text or not (0 when nothing was chosen).
struct Choice {
    int codePage = kCodePageUnknown;
    std::int64_t lead = 0;
};

// The cheapest reading that is text; earlier candidates win ties.
Choice Cheapest(std::span<const Candidate> candidates, std::int64_t nulCost) {
    auto cost = [nulCost](const Candidate& c) {
        return c.score.Cost() + Prior(c.codePage) + c.score.Nuls() * nulCost;
    };
    const Candidate* best = nullptr;
    for (const Candidate& c : candidates) {
        if (IsText(c) && (best == nullptr || cost(c) < cost(*best))) {
            best = &c;
        }
    }
    if (best == nullptr) {
        return {};
    }
    Choice choice{best->codePage, std::numeric_limits<std::int64_t>::max()};
    for (const Candidate& c : candidates) {
        if (&c != best) {
            choice.lead = std::min(choice.lead, cost(c) - cost(*best));
        }
    }
    return choice;
}

// The readings that take a byte below 0x80 for an ASCII character see the window without
// its NULs, so that a NUL, even one inside a character, leaves the characters around it
// whole; the reading still counts them. Most texts have none and are not copied.
class WithoutNuls {
public:
    explicit WithoutNuls(std::span<const std::uint8_t> window) : bytes_(window) {
        const auto nuls = std::count(window.begin(), window.end(), std::uint8_t{0});
        if (nuls > 0) {
            copy_.reserve(window.size() - static_cast<std::size_t>(nuls));
            std::copy_if(window.begin(), window.end(), std::back_inserter(copy_),
                         [](std::uint8_t b) { return b != 0; });
            bytes_ = copy_;
            nuls_ = static_cast<int>(nuls);
        }
    }

    TextScore Read(TextScore (*reading)(std::span<const std::uint8_t>)) const {
        TextScore score = reading(bytes_);
        score.AddNuls(nuls_);
        return score;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::vector<std::uint8_t> copy_;
    int nuls_ = 0;
};

// `utf16` is false when the window cannot be UTF-16: the file has an odd number of bytes,
// or the window starts after a head of ASCII.
Choice DetectInWindow(std::span<const std::uint8_t> window, const WindowFacts& facts, bool utf16) {
    const std::int64_t nulCost = facts.nuls != NulPattern::None ? kPatternNulCost : 0;
    const WithoutNuls singleBytes(window);
    if (!facts.hasHighBytes) {
        // Reading 7-bit bytes as UTF-16 without a byte-order mark needs the NULs that its
        // Latin characters bring: "j0" or "x0y0" would read as Japanese in UTF-16 too.
        // Lacking them, 7-bit text is ASCII, or iso-2022-jp when it has its escapes.
        if (!utf16 || facts.nuls == NulPattern::None) {
            return {facts.hasJisEscape || facts.endsInJisEscape ? kCodePageIso2022Jp : kCodePageUnknown, 0};
        }
        const bool bigEndian = facts.nuls == NulPattern::Utf16Be;
        const std::array<Candidate, 2> candidates = {{
            {kCodePageUnknown, singleBytes.Read(text_model::ReadUtf8)},
            {bigEndian ? kCodePageUtf16Be : kCodePageUtf16Le, text_model::ReadUtf16(window, bigEndian)},
        }};
        return Cheapest(candidates, nulCost);
    }
    std::array<Candidate, 5> candidates = {{
        {kCodePageUtf8, singleBytes.Read(text_model::ReadUtf8)},
        {kCodePageShiftJis, singleBytes.Read(text_model::ReadCp932)},
        {kCodePageEucJp, singleBytes.Read(text_model::ReadEucJp)},
    }};
    std::size_t count = 3;
    if (utf16) {
        candidates[count++] = {kCodePageUtf16Le, text_model::ReadUtf16(window, false)};
        candidates[count++] = {kCodePageUtf16Be, text_model::ReadUtf16(window, true)};
    }
    return Cheapest(std::span<const Candidate>(candidates.data(), count), nulCost);
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
    // UTF-16 comes in whole units.
    bool utf16 = bytes.size() % 2 == 0;
    std::span<const std::uint8_t> window = bytes.first(std::min(bytes.size(), kCodePageDetectionWindow));
    WindowFacts facts = Survey(window, window.size() == bytes.size());
    if (!SaysSomething(facts) && window.size() < bytes.size()) {
        // A long ASCII head (a licence, a log's first hours) says nothing about the rest:
        // judge the text from its first byte that is not plain ASCII, if one comes soon
        // enough. All bytes before it are ASCII, so a character starts there, and the text
        // is no UTF-16, which would have shown its NULs.
        const std::span<const std::uint8_t> searched = bytes.first(std::min(bytes.size(), kAsciiLookAhead));
        const std::size_t start = FindNonAscii(searched, window.size());
        if (start == searched.size()) {
            return kCodePageUnknown;
        }
        window = bytes.subspan(start, std::min(bytes.size() - start, kCodePageDetectionWindow));
        facts = Survey(window, start + window.size() == bytes.size());
        utf16 = false;
    }
    if (window.empty()) {
        return kCodePageUnknown;
    }
    if (window.size() > kFirstLook) {
        // Most texts tell their encoding long before the end of the window: when one
        // reading of the first bytes is far cheaper than every other, the rest would not
        // turn it. Close calls (Shift-JIS against EUC-JP in half-width katakana, say) read on.
        const std::span<const std::uint8_t> first = window.first(kFirstLook);
        const Choice early = DetectInWindow(first, Survey(first, false), utf16);
        if (early.lead >= kClearLead) {
            return early.codePage;
        }
    }
    return DetectInWindow(window, facts, utf16).codePage;
}

} // namespace nerula
