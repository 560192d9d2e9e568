// Nerula's own regular-expression engine: the object's pattern language is rewritten into
// Boost.Regex's Perl syntax, with every construct whose meaning differs between the two
// spelled out (".", "^", "$", back references, character escapes), and run over the UTF-16
// units themselves with a traits class of this file's own, so that word characters, white
// space and case folding are the same on every platform and in every locale.

#include "search/builtin_regexp.h"

#include "common/integer_text.h"
#include "common/text_format.h"
#include "search/regexp_error.h"

// Header-only, with no Windows-specific traits (they would bring in <windows.h>).
#define BOOST_REGEX_NO_LIB
#define BOOST_REGEX_NO_W32
#include <boost/regex.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <utility>

namespace nerula {
namespace {

// The simple lowercase mappings of the Basic Multilingual Plane, as runs: every unit from
// first to last, stepping by step, maps to itself plus delta. A non-ASCII letter whose lower
// case is ASCII (the Kelvin sign) is left out, and so is U+0130, whose lower case is two
// characters.
struct CaseRun {
    char16_t first;
    char16_t last;
    std::int32_t delta;
    std::uint8_t step;
};

// clang-format off
constexpr CaseRun kLowercaseRuns[] = {
    {0x0041, 0x005A, 32, 1}, {0x00C0, 0x00D6, 32, 1}, {0x00D8, 0x00DE, 32, 1}, {0x0100, 0x012E, 1, 2},
    {0x0132, 0x0136, 1, 2}, {0x0139, 0x0147, 1, 2}, {0x014A, 0x0176, 1, 2}, {0x0178, 0x0178, -121, 1},
    {0x0179, 0x017D, 1, 2}, {0x0181, 0x0181, 210, 1}, {0x0182, 0x0184, 1, 2}, {0x0186, 0x0186, 206, 1},
    {0x0187, 0x0187, 1, 1}, {0x0189, 0x018A, 205, 1}, {0x018B, 0x018B, 1, 1}, {0x018E, 0x018E, 79, 1},
    {0x018F, 0x018F, 202, 1}, {0x0190, 0x0190, 203, 1}, {0x0191, 0x0191, 1, 1}, {0x0193, 0x0193, 205, 1},
    {0x0194, 0x0194, 207, 1}, {0x0196, 0x0196, 211, 1}, {0x0197, 0x0197, 209, 1}, {0x0198, 0x0198, 1, 1},
    {0x019C, 0x019C, 211, 1}, {0x019D, 0x019D, 213, 1}, {0x019F, 0x019F, 214, 1}, {0x01A0, 0x01A4, 1, 2},
    {0x01A6, 0x01A6, 218, 1}, {0x01A7, 0x01A7, 1, 1}, {0x01A9, 0x01A9, 218, 1}, {0x01AC, 0x01AC, 1, 1},
    {0x01AE, 0x01AE, 218, 1}, {0x01AF, 0x01AF, 1, 1}, {0x01B1, 0x01B2, 217, 1}, {0x01B3, 0x01B5, 1, 2},
    {0x01B7, 0x01B7, 219, 1}, {0x01B8, 0x01B8, 1, 1}, {0x01BC, 0x01BC, 1, 1}, {0x01C4, 0x01C4, 2, 1},
    {0x01C5, 0x01C5, 1, 1}, {0x01C7, 0x01C7, 2, 1}, {0x01C8, 0x01C8, 1, 1}, {0x01CA, 0x01CA, 2, 1},
    {0x01CB, 0x01DB, 1, 2}, {0x01DE, 0x01EE, 1, 2}, {0x01F1, 0x01F1, 2, 1}, {0x01F2, 0x01F4, 1, 2},
    {0x01F6, 0x01F6, -97, 1}, {0x01F7, 0x01F7, -56, 1}, {0x01F8, 0x021E, 1, 2}, {0x0220, 0x0220, -130, 1},
    {0x0222, 0x0232, 1, 2}, {0x023A, 0x023A, 10795, 1}, {0x023B, 0x023B, 1, 1}, {0x023D, 0x023D, -163, 1},
    {0x023E, 0x023E, 10792, 1}, {0x0241, 0x0241, 1, 1}, {0x0243, 0x0243, -195, 1}, {0x0244, 0x0244, 69, 1},
    {0x0245, 0x0245, 71, 1}, {0x0246, 0x024E, 1, 2}, {0x0370, 0x0372, 1, 2}, {0x0376, 0x0376, 1, 1},
    {0x037F, 0x037F, 116, 1}, {0x0386, 0x0386, 38, 1}, {0x0388, 0x038A, 37, 1}, {0x038C, 0x038C, 64, 1},
    {0x038E, 0x038F, 63, 1}, {0x0391, 0x03A1, 32, 1}, {0x03A3, 0x03AB, 32, 1}, {0x03CF, 0x03CF, 8, 1},
    {0x03D8, 0x03EE, 1, 2}, {0x03F4, 0x03F4, -60, 1}, {0x03F7, 0x03F7, 1, 1}, {0x03F9, 0x03F9, -7, 1},
    {0x03FA, 0x03FA, 1, 1}, {0x03FD, 0x03FF, -130, 1}, {0x0400, 0x040F, 80, 1}, {0x0410, 0x042F, 32, 1},
    {0x0460, 0x0480, 1, 2}, {0x048A, 0x04BE, 1, 2}, {0x04C0, 0x04C0, 15, 1}, {0x04C1, 0x04CD, 1, 2},
    {0x04D0, 0x052E, 1, 2}, {0x0531, 0x0556, 48, 1}, {0x10A0, 0x10C5, 7264, 1}, {0x10C7, 0x10C7, 7264, 1},
    {0x10CD, 0x10CD, 7264, 1}, {0x13A0, 0x13EF, 38864, 1}, {0x13F0, 0x13F5, 8, 1},
    {0x1C90, 0x1CBA, -3008, 1}, {0x1CBD, 0x1CBF, -3008, 1}, {0x1E00, 0x1E94, 1, 2},
    {0x1E9E, 0x1E9E, -7615, 1}, {0x1EA0, 0x1EFE, 1, 2}, {0x1F08, 0x1F0F, -8, 1}, {0x1F18, 0x1F1D, -8, 1},
    {0x1F28, 0x1F2F, -8, 1}, {0x1F38, 0x1F3F, -8, 1}, {0x1F48, 0x1F4D, -8, 1}, {0x1F59, 0x1F5F, -8, 2},
    {0x1F68, 0x1F6F, -8, 1}, {0x1F88, 0x1F8F, -8, 1}, {0x1F98, 0x1F9F, -8, 1}, {0x1FA8, 0x1FAF, -8, 1},
    {0x1FB8, 0x1FB9, -8, 1}, {0x1FBA, 0x1FBB, -74, 1}, {0x1FBC, 0x1FBC, -9, 1}, {0x1FC8, 0x1FCB, -86, 1},
    {0x1FCC, 0x1FCC, -9, 1}, {0x1FD8, 0x1FD9, -8, 1}, {0x1FDA, 0x1FDB, -100, 1}, {0x1FE8, 0x1FE9, -8, 1},
    {0x1FEA, 0x1FEB, -112, 1}, {0x1FEC, 0x1FEC, -7, 1}, {0x1FF8, 0x1FF9, -128, 1},
    {0x1FFA, 0x1FFB, -126, 1}, {0x1FFC, 0x1FFC, -9, 1}, {0x2126, 0x2126, -7517, 1},
    {0x212B, 0x212B, -8262, 1}, {0x2132, 0x2132, 28, 1}, {0x2160, 0x216F, 16, 1}, {0x2183, 0x2183, 1, 1},
    {0x24B6, 0x24CF, 26, 1}, {0x2C00, 0x2C2F, 48, 1}, {0x2C60, 0x2C60, 1, 1}, {0x2C62, 0x2C62, -10743, 1},
    {0x2C63, 0x2C63, -3814, 1}, {0x2C64, 0x2C64, -10727, 1}, {0x2C67, 0x2C6B, 1, 2},
    {0x2C6D, 0x2C6D, -10780, 1}, {0x2C6E, 0x2C6E, -10749, 1}, {0x2C6F, 0x2C6F, -10783, 1},
    {0x2C70, 0x2C70, -10782, 1}, {0x2C72, 0x2C72, 1, 1}, {0x2C75, 0x2C75, 1, 1},
    {0x2C7E, 0x2C7F, -10815, 1}, {0x2C80, 0x2CE2, 1, 2}, {0x2CEB, 0x2CED, 1, 2}, {0x2CF2, 0x2CF2, 1, 1},
    {0xA640, 0xA66C, 1, 2}, {0xA680, 0xA69A, 1, 2}, {0xA722, 0xA72E, 1, 2}, {0xA732, 0xA76E, 1, 2},
    {0xA779, 0xA77B, 1, 2}, {0xA77D, 0xA77D, -35332, 1}, {0xA77E, 0xA786, 1, 2}, {0xA78B, 0xA78B, 1, 1},
    {0xA78D, 0xA78D, -42280, 1}, {0xA790, 0xA792, 1, 2}, {0xA796, 0xA7A8, 1, 2},
    {0xA7AA, 0xA7AA, -42308, 1}, {0xA7AB, 0xA7AB, -42319, 1}, {0xA7AC, 0xA7AC, -42315, 1},
    {0xA7AD, 0xA7AD, -42305, 1}, {0xA7AE, 0xA7AE, -42308, 1}, {0xA7B0, 0xA7B0, -42258, 1},
    {0xA7B1, 0xA7B1, -42282, 1}, {0xA7B2, 0xA7B2, -42261, 1}, {0xA7B3, 0xA7B3, 928, 1},
    {0xA7B4, 0xA7C2, 1, 2}, {0xA7C4, 0xA7C4, -48, 1}, {0xA7C5, 0xA7C5, -42307, 1},
    {0xA7C6, 0xA7C6, -35384, 1}, {0xA7C7, 0xA7C9, 1, 2}, {0xA7D0, 0xA7D0, 1, 1}, {0xA7D6, 0xA7D8, 1, 2},
    {0xA7F5, 0xA7F5, 1, 1}, {0xFF21, 0xFF3A, 32, 1},
};
// clang-format on

char16_t Lowercase(char16_t c) {
    if (c < 0x80) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
    }
    const auto* const after =
        std::upper_bound(std::begin(kLowercaseRuns), std::end(kLowercaseRuns), c,
                         [](char16_t unit, const CaseRun& run) { return unit < run.first; });
    if (after == std::begin(kLowercaseRuns)) {
        return c;
    }
    const CaseRun& run = *(after - 1);
    if (c > run.last || (c - run.first) % run.step != 0) {
        return c;
    }
    return static_cast<char16_t>(c + run.delta);
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Boost.Regex's traits for UTF-16 units. Only the classes that the rewritten pattern names
// ("w", "d", "s") and the ones Boost asks for itself are known.
class Utf16Traits {
public:
    using char_type = char16_t;
    using size_type = std::size_t;
    using string_type = std::u16string;
    struct locale_type {};
    using char_class_type = std::uint32_t;

