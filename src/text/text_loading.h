#pragma once
// From a file's bytes to the text that the edit control shows.

#include <cstdint>
#include <span>
#include <string>

#include "text/encoding.h"
#include "text/text_store.h"

namespace nerula {

// The character shown in place of each NUL. One unit for one, so that line, column and
// search offsets stay those of the file's own text.
inline constexpr char16_t kNulPlaceholder = u'\u2400';

// The bytes after the encoding's own byte-order mark, when they start with it.
std::span<const std::uint8_t> WithoutByteOrderMark(const Encoding& encoding,
                                                   std::span<const std::uint8_t> bytes);

// Skips the encoding's own byte-order mark, decodes the rest, makes every line break CR LF
// and every NUL visible (the edit control takes its text zero-terminated: a NUL would end
// it there), and writes the result into the store, which is finished with its length. Each
// piece of the decoder's output is written while it is still in the cache: one pass over
// the text, not one for each step. Returns the text's length.
std::size_t LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes, TextStore& store);
// The same, into a string.
std::u16string LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes);

// Writes decoded text piece by piece as the edit control shows it: every LF and every CR
// becomes CR LF, a CR LF pair stays one (also when a piece ends between them; LF CR gives
// two breaks), and a NUL becomes kNulPlaceholder.
class ShownTextWriter {
public:
    // `expectedUnits`: the room reserved at first; more is reserved when the text needs it.
    ShownTextWriter(TextStore& store, std::size_t expectedUnits);
    void Write(std::u16string_view piece);
    // Finishes the store; returns the text's length.
    std::size_t Finish();

private:
    void EnsureRoom(std::size_t units);

    TextStore& store_;
    char16_t* out_;
    std::size_t size_ = 0;
    std::size_t capacity_;
    bool afterCr_ = false;
};

// The same as a whole text: the breaks and NULs of a text as LoadText shows them.
std::u16string ShownText(std::u16string_view text);

} // namespace nerula
