#include "text/text_loading.h"

#include <algorithm>
#include <cstring>

namespace nerula {
namespace {

// Whether any of the four 16-bit lanes is CR or below, where every unit that is shown
// otherwise than it is (NUL, CR, LF) lies. Exact: a lane below 0x000E borrows into its
// high bit only when its own high bit was clear, and a borrow from a lower lane only
// happens when that lane was below 0x000E itself.
bool HasUnitAtOrBelowCr(std::uint64_t word) {
    constexpr std::uint64_t kFourteens = 0x000E000E000E000Eu;
    constexpr std::uint64_t kHighBits = 0x8000800080008000u;
    return ((word - kFourteens) & ~word & kHighBits) != 0;
}

} // namespace

std::span<const std::uint8_t> WithoutByteOrderMark(const Encoding& encoding,
                                                   std::span<const std::uint8_t> bytes) {
    const std::span<const std::uint8_t> mark = encoding.ByteOrderMark();
    if (!mark.empty() && bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin())) {
        return bytes.subspan(mark.size());
    }
    return bytes;
}

std::size_t LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes, TextStore& store) {
    const std::span<const std::uint8_t> body = WithoutByteOrderMark(encoding, bytes);
    // Room for the decoded units and a CR for every eighth of them: more than any text but
    // one of very short lines with lone LFs needs (those grow the room once more), and no
    // pass over the bytes to count their line ends first. The room is never cleared, so
    // what the text does not use costs no more than its address space.
    const std::size_t units = encoding.MaxUnits(body);
    ShownTextWriter writer(store, units + units / 8 + 8);
    encoding.DecodeInPieces(body, [&writer](std::u16string_view piece) { writer.Write(piece); });
    return writer.Finish();
}

std::u16string LoadText(const Encoding& encoding, std::span<const std::uint8_t> bytes) {
    StringTextStore store;
    LoadText(encoding, bytes, store);
    return store.Take();
}

ShownTextWriter::ShownTextWriter(TextStore& store, std::size_t expectedUnits)
    : store_(store), out_(store.Reserve(expectedUnits)), capacity_(expectedUnits) {}

void ShownTextWriter::EnsureRoom(std::size_t units) {
    if (units <= capacity_ - size_) {
        return;
    }
    // Only a converter that makes more units than bytes, or line breaks without their
    // bytes, gets here; growing by half keeps that linear.
    const std::size_t needed = size_ + units;
    capacity_ = std::max(needed, capacity_ + capacity_ / 2);
    out_ = store_.Reserve(capacity_);
}

void ShownTextWriter::Write(std::u16string_view piece) {
    const char16_t* in = piece.data();
    const char16_t* const end = in + piece.size();
    if (afterCr_ && in != end && *in == u'\n') {
        // The LF of a CR LF pair that the pieces cut between them: the CR made the break.
        ++in;
    }
    afterCr_ = false;
    char16_t* out = out_ + size_;
    // Four units at a time while none of them is to be changed, which in most texts is
    // nearly all of them; one at a time around the others. The room is checked for the
    // most that one step writes.
    constexpr std::size_t kStep = 4;
    while (in != end) {
        if (static_cast<std::size_t>(out_ + capacity_ - out) < 2 * kStep) {
            size_ = static_cast<std::size_t>(out - out_);
            EnsureRoom(2 * kStep);
            out = out_ + size_;
        }
        if (static_cast<std::size_t>(end - in) >= kStep) {
            std::uint64_t word;
            std::memcpy(&word, in, sizeof word);
            if (!HasUnitAtOrBelowCr(word)) {
                std::memcpy(out, &word, sizeof word);
                in += kStep;
                out += kStep;
                continue;
            }
        }
        const char16_t c = *in++;
        if (c > u'\r') {
            *out++ = c;
        } else if (c == u'\r' || c == u'\n') {
            *out++ = u'\r';
            *out++ = u'\n';
            if (c == u'\r') {
                if (in == end) {
                    afterCr_ = true; // perhaps the first half of a pair
                } else if (*in == u'\n') {
                    ++in;
                }
            }
        } else {
            *out++ = c == u'\0' ? kNulPlaceholder : c;
        }
    }
    size_ = static_cast<std::size_t>(out - out_);
}

std::size_t ShownTextWriter::Finish() {
    store_.Finish(size_);
    return size_;
}

std::u16string ShownText(std::u16string_view text) {
    StringTextStore store;
    ShownTextWriter writer(store, text.size());
    writer.Write(text);
    writer.Finish();
    return store.Take();
}

} // namespace nerula