    static constexpr char_class_type kWord = 1;
    static constexpr char_class_type kDigit = 2;
    static constexpr char_class_type kSpace = 4;
    static constexpr char_class_type kLower = 8;
    static constexpr char_class_type kUpper = 16;
    static constexpr char_class_type kAlpha = 32;

    static size_type length(const char_type* p) { return std::char_traits<char16_t>::length(p); }
    char_type translate(char_type c) const { return c; }
    char_type translate_nocase(char_type c) const { return Lowercase(c); }
    string_type transform(const char_type* p1, const char_type* p2) const { return string_type(p1, p2); }
    string_type transform_primary(const char_type* p1, const char_type* p2) const {
        string_type folded(p1, p2);
        for (char16_t& c : folded) {
            c = Lowercase(c);
        }
        return folded;
    }
    char_class_type lookup_classname(const char_type* p1, const char_type* p2) const {
        std::u16string name(p1, p2);
        for (char16_t& c : name) {
            c = AsciiLower(c);
        }
        if (name == u"w") {
            return kWord;
        }
        if (name == u"d") {
            return kDigit;
        }
        if (name == u"s") {
            return kSpace;
        }
        if (name == u"lower") {
            return kLower;
        }
        if (name == u"upper") {
            return kUpper;
        }
        if (name == u"alpha") {
            return kAlpha;
        }
        return 0;
    }
    string_type lookup_collatename(const char_type* p1, const char_type* p2) const {
        return p2 - p1 == 1 ? string_type(p1, p2) : string_type();
    }
    bool isctype(char_type c, char_class_type mask) const {
        return ((mask & kWord) != 0 && (IsAsciiLetter(c) || IsDigit(c) || c == u'_')) ||
               ((mask & kDigit) != 0 && IsDigit(c)) ||
               ((mask & kSpace) != 0 && (c == u' ' || (c >= u'\t' && c <= u'\r'))) ||
               ((mask & kLower) != 0 && c >= u'a' && c <= u'z') ||
               ((mask & kUpper) != 0 && c >= u'A' && c <= u'Z') || ((mask & kAlpha) != 0 && IsAsciiLetter(c));
    }
    int value(char_type c, int radix) const { return DigitValue(c, radix); }
    locale_type imbue(locale_type locale) { return locale; }
    locale_type getloc() const { return {}; }
};

using Regex = boost::basic_regex<char16_t, Utf16Traits>;
using Results = boost::match_results<const char16_t*>;

const std::u16string kInvalid = u"正規表現が不正です: ";
const std::u16string kTooComplex = u"正規表現が複雑すぎて検索を終えられません";

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

[[noreturn]] void ThrowInvalid(std::u16string_view problem, std::size_t position) {
    throw ERegexpException(kInvalid + std::u16string(problem) + u" (" + Ascii(std::to_string(position + 1)) +
                           u" 文字目)");
}

std::u16string_view Problem(boost::regex_constants::error_type code) {
    namespace rc = boost::regex_constants;
    switch (code) {
    case rc::error_escape:
        return u"\\ の使い方が不正です";
    case rc::error_backref:
        return u"後方参照が不正です";
    case rc::error_brack:
        return u"[ ] が対応していません";
    case rc::error_paren:
        return u"かっこが対応していません";
    case rc::error_brace:
    case rc::error_badbrace:
        return u"{ } の回数が不正です";
    case rc::error_range:
        return u"文字の範囲が不正です";
    case rc::error_badrepeat:
        return u"繰り返す対象がありません";
    default:
        return u"書き方が不正です";
    }
}

// The pattern for Boost, with the place in the user's pattern that each of its units came
// from, so that Boost's complaints point into what the user wrote.
struct Translation {
    std::u16string pattern;
    std::vector<std::size_t> origin;
    std::int32_t groups = 0;
};

class Translator {
public:
    Translator(std::u16string_view source, bool multiLine) : source_(source), multiLine_(multiLine) {}

