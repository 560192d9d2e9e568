#include "text/encoding_readings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace nerula::text_model {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Reading = std::function<TextScore(std::span<const std::uint8_t>)>;

const Reading kUtf8 = ReadUtf8;
const Reading kCp932 = ReadCp932;
const Reading kEucJp = ReadEucJp;
const Reading kUtf16Le = [](std::span<const std::uint8_t> b) { return ReadUtf16(b, false); };
const Reading kUtf16Be = [](std::span<const std::uint8_t> b) { return ReadUtf16(b, true); };

struct BadCase {
    const char* name;
    Reading read;
    Bytes bytes;
    int bad; // undecodable bytes and characters that are no text
};

void ExpectBad(const std::vector<BadCase>& cases) {
    for (const BadCase& c : cases) {
        EXPECT_EQ(c.read(c.bytes).BadChars(), c.bad) << c.name;
    }
}

TEST(EncodingReadingsTest, CharacterCutAtTheEndIsNotBad) {
    ExpectBad({
        // あ cut after 1 and 2 bytes; then the same bytes with text after them.
        {"UTF-8 lead", kUtf8, {'a', 0xE3}, 0},
        {"UTF-8 lead and one", kUtf8, {'a', 0xE3, 0x81}, 0},
        {"UTF-8 not at the end", kUtf8, {'a', 0xE3, 'b'}, 1},
        {"UTF-8 four-byte lead", kUtf8, {'a', 0xF0, 0x9F, 0x98}, 0},
        {"Shift-JIS lead", kCp932, {'a', 0x82}, 0},
        {"Shift-JIS lead, bad trail", kCp932, {'a', 0x82, 0x20}, 1},
        {"EUC-JP lead", kEucJp, {'a', 0xA4}, 0},
        {"EUC-JP 0x8F and one", kEucJp, {'a', 0x8F, 0xB0}, 0},
        {"EUC-JP 0x8F not at the end", kEucJp, {'a', 0x8F, 'b'}, 1},
        {"EUC-JP 0x8E", kEucJp, {'a', 0x8E}, 0},
        {"UTF-16LE odd byte", kUtf16Le, {'a', 0x00, 0x42}, 0},
        {"UTF-16BE high surrogate", kUtf16Be, {0x00, 'a', 0xD8, 0x3D}, 0},
        {"UTF-16BE pair cut in its low surrogate", kUtf16Be, {0x00, 'a', 0xD8, 0x3D, 0xDE}, 0},
        {"UTF-16LE pair cut in its low surrogate", kUtf16Le, {'a', 0x00, 0x3D, 0xD8, 0x00}, 0},
    });
}

// A character cut off costs no more than the whole one would, give or take the cut's
// surcharge: for a surrogate pair too,
// whether it is cut after its first unit or inside its second.
TEST(EncodingReadingsTest, CutSurrogatePairCostsNoMoreThanAWholeOne) {
    struct Case {
        const char* name;
        bool bigEndian;
        Bytes cut;
        Bytes whole;
    };
    const Case cases[] = {
        {"BE, inside the low unit",
         true,
         {0x00, 0xDD, 0xD8, 0x00, 0xDE},
         {0x00, 0xDD, 0xD8, 0x00, 0xDE, 0x00}},
        {"BE, after the high unit", true, {0x00, 0xDD, 0xD8, 0x00}, {0x00, 0xDD, 0xD8, 0x00, 0xDE, 0x00}},
        {"LE, inside the low unit",
         false,
         {0xDD, 0x00, 0x00, 0xD8, 0x00},
         {0xDD, 0x00, 0x00, 0xD8, 0x00, 0xDE}},
        {"LE, after the high unit", false, {0xDD, 0x00, 0x00, 0xD8}, {0xDD, 0x00, 0x00, 0xD8, 0x00, 0xDE}},
        {"BE, inside the high unit", true, {0x00, 0xDD, 0xD8}, {0x00, 0xDD, 0xD8, 0x00, 0xDE, 0x00}},
        {"LE, inside the high unit", false, {0xDD, 0x00, 0x00}, {0xDD, 0x00, 0x00, 0xD8, 0x00, 0xDE}},
    };
    for (const Case& c : cases) {
        const TextScore cut = ReadUtf16(c.cut, c.bigEndian);
        const TextScore whole = ReadUtf16(c.whole, c.bigEndian);
        EXPECT_EQ(cut.BadChars(), 0) << c.name;
        EXPECT_LE(cut.Cost(), whole.Cost() + kCutCharacterCost) << c.name;
    }
    // A byte that cannot begin a low surrogate leaves the high one alone, and bad.
    EXPECT_EQ(ReadUtf16(Bytes{0x00, 0xDD, 0xD8, 0x00, 0x41}, true).BadChars(), 1);
}

