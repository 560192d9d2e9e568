#pragma once
// From a file's bytes to the text that the edit control shows.

#include <cstdint>
#include <span>
#include <string>

#include "text/encoding.h"

namespace nerula {

// The character shown in place of each NUL. One unit for one, so that line, column and
// search offsets stay those of the file's own text.
inline constexpr char16_t kNulPlaceholder = u'\u2400';

// The bytes after the encoding's own byte-order mark, when they start with it.
std::span<const std::uint8_t> WithoutByteOrderMark(const Encoding& encoding,
                                                   std::span<const std::uint8_t> bytes);

// Skips the encoding's own byte-order mark, decodes the rest in one piece, normalises
// the line breaks to CR LF and makes NULs visible.
std::u16string LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes);

// Every LF and every CR becomes CR LF; a CR LF pair stays one (LF CR gives two breaks).
// Text that needs no change comes back as it was, without a copy.
std::u16string NormaliseLineBreaks(std::u16string text);

// How many bytes are CR or LF. In the ASCII-based code pages that is room enough for
// the units NormaliseLineBreaks adds, so a decoder can reserve it and spare LoadText a
// second copy of the text.
std::size_t CountLineEndBytes(std::span<const std::uint8_t> bytes);

// The edit control takes its text zero-terminated: a NUL would end the text there.
void ReplaceNulCharacters(std::u16string& text);

} // namespace nerula