    Translation Run() {
        out_.groups = CountGroups();
        std::vector<std::size_t> open;
        bool canRepeat = false;
        std::size_t i = 0;
        while (i < source_.size()) {
            const char16_t c = source_[i];
            const std::size_t from = i;
            switch (c) {
            case u'\\':
                canRepeat = Escape(i);
                continue;
            case u'.':
                Emit(u"[^\\x{A}\\x{D}]", from);
                canRepeat = true;
                break;
            case u'^':
                Emit(multiLine_ ? u"(?:\\A|(?<=[\\x{A}\\x{D}]))" : u"\\A", from);
                canRepeat = false;
                break;
            case u'$':
                Emit(multiLine_ ? u"(?:\\z|(?=[\\x{A}\\x{D}]))" : u"\\z", from);
                canRepeat = false;
                break;
            case u'|':
                Emit(u"|", from);
                canRepeat = false;
                break;
            case u'(':
                if (At(i + 1) == u'?') {
                    const char16_t kind = At(i + 2);
                    if (kind != u':' && kind != u'=' && kind != u'!') {
                        ThrowInvalid(u"(? の後ろが不正です", from);
                    }
                    Emit(source_.substr(i, 3), from);
                    i += 2;
                } else {
                    Emit(u"(", from);
                }
                open.push_back(from);
                canRepeat = false;
                break;
            case u')':
                if (open.empty()) {
                    ThrowInvalid(u") に対応する ( がありません", from);
                }
                open.pop_back();
                Emit(u")", from);
                canRepeat = true;
                break;
            case u'*':
            case u'+':
            case u'?':
                i = Quantifier(i, 1, canRepeat);
                canRepeat = false;
                continue;
            case u'{':
                if (const std::size_t length = CountLength(i); length != 0) {
                    i = Quantifier(i, length, canRepeat);
                    canRepeat = false;
                    continue;
                }
                Literal(c, from);
                canRepeat = true;
                break;
            case u'[':
                i = CharacterClass(i);
                canRepeat = true;
                continue;
            default:
                Literal(c, from);
                canRepeat = true;
                break;
            }
            ++i;
        }
        if (!open.empty()) {
            ThrowInvalid(u"( が閉じていません", open.back());
        }
        if (out_.pattern.empty()) {
            Emit(u"(?:)", 0);
        }
        return std::move(out_);
    }

private:
    char16_t At(std::size_t i) const { return i < source_.size() ? source_[i] : u'\0'; }

