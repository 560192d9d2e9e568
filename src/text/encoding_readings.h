#pragma once
// Reads bytes as one candidate encoding and scores the result with the Japanese text model.
// Each reading decodes every byte: undecodable bytes are counted, not skipped, and a
// character cut off at the end of the bytes costs no more than a whole one (give or take
// kCutCharacterCost). NULs are counted apart (TextScore::AddNuls).

#include "text/japanese_text_model.h"

#include <cstdint>
#include <span>

namespace nerula::text_model {

TextScore ReadUtf8(std::span<const std::uint8_t> bytes);
TextScore ReadCp932(std::span<const std::uint8_t> bytes);
TextScore ReadEucJp(std::span<const std::uint8_t> bytes);
TextScore ReadUtf16(std::span<const std::uint8_t> bytes, bool bigEndian);

} // namespace nerula::text_model
