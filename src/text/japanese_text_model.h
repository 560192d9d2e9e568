#pragma once
// A small statistical picture of Japanese text files. Each character belongs to a class
// (hiragana, kanji, ASCII letters, ...); the model gives the cost, in sixteenths of a bit,
// of seeing a character given the class of the one before it. The code-page detector
// decodes the same bytes in each candidate encoding and keeps the reading that costs least:
// a wrong reading turns Japanese into a jumble of rare characters and odd neighbours.

#include <cstdint>

namespace nerula::text_model {

enum class CharClass : std::uint8_t {
    Newline,
    Space,
    Lower,
    Upper,
    Digit,
    Punct,
    Hiragana,
    Katakana,
    Kanji,
    Symbol,
    FullAlnum,
    HalfKana,
    Latin,
    Rare, // valid, but seldom in Japanese text: other scripts, private use, ...
    Bad,  // not text: control characters, unassigned codes
};

// A character as the model sees it: its class, its cost among the characters of that class,
// and for the classes whose repeats are cheap, its code point (else 0).
struct ModelChar {
    CharClass cls;
    std::uint16_t cost;
    char32_t codePoint = 0;
};

ModelChar ModelCodePoint(char32_t codePoint);

// Which extensions of JIS X 0208 an encoding carries beyond row 84.
enum class JisVariant {
    Cp932, // rows 89-92 and 115-119 IBM extension kanji, 95-114 user-defined
    EucJp, // rows 85-94 user-defined
};

// A JIS X 0208 character by row and cell (1 to 94; CP932 rows go on to 120).
ModelChar ModelJis(int row, int cell, JisVariant variant);
// A JIS X 0212 supplementary character (EUC-JP's three-byte codes).
ModelChar ModelJisX0212(int row, int cell);

// What a character cut off at the end of the bytes costs beyond its cheapest completion,
// which is lower than what a real character costs: no more than a whole one, give or take
// this much.
inline constexpr std::uint32_t kCutCharacterCost = 2 * 16;

// Adds up the cost of one reading of the bytes.
class TextScore {
public:
    void Add(ModelChar c);
    // Bytes the encoding cannot decode.
    void AddInvalid();
    // NUL characters. NULs turn up in text files that are no more than damaged (a stray
    // one, a log padded to its allocated size) as well as in UTF-16 misread, so a reading
    // only counts them: they cost nothing here and are not counted as characters, and the
    // detector, which sees where in the bytes they stand, decides what they are worth.
    void AddNuls(int count);
    // What adding the character would cost, without adding it.
    std::uint32_t CostOf(ModelChar c) const;
    // The input ends inside a character, as a cut text does; the reading pays what the
    // cheapest character that could have begun there would cost, and kCutCharacterCost.
    void AddTruncatedTail(std::uint32_t cheapestCompletion);

    std::int64_t Cost() const { return cost_; }
    int Chars() const { return chars_; }
    // Undecodable bytes and characters that are no text.
    int BadChars() const { return bad_; }
    // The characters of one class. Count(CharClass::Bad) counts the decoded characters
    // that are no text; BadChars adds the undecodable bytes to them.
    int Count(CharClass cls) const { return counts_[static_cast<int>(cls)]; }
    int Nuls() const { return nuls_; }

private:
    CharClass prev_ = CharClass::Newline;
    char32_t prevCodePoint_ = 0;
    std::int64_t cost_ = 0;
    int chars_ = 0;
    int bad_ = 0;
    int nuls_ = 0;
    int counts_[static_cast<int>(CharClass::Bad) + 1] = {};
};

} // namespace nerula::text_model