    void Emit(std::u16string_view piece, std::size_t from) {
        out_.pattern += piece;
        out_.origin.insert(out_.origin.end(), piece.size(), from);
    }

    // A unit that stands for itself, written so that Boost gives it no other meaning.
    void Literal(char16_t c, std::size_t from) {
        if (c >= 0x80 || IsAsciiLetter(c) || IsDigit(c)) {
            Emit(std::u16string_view(&c, 1), from);
            return;
        }
        EmitHex(c, from);
    }

    void EmitHex(char16_t c, std::size_t from) {
        static constexpr char16_t kHex[] = u"0123456789ABCDEF";
        std::u16string piece = u"\\x{";
        bool started = false;
        for (int shift = 12; shift >= 0; shift -= 4) {
            const unsigned digit = (static_cast<unsigned>(c) >> shift) & 0xF;
            if (digit != 0 || started || shift == 0) {
                piece += kHex[digit];
                started = true;
            }
        }
        piece += u'}';
        Emit(piece, from);
    }

    // The capturing groups, counted first, so that "\n" can tell a back reference from an
    // octal escape wherever in the pattern the group stands.
    std::int32_t CountGroups() const {
        std::int32_t groups = 0;
        bool inClass = false;
        for (std::size_t i = 0; i < source_.size(); ++i) {
            const char16_t c = source_[i];
            if (c == u'\\') {
                ++i;
            } else if (inClass) {
                inClass = c != u']';
            } else if (c == u'[') {
                inClass = true;
                if (At(i + 1) == u'^') {
                    ++i;
                }
                if (At(i + 1) == u']') {
                    ++i;
                    inClass = false;
                }
            } else if (c == u'(' && At(i + 1) != u'?') {
                ++groups;
            }
        }
        return groups;
    }