// EUC-JP's JIS X 0212 lead alone could begin any of its rows, its Latin letters too:
// cut after the lead or after the row, 8F AB B8 (a Latin letter) costs no more than whole.
TEST(EncodingReadingsTest, CutJisX0212CharacterCostsNoMoreThanAWholeOne) {
    const TextScore latin = ReadEucJp(Bytes{0x8F, 0xAB, 0xB8});
    for (const Bytes& cut : {Bytes{0x8F}, Bytes{0x8F, 0xAB}}) {
        EXPECT_LE(ReadEucJp(cut).Cost(), latin.Cost() + kCutCharacterCost) << cut.size();
    }
}

TEST(EncodingReadingsTest, NulsAreCountedApart) {
    const Bytes text = {'a', 'b', 'c', 'd'};
    const Bytes withNuls = {'a', 'b', 0x00, 'c', 'd', 0x00};
    for (const Reading& read : {kUtf8, kCp932, kEucJp}) {
        const TextScore plain = read(text);
        const TextScore nuls = read(withNuls);
        EXPECT_EQ(nuls.Chars(), plain.Chars());
        EXPECT_EQ(nuls.BadChars(), 0);
        EXPECT_EQ(nuls.Nuls(), 2);
        EXPECT_EQ(nuls.Cost(), plain.Cost());
    }
    const TextScore utf16 = ReadUtf16(Bytes{'a', 0x00, 0x00, 0x00, 'b', 0x00}, false);
    EXPECT_EQ(utf16.Chars(), 2);
    EXPECT_EQ(utf16.Nuls(), 1);
}

TEST(EncodingReadingsTest, CountsCharactersByClass) {
    // a, U+0001 (no text), あ, then an undecodable byte.
    const TextScore score = ReadCp932(Bytes{'a', 0x01, 0x82, 0xA0, 0x80});
    EXPECT_EQ(score.Count(CharClass::Lower), 1);
    EXPECT_EQ(score.Count(CharClass::Hiragana), 1);
    EXPECT_EQ(score.Count(CharClass::Bad), 1);
    EXPECT_EQ(score.BadChars(), 2);
}

TEST(EncodingReadingsTest, Utf8IsStrict) {
    ExpectBad({
        {"emoji", kUtf8, {0xF0, 0x9F, 0x98, 0x80}, 0},
        {"highest code point", kUtf8, {0xF4, 0x8F, 0xBF, 0xBF}, 0},
        {"overlong slash", kUtf8, {0xC0, 0xAF, 'a'}, 2},
        {"overlong three bytes", kUtf8, {0xE0, 0x80, 0xAF, 'a'}, 3},
        {"surrogate", kUtf8, {0xED, 0xA0, 0x80, 'a'}, 3},
        {"past U+10FFFF", kUtf8, {0xF4, 0x90, 0x80, 0x80, 'a'}, 4},
        {"stray continuation", kUtf8, {'a', 0x80, 'b'}, 1},
        {"C1 control", kUtf8, {0xC2, 0x85}, 1},
    });
}

TEST(EncodingReadingsTest, KnowsWhichJisCodesAreText) {
    ExpectBad({
        {"NEC row 13", kCp932, {0x87, 0x40}, 0},             // ①
        {"NEC-selected IBM kanji", kCp932, {0xED, 0x95}, 0}, // 﨑
        {"IBM kanji", kCp932, {0xFA, 0xB1, 0xFB, 0xFC}, 0},  // 﨑髙
        {"last IBM kanji", kCp932, {0xFC, 0x4B}, 0},         // 黑
        {"past the IBM kanji", kCp932, {0xFC, 0x4C}, 1},
        {"user-defined", kCp932, {0xF0, 0x40}, 0},
        {"unassigned row 9", kCp932, {0x85, 0x40}, 1},
        {"unassigned lead 0xEB", kCp932, {0xEB, 0x40}, 1},
        {"lone 0x80, 0xA0, 0xFD", kCp932, {0x80, 0xA0, 0xFD}, 3},
        {"unassigned cell of row 2", kCp932, {0x81, 0xAD}, 1},
        {"EUC-JP half-width katakana", kEucJp, {0x8E, 0xB1}, 0}, // ｱ
        {"EUC-JP 0x8E past katakana", kEucJp, {0x8E, 0xE0}, 1},
        {"EUC-JP JIS X 0212", kEucJp, {0x8F, 0xEC, 0xB5}, 0}, // 鷗
        {"EUC-JP unassigned row 9", kEucJp, {0xA9, 0xA1}, 1},
        {"EUC-JP C1 byte", kEucJp, {0x85}, 1},
        // A NUL is not counted against the reading (see NulsAreCountedApart).
        {"NUL", kCp932, {'a', 0x00}, 0},
        {"control character", kCp932, {'a', 0x01}, 1},
        {"UTF-16 lone low surrogate", kUtf16Le, {0x00, 0xDC}, 1},
    });
}

