#include "text/japanese_text_model.h"

#include "text/japanese_text_tables.h"

#include <algorithm>

namespace nerula::text_model {
namespace {

constexpr std::uint16_t Bits(int bits) {
    return static_cast<std::uint16_t>(bits * 16);
}

// Costs the tables do not measure: classes the training documents hardly use, and the
// penalties for bytes that are no text.
constexpr std::uint16_t kFullAlnumCost = Bits(6);       // 62 letters and digits
constexpr std::uint16_t kHalfKanaCost = Bits(6);        // 63 half-width katakana
constexpr std::uint16_t kLatinCost = Bits(8);           // accented letters and Latin-1 signs
constexpr std::uint16_t kAlphabetCost = Bits(7);        // Greek and Cyrillic letters
constexpr std::uint16_t kRareCost = Bits(14);           // anything of many thousands
constexpr std::uint16_t kKanjiExtensionCost = Bits(20); // IBM extensions, JIS X 0212
constexpr std::uint16_t kForeignKanjiCost = Bits(22);   // Chinese ideographs that JIS lacks
constexpr std::uint16_t kUserDefinedCost = Bits(20);
constexpr std::uint16_t kBadCost = Bits(32);
constexpr std::uint16_t kInvalidCost = Bits(40);
// A sign repeated, as in "~~~~", "----", "＝＝＝" or "───": rules and frames in text files.
constexpr std::uint16_t kRepeatCost = Bits(2);

constexpr ModelChar kBad{CharClass::Bad, 0};

ModelChar Ascii(char32_t c) {
    CharClass cls;
    if (c == 0x0A || c == 0x0D) {
        cls = CharClass::Newline;
    } else if (c == 0x20 || c == 0x09) {
        cls = CharClass::Space;
    } else if (c >= 'a' && c <= 'z') {
        cls = CharClass::Lower;
    } else if (c >= 'A' && c <= 'Z') {
        cls = CharClass::Upper;
    } else if (c >= '0' && c <= '9') {
        cls = CharClass::Digit;
    } else if (c >= 0x21 && c <= 0x7E) {
        cls = CharClass::Punct;
    } else if (c == 0x0C || c == 0x1B) {
        // Form feeds and terminal escapes turn up in printed output and logs.
        cls = CharClass::Rare;
    } else {
        return kBad;
    }
    const bool repeats = cls == CharClass::Space || cls == CharClass::Punct;
    return {cls, kAsciiCost[c], repeats ? c : 0};
}

const SymbolCost* FindSymbol(char32_t c) {
    const SymbolCost* end = kSymbolCosts + kSymbolCostCount;
    const SymbolCost* it = std::lower_bound(kSymbolCosts, end, c,
                                            [](const SymbolCost& s, char32_t v) { return s.codePoint < v; });
    return it != end && it->codePoint == c ? it : nullptr;
}

bool In(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Japanese text uses the ideographs of JIS, nearly all from level 1; a wrong reading of the
// bytes lands anywhere in the 20,992 of the block.
std::uint16_t KanjiCost(char32_t c) {
    const char32_t index = c - 0x4E00;
    switch ((kKanjiLevels[index / 32] >> (2 * (index % 32))) & 3) {
    case 1:
        return (kCommonKanjiByCodePoint[index / 64] >> (index % 64)) & 1 ? kCommonKanjiCost
                                                                         : kKanjiLevel1Cost;
    case 2:
        return kKanjiLevel2Cost;
    case 3:
        return kKanjiExtensionCost;
    default:
        return kForeignKanjiCost;
    }
}

} // namespace

ModelChar ModelCodePoint(char32_t c) {
    if (c < 0x80) {
        return Ascii(c);
    }
    if (c < 0xA0) {
        return kBad;
    }
    if (In(c, 0x3041, 0x3096) || In(c, 0x309D, 0x309F)) {
        return {CharClass::Hiragana, kHiraganaCost[c - 0x3040]};
    }
    if (In(c, 0x30A1, 0x30FA) || In(c, 0x30FC, 0x30FF)) {
        return {CharClass::Katakana, kKatakanaCost[c - 0x30A0]};
    }
    if (In(c, 0x4E00, 0x9FFF)) {
        return {CharClass::Kanji, KanjiCost(c)};
    }
    if (In(c, 0x3005, 0x3007)) {
        return {CharClass::Kanji, kCommonKanjiCost}; // 々〆〇
    }
    if (In(c, 0xFF10, 0xFF19) || In(c, 0xFF21, 0xFF3A) || In(c, 0xFF41, 0xFF5A)) {
        return {CharClass::FullAlnum, kFullAlnumCost};
    }
    if (In(c, 0xFF61, 0xFF9F)) {
        return {CharClass::HalfKana, kHalfKanaCost};
    }
    if (const SymbolCost* symbol = FindSymbol(c)) {
        return {CharClass::Symbol, symbol->cost, c};
    }
    if (c <= 0x24F) {
        return {CharClass::Latin, kLatinCost};
    }
    if (In(c, 0x2010, 0x2027) || In(c, 0x2030, 0x205E) || In(c, 0x2070, 0x2BFF) || In(c, 0x3000, 0x303F) ||
        In(c, 0x3099, 0x309C) || c == 0x30A0 || c == 0x30FB || In(c, 0x3200, 0x33FF) ||
        In(c, 0xFF01, 0xFF60) || In(c, 0xFFE0, 0xFFEE)) {
        return {CharClass::Symbol, kOtherSymbolCost, c};
    }
    if (In(c, 0xD800, 0xDFFF) || c == 0xFFFE || c == 0xFFFF || c > 0x10FFFF) {
        return kBad;
    }
    if (In(c, 0x0370, 0x04FF)) {
        return {CharClass::Rare, kAlphabetCost};
    }
    return {CharClass::Rare, kRareCost};
}

ModelChar ModelJis(int row, int cell, JisVariant variant) {
    if (cell < 1 || cell > 94) {
        return kBad;
    }
    auto fromRow = [cell](int index) {
        const char16_t c = kJisRowChars[index][cell - 1];
        return c == 0 ? kBad : ModelCodePoint(c);
    };
    switch (row) {
    case 1:
        return fromRow(0);
    case 2:
        return fromRow(1);
    case 3:
        if (In(cell, 16, 25) || In(cell, 33, 58) || In(cell, 65, 90)) {
            return {CharClass::FullAlnum, kFullAlnumCost};
        }
        return kBad;
    case 4:
        return cell <= 83 ? ModelCodePoint(0x3040 + static_cast<char32_t>(cell)) : kBad;
    case 5:
        return cell <= 86 ? ModelCodePoint(0x30A0 + static_cast<char32_t>(cell)) : kBad;
    case 6:
        return In(cell, 1, 24) || In(cell, 33, 56) ? ModelChar{CharClass::Rare, kAlphabetCost} : kBad;
    case 7:
        return In(cell, 1, 33) || In(cell, 49, 81) ? ModelChar{CharClass::Rare, kAlphabetCost} : kBad;
    case 8:
        return fromRow(2);
    case 13:
        // NEC special characters: circled numbers, Roman numerals, unit signs.
        return fromRow(3);
    default:
        break;
    }
    if (In(row, 16, 46) || (row == 47 && cell <= 51)) {
        const int index = (row - 16) * 94 + cell - 1;
        return {CharClass::Kanji,
                (kCommonKanjiByJis[index / 64] >> (index % 64)) & 1 ? kCommonKanjiCost : kKanjiLevel1Cost};
    }
    if (In(row, 48, 83) || (row == 84 && cell <= 6)) {
        return {CharClass::Kanji, kKanjiLevel2Cost};
    }
    if (variant == JisVariant::Cp932) {
        // Shift-JIS leads 0xED-0xEE (NEC's selection of IBM kanji) and 0xFA-0xFC (IBM's own).
        if (In(row, 89, 92) || In(row, 115, 118) || (row == 119 && cell <= 12)) {
            return {CharClass::Kanji, kKanjiExtensionCost};
        }
        // Leads 0xF0-0xF9: user-defined characters, private use in Unicode.
        if (In(row, 95, 114)) {
            return {CharClass::Rare, kUserDefinedCost};
        }
        return kBad;
    }
    if (In(row, 85, 94)) {
        return {CharClass::Rare, kUserDefinedCost};
    }
    return kBad;
}

ModelChar ModelJisX0212(int row, int cell) {
    if (cell < 1 || cell > 94) {
        return kBad;
    }
    if (In(row, 16, 77)) {
        return {CharClass::Kanji, kKanjiExtensionCost};
    }
    if (In(row, 9, 11)) {
        return {CharClass::Latin, kLatinCost};
    }
    if (row == 2 || row == 6 || row == 7) {
        return {CharClass::Rare, kRareCost};
    }
    return kBad;
}

std::uint32_t TextScore::CostOf(ModelChar c) const {
    if (c.cls == CharClass::Bad) {
        return kBadCost;
    }
    const std::uint32_t cost = kTransitionCost[static_cast<int>(prev_)][static_cast<int>(c.cls)] + c.cost;
    const bool repeat = c.codePoint != 0 && c.codePoint == prevCodePoint_;
    return repeat ? std::min<std::uint32_t>(cost, kRepeatCost) : cost;
}

void TextScore::Add(ModelChar c) {
    ++chars_;
    ++counts_[static_cast<int>(c.cls)];
    if (c.cls == CharClass::Bad) {
        ++bad_;
        cost_ += kBadCost;
        return;
    }
    cost_ += CostOf(c);
    prev_ = c.cls;
    prevCodePoint_ = c.codePoint;
}

void TextScore::AddInvalid() {
    ++chars_;
    ++bad_;
    cost_ += kInvalidCost;
}

void TextScore::AddNuls(int count) {
    nuls_ += count;
}

void TextScore::AddTruncatedTail(std::uint32_t cheapestCompletion) {
    cost_ += kCutCharacterCost + cheapestCompletion;
}

} // namespace nerula::text_model