    // The length of "{n}", "{n,}" or "{n,m}" at i, or 0 when the brace stands for itself.
    std::size_t CountLength(std::size_t i) const {
        std::size_t j = i + 1;
        const auto digits = [&] {
            const std::size_t start = j;
            while (IsDigit(At(j))) {
                ++j;
            }
            return j - start;
        };
        if (digits() == 0) {
            return 0;
        }
        if (At(j) == u',') {
            ++j;
            digits();
        }
        return At(j) == u'}' ? j + 1 - i : 0;
    }

    std::size_t Quantifier(std::size_t i, std::size_t length, bool canRepeat) {
        if (!canRepeat) {
            ThrowInvalid(u"繰り返す対象がありません", i);
        }
        Emit(source_.substr(i, length), i);
        i += length;
        if (At(i) == u'?') { // the lazy form
            Emit(u"?", i);
            ++i;
        }
        const char16_t next = At(i);
        if (next == u'*' || next == u'+' || next == u'?' || (next == u'{' && CountLength(i) != 0)) {
            ThrowInvalid(u"繰り返す対象がありません", i);
        }
        return i;
    }

    // A character escape at i (the backslash), common to both sides of a class: the unit it
    // stands for and the index after it, or none when it is not one.
    std::optional<std::pair<char16_t, std::size_t>> CharacterEscape(std::size_t i, bool inClass) const {
        const char16_t c = At(i + 1);
        const auto hex = [&](std::size_t start, std::size_t count) -> std::optional<char16_t> {
            unsigned value = 0;
            for (std::size_t k = 0; k < count; ++k) {
                const int digit = Utf16Traits().value(At(start + k), 16);
                if (digit < 0) {
                    return std::nullopt;
                }
                value = value * 16 + static_cast<unsigned>(digit);
            }
            return static_cast<char16_t>(value);
        };
        switch (c) {
        case u'f':
            return std::pair{u'\f', i + 2};
        case u'n':
            return std::pair{u'\n', i + 2};
        case u'r':
            return std::pair{u'\r', i + 2};
        case u't':
            return std::pair{u'\t', i + 2};
        case u'v':
            return std::pair{u'\v', i + 2};
        case u'x':
            if (const auto unit = hex(i + 2, 2)) {
                return std::pair{*unit, i + 4};
            }
            return std::pair{u'x', i + 2};
        case u'u':
            if (const auto unit = hex(i + 2, 4)) {
                return std::pair{*unit, i + 6};
            }
            return std::pair{u'u', i + 2};
        case u'c':
            if (IsAsciiLetter(At(i + 2))) {
                return std::pair{static_cast<char16_t>(At(i + 2) % 32), i + 3};
            }
            return std::pair{u'\\', i + 1}; // "\c" without a letter is a backslash and a "c"
        case u'b':
            if (inClass) {
                return std::pair{u'\b', i + 2};
            }
            return std::nullopt;
        case u'd':
        case u'D':
        case u'w':
        case u'W':
        case u's':
        case u'S':
        case u'B':
            return std::nullopt;
        default:
            break;
        }
        if (c >= u'0' && c <= u'7') { // an octal escape, up to \377
            unsigned value = 0;
            std::size_t j = i + 1;
            while (j < i + 4 && At(j) >= u'0' && At(j) <= u'7' && value * 8 + (At(j) - u'0') <= 0377) {
                value = value * 8 + (At(j) - u'0');
                ++j;
            }
            return std::pair{static_cast<char16_t>(value), j};
        }
        return std::pair{c, i + 2}; // any other unit stands for itself
    }