// Each reading hands the model the same characters, so the same text costs the same in every
// encoding: a slip in turning bytes into JIS rows and cells would show here.
TEST(EncodingReadingsTest, SameTextCostsTheSameInEveryEncoding) {
    // ﾃﾞｰﾀは漢字とかなとカナ、「ＡＢ９」αЖ─ 蘂 A1;\r\n
    // (half-width katakana, hiragana, katakana, level 1 and 2 kanji, symbols, full-width letters
    // and digits, Greek, Cyrillic, box drawing, ASCII)
    const Bytes cp932 = {0xC3, 0xDE, 0xB0, 0xC0, 0x82, 0xCD, 0x8A, 0xBF, 0x8E, 0x9A, 0x82, 0xC6, 0x82,
                         0xA9, 0x82, 0xC8, 0x82, 0xC6, 0x83, 0x4A, 0x83, 0x69, 0x81, 0x41, 0x81, 0x75,
                         0x82, 0x60, 0x82, 0x61, 0x82, 0x58, 0x81, 0x76, 0x83, 0xBF, 0x84, 0x47, 0x84,
                         0x9F, 0x20, 0xE5, 0x41, 0x20, 0x41, 0x31, 0x3B, 0x0D, 0x0A};
    const Bytes eucJp = {0x8E, 0xC3, 0x8E, 0xDE, 0x8E, 0xB0, 0x8E, 0xC0, 0xA4, 0xCF, 0xB4, 0xC1, 0xBB, 0xFA,
                         0xA4, 0xC8, 0xA4, 0xAB, 0xA4, 0xCA, 0xA4, 0xC8, 0xA5, 0xAB, 0xA5, 0xCA, 0xA1, 0xA2,
                         0xA1, 0xD6, 0xA3, 0xC1, 0xA3, 0xC2, 0xA3, 0xB9, 0xA1, 0xD7, 0xA6, 0xC1, 0xA7, 0xA8,
                         0xA8, 0xA1, 0x20, 0xE9, 0xA2, 0x20, 0x41, 0x31, 0x3B, 0x0D, 0x0A};
    const Bytes utf8 = {0xEF, 0xBE, 0x83, 0xEF, 0xBE, 0x9E, 0xEF, 0xBD, 0xB0, 0xEF, 0xBE, 0x80, 0xE3,
                        0x81, 0xAF, 0xE6, 0xBC, 0xA2, 0xE5, 0xAD, 0x97, 0xE3, 0x81, 0xA8, 0xE3, 0x81,
                        0x8B, 0xE3, 0x81, 0xAA, 0xE3, 0x81, 0xA8, 0xE3, 0x82, 0xAB, 0xE3, 0x83, 0x8A,
                        0xE3, 0x80, 0x81, 0xE3, 0x80, 0x8C, 0xEF, 0xBC, 0xA1, 0xEF, 0xBC, 0xA2, 0xEF,
                        0xBC, 0x99, 0xE3, 0x80, 0x8D, 0xCE, 0xB1, 0xD0, 0x96, 0xE2, 0x94, 0x80, 0x20,
                        0xE8, 0x98, 0x82, 0x20, 0x41, 0x31, 0x3B, 0x0D, 0x0A};
    const Bytes utf16le = {0x83, 0xFF, 0x9E, 0xFF, 0x70, 0xFF, 0x80, 0xFF, 0x6F, 0x30, 0x22, 0x6F,
                           0x57, 0x5B, 0x68, 0x30, 0x4B, 0x30, 0x6A, 0x30, 0x68, 0x30, 0xAB, 0x30,
                           0xCA, 0x30, 0x01, 0x30, 0x0C, 0x30, 0x21, 0xFF, 0x22, 0xFF, 0x19, 0xFF,
                           0x0D, 0x30, 0xB1, 0x03, 0x16, 0x04, 0x00, 0x25, 0x20, 0x00, 0x02, 0x86,
                           0x20, 0x00, 0x41, 0x00, 0x31, 0x00, 0x3B, 0x00, 0x0D, 0x00, 0x0A, 0x00};
    Bytes utf16be = utf16le;
    for (std::size_t i = 0; i + 1 < utf16be.size(); i += 2) {
        std::swap(utf16be[i], utf16be[i + 1]);
    }

    const TextScore reference = ReadCp932(cp932);
    EXPECT_EQ(reference.Chars(), 30);
    EXPECT_EQ(reference.BadChars(), 0);
    const struct {
        const char* name;
        TextScore score;
    } others[] = {
        {"EUC-JP", ReadEucJp(eucJp)},
        {"UTF-8", ReadUtf8(utf8)},
        {"UTF-16LE", ReadUtf16(utf16le, false)},
        {"UTF-16BE", ReadUtf16(utf16be, true)},
    };
    for (const auto& other : others) {
        EXPECT_EQ(other.score.Chars(), reference.Chars()) << other.name;
        EXPECT_EQ(other.score.Cost(), reference.Cost()) << other.name;
    }
}

} // namespace
} // namespace nerula::text_model
