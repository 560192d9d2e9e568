#pragma once
// Nerula's own reader for iso-2022-jp text (code page 50220), for systems whose converter
// lacks it. It gives the text Windows' own converter gives: JIS X 0208 characters come out
// as code page 932 maps them, so the wave dash position is U+FF5E and the NEC special row
// 13 (circled digits, Roman numerals) is there.
//
// Understood: ESC ( B (ASCII), ESC ( J (JIS X 0201 Roman, read as ASCII), ESC ( I (JIS X
// 0201 katakana), ESC $ @ and ESC $ B and their long forms ESC $ ( @ and ESC $ ( B (JIS X
// 0208; all read by the same table), ESC & @ (ignored, it only announces the ESC $ B that
// follows), ESC $ ( D (JIS X 0212), SO and SI (half-width katakana and back; a designation
// also ends the shift), and raw bytes 0xA1..0xDF (half-width katakana, as CP932 reads
// them). The text starts in ASCII. Controls, the space and DEL stand for themselves in
// every character set, so line breaks keep the current one.
//
// Invalid input is replaced, never reported: each of the following becomes one U+FFFD
// REPLACEMENT CHARACTER and decoding goes on with the next byte:
//   - an ESC that does not begin a sequence listed above (the bytes after it are then read
//     as ordinary text),
//   - a double-byte pair that has no character,
//   - the first byte of a pair whose second byte is missing or not 0x21..0x7E (that second
//     byte is then read on its own),
//   - a byte 0x80..0xA0 or 0xE0..0xFF, and a byte 0x60..0x7E in half-width katakana.
// Every input byte yields at most one character.

#include <cstdint>
#include <span>
#include <string>

namespace nerula {

std::u16string DecodeIso2022Jp(std::span<const std::uint8_t> bytes);

} // namespace nerula