    // An escape outside a class at i; says whether what it made may be repeated.
    bool Escape(std::size_t& i) {
        const std::size_t from = i;
        if (i + 1 >= source_.size()) {
            ThrowInvalid(u"パターンが \\ で終わっています", from);
        }
        const char16_t c = source_[i + 1];
        if (c >= u'1' && c <= u'9') {
            std::int32_t group = c - u'0';
            std::size_t next = i + 2;
            if (IsDigit(At(next)) && group * 10 + (At(next) - u'0') <= out_.groups) {
                group = group * 10 + (At(next) - u'0');
                ++next;
            }
            if (group <= out_.groups) {
                // A group that took no part matches the empty string, as a back reference
                // to it does in the object; in Boost it would fail.
                const std::u16string number = Ascii(std::to_string(group));
                Emit(u"(?(" + number + u")\\g{" + number + u"})", from);
                i = next;
                return true;
            }
        }
        if (c == u'b' || c == u'B') {
            Emit(source_.substr(i, 2), from);
            i += 2;
            return false;
        }
        if (const auto escape = CharacterEscape(i, false)) {
            Literal(escape->first, from);
            i = escape->second;
        } else { // a class: \d \D \w \W \s \S
            Emit(source_.substr(i, 2), from);
            i += 2;
        }
        return true;
    }

