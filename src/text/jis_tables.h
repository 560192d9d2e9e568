#pragma once
// Character tables for Japanese double-byte text. The data in jis_tables.cpp is written by
// tools/generate_jis_tables.py; change the script, not the data.
//
// The lookups are inline because decoders call them once per character of files that run
// to many megabytes.

#include <cstdint>

namespace nerula {

namespace jis_detail {

// One slot per lead byte 0x81..0x9F then 0xE0..0xFC; one column per trail byte 0x40..0xFC.
inline constexpr int kCp932LeadCount = 31 + 29;
inline constexpr int kCp932TrailCount = 0xFC - 0x40 + 1;
extern const char16_t kCp932DoubleByte[kCp932LeadCount][kCp932TrailCount];

// JIS X 0212 keeps only its rows that hold characters: kJisX0212RowSlot gives a row's
// place in kJisX0212, or kNoRow.
inline constexpr std::uint8_t kNoRow = 0xFF;
inline constexpr int kJisCodeCount = 94;
extern const std::uint8_t kJisX0212RowSlot[kJisCodeCount];
extern const char16_t kJisX0212[][kJisCodeCount];

} // namespace jis_detail

// The character code page 932 (Windows' Shift-JIS) gives for a double-byte pair: JIS X
// 0208, the NEC special row 13, the NEC-selected and IBM extension kanji, and the
// user-defined area 0xF040..0xF9FC as U+E000..U+E757, all as Windows maps them.
// Returns 0 when lead and trail are not a CP932 pair or the pair holds no character.
inline char16_t Cp932DoubleByte(std::uint8_t lead, std::uint8_t trail) {
    int slot;
    if (lead >= 0x81 && lead <= 0x9F) {
        slot = lead - 0x81;
    } else if (lead >= 0xE0 && lead <= 0xFC) {
        slot = lead - 0xE0 + 31;
    } else {
        return 0;
    }
    if (trail < 0x40 || trail > 0xFC) {
        return 0;
    }
    return jis_detail::kCp932DoubleByte[slot][trail - 0x40];
}

// The character of JIS X 0212 at row and cell, each given as its 7-bit byte 0x21..0x7E
// (as it stands after ESC $ ( D). Returns 0 outside that range or where the set has none.
inline char16_t JisX0212(std::uint8_t row, std::uint8_t cell) {
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) {
        return 0;
    }
    const std::uint8_t slot = jis_detail::kJisX0212RowSlot[row - 0x21];
    if (slot == jis_detail::kNoRow) {
        return 0;
    }
    return jis_detail::kJisX0212[slot][cell - 0x21];
}

} // namespace nerula