    // A class at i (its "["); returns the index after its "]".
    std::size_t CharacterClass(std::size_t i) {
        const std::size_t from = i;
        ++i;
        const bool negated = At(i) == u'^';
        if (negated) {
            ++i;
        }
        struct Item {
            std::size_t from;
            char16_t unit;
            bool isClass; // \d \D \w \W \s \S: unit is its letter
            bool isDash;  // an unescaped "-", which may join a range
        };
        std::vector<Item> items;
        while (true) {
            if (i >= source_.size()) {
                ThrowInvalid(u"[ が閉じていません", from);
            }
            const char16_t c = source_[i];
            if (c == u']') {
                ++i;
                break;
            }
            if (c == u'\\') {
                if (i + 1 >= source_.size()) {
                    ThrowInvalid(u"パターンが \\ で終わっています", i);
                }
                if (const auto escape = CharacterEscape(i, true)) {
                    items.push_back({i, escape->first, false, false});
                    i = escape->second;
                } else if (source_[i + 1] == u'B') {
                    items.push_back({i, u'B', false, false});
                    i += 2;
                } else {
                    items.push_back({i, source_[i + 1], true, false});
                    i += 2;
                }
                continue;
            }
            items.push_back({i, c, false, c == u'-'});
            ++i;
        }
        if (items.empty()) { // "[]" matches nothing, "[^]" any unit
            Emit(negated ? u"[\\x{0}-\\x{FFFF}]" : u"(?!)", from);
            return i;
        }
        Emit(negated ? u"[^" : u"[", from);
        for (std::size_t k = 0; k < items.size(); ++k) {
            const Item& item = items[k];
            if (item.isClass) {
                Emit(u"\\", item.from);
                Emit(std::u16string_view(&item.unit, 1), item.from);
                continue;
            }
            EmitHex(item.unit, item.from);
            const bool range = k + 2 < items.size() && items[k + 1].isDash && !items[k + 2].isClass;
            if (range) {
                if (items[k + 2].unit < item.unit) {
                    ThrowInvalid(u"文字の範囲が不正です", item.from);
                }
                Emit(u"-", items[k + 1].from);
                EmitHex(items[k + 2].unit, items[k + 2].from);
                k += 2;
            }
        }
        Emit(u"]", i - 1);
        return i;
    }

    std::u16string_view source_;
    bool multiLine_;
    Translation out_;
};

} // namespace

struct BuiltinRegexp::Compiled {
    Regex regex;
    std::int32_t groups = 0;
};

BuiltinRegexp::BuiltinRegexp() = default;
BuiltinRegexp::BuiltinRegexp(std::u16string_view pattern, RegexpSettings settings)
    : pattern_(pattern), settings_(settings) {}
BuiltinRegexp::BuiltinRegexp(BuiltinRegexp&&) noexcept = default;
BuiltinRegexp& BuiltinRegexp::operator=(BuiltinRegexp&&) noexcept = default;
BuiltinRegexp::~BuiltinRegexp() = default;

void BuiltinRegexp::SetPattern(std::u16string_view pattern) {
    if (pattern != pattern_) {
        pattern_ = pattern;
        compiled_.reset();
    }
}

void BuiltinRegexp::SetSettings(const RegexpSettings& settings) {
    // Only the first or every match depends on global: the compiled pattern stays.
    if (settings.ignoreCase != settings_.ignoreCase || settings.multiLine != settings_.multiLine) {
        compiled_.reset();
    }
    settings_ = settings;
}

void BuiltinRegexp::Compile() {
    if (compiled_) {
        return;
    }
    Translation translation = Translator(pattern_, settings_.multiLine).Run();
    auto compiled = std::make_unique<Compiled>();
    compiled->groups = translation.groups;
    namespace rc = boost::regex_constants;
    const rc::syntax_option_type flags = rc::ECMAScript | (settings_.ignoreCase ? rc::icase : rc::normal);
    try {
        compiled->regex.assign(translation.pattern, flags);
    } catch (const boost::regex_error& error) {
        if (error.code() == rc::error_complexity || error.code() == rc::error_stack) {
            throw ERegexpException(kTooComplex);
        }
        const auto at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(error.position(), 0));
        const std::size_t position =
            translation.origin.empty() ? 0 : translation.origin[std::min(at, translation.origin.size() - 1)];
        ThrowInvalid(Problem(error.code()), position);
    } catch (const std::runtime_error&) {
        throw ERegexpException(kTooComplex);
    }
    compiled_ = std::move(compiled);
}

void BuiltinRegexp::Scan(std::u16string_view text, const RegexpMatchVisitor& visit) {
    Compile();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw ERegexpException(u"テキストが大きすぎて検索できません");
    }
    static constexpr char16_t kEmpty[1] = {};
    const char16_t* const base = text.empty() ? kEmpty : text.data();
    const char16_t* const end = base + text.size();
    const auto offset = [base](const char16_t* p) { return static_cast<std::int32_t>(p - base); };

    Results results;
    RegexpMatch match;
    match.subMatches.resize(static_cast<std::size_t>(compiled_->groups));
    std::size_t start = 0;
    while (start <= text.size()) {
        const boost::match_flag_type flags =
            start == 0 ? boost::match_default : boost::match_default | boost::match_prev_avail;
        bool found = false;
        try {
            found = boost::regex_search(base + start, end, results, compiled_->regex, flags, base);
        } catch (const std::runtime_error&) { // Boost's limits of work and of memory
            throw ERegexpException(kTooComplex);
        }
        if (!found) {
            return;
        }
        match.firstIndex = offset(results[0].first);
        match.length = offset(results[0].second) - match.firstIndex;
        for (std::size_t group = 0; group < match.subMatches.size(); ++group) {
            const auto& sub = results[static_cast<int>(group + 1)];
            if (sub.matched) {
                match.subMatches[group] = TextSpan{offset(sub.first), offset(sub.second) - offset(sub.first)};
            } else {
                match.subMatches[group].reset();
            }
        }
        if (!visit(match) || !settings_.global) {
            return;
        }
        start = static_cast<std::size_t>(match.firstIndex + match.length) + (match.length == 0 ? 1 : 0);
    }
}

std::vector<RegexpMatch> BuiltinRegexp::Execute(std::u16string_view text) {
    std::vector<RegexpMatch> matches;
    Scan(text, [&](const RegexpMatch& match) {
        matches.push_back(match);
        return true;
    });
    return matches;
}

bool BuiltinRegexp::Test(std::u16string_view text) {
    bool found = false;
    Scan(text, [&](const RegexpMatch&) {
        found = true;
        return false;
    });
    return found;
}

std::u16string BuiltinRegexp::Replace(std::u16string_view text, std::u16string_view replacement) {
    Compile();
    // The replacement's pieces, read once: a group's number, 0 for the whole match, or -1
    // for the literal text from start to end of the replacement.
    struct Piece {
        int group;
        std::size_t start;
        std::size_t end;
    };
    std::vector<Piece> pieces;
    const auto literal = [&](std::size_t start, std::size_t end) {
        if (!pieces.empty() && pieces.back().group < 0 && pieces.back().end == start) {
            pieces.back().end = end;
        } else {
            pieces.push_back({-1, start, end});
        }
    };
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char16_t next = i + 1 < replacement.size() ? replacement[i + 1] : u'\0';
        if (replacement[i] == u'$' && next == u'&') {
            pieces.push_back({0, 0, 0});
            ++i;
        } else if (replacement[i] == u'$' && next == u'$') {
            literal(i, i + 1);
            ++i;
        } else if (replacement[i] == u'$' && next >= u'1' && next <= u'9' &&
                   next - u'0' <= compiled_->groups) {
            pieces.push_back({next - u'0', 0, 0});
            ++i;
        } else {
            literal(i, i + 1);
        }
    }

    std::u16string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    Scan(text, [&](const RegexpMatch& match) {
        result.append(text.substr(copied, static_cast<std::size_t>(match.firstIndex) - copied));
        for (const Piece& piece : pieces) {
            if (piece.group < 0) {
                result.append(replacement.substr(piece.start, piece.end - piece.start));
                continue;
            }
            const std::optional<TextSpan> span =
                piece.group == 0 ? TextSpan{match.firstIndex, match.length}
                                 : match.subMatches[static_cast<std::size_t>(piece.group - 1)];
            if (span) {
                result.append(text.substr(static_cast<std::size_t>(span->firstIndex),
                                          static_cast<std::size_t>(span->length)));
            }
        }
        copied = static_cast<std::size_t>(match.firstIndex + match.length);
        return true;
    });
    result.append(text.substr(copied));
    return result;
}

} // namespace nerula
