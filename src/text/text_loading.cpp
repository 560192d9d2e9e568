#include "text/text_loading.h"

#include <algorithm>
#include <cstring>

namespace nerula {
namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// 1 in each byte lane of the word that equals the value, 0 in the others. Adding 0x7F to
// the low seven bits of a lane never carries into the next lane, so the test is exact.
std::uint64_t LanesEqual(std::uint64_t word, std::uint8_t value) {
    constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7Fu;
    const std::uint64_t x = word ^ (kEveryByte * value);
    return ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits) >> 7;
}

// The sum of the eight byte lanes, each at most 255: added in pairs first, so that no
// partial sum outgrows its 16 bits.
std::size_t SumOfLanes(std::uint64_t lanes) {
    constexpr std::uint64_t kEveryOtherByte = 0x00FF00FF00FF00FFu;
    const std::uint64_t pairs = (lanes & kEveryOtherByte) + ((lanes >> 8) & kEveryOtherByte);
    return static_cast<std::size_t>((pairs * 0x0001000100010001u) >> 48);
}

// Whether any of the four 16-bit lanes is CR or below, where every unit that is shown
// otherwise than it is (NUL, CR, LF) lies. Exact: a lane below 0x000E borrows into its
// high bit only when its own high bit was clear, and a borrow from a lower lane only
// happens when that lane was below 0x000E itself.
bool HasUnitAtOrBelowCr(std::uint64_t word) {
    constexpr std::uint64_t kFourteens = 0x000E000E000E000Eu;
    constexpr std::uint64_t kHighBits = 0x8000800080008000u;
    return ((word - kFourteens) & ~word & kHighBits) != 0;
}

// The index of the first unit from `from` on that is CR or below, or the piece's size.
// Four units at a time: most of a text is long runs of other characters.
std::size_t FindUnitAtOrBelowCr(std::u16string_view piece, std::size_t from) {
    std::size_t i = from;
    for (; i + 4 <= piece.size(); i += 4) {
        std::uint64_t word;
        std::memcpy(&word, piece.data() + i, sizeof word);
        if (HasUnitAtOrBelowCr(word)) {
            break;
        }
    }
    while (i < piece.size() && piece[i] > u'\r') {
        ++i;
    }
    return i;
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
    ShownTextWriter writer(store, encoding.MaxUnits(body) + CountLineEndBytes(body));
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
    std::size_t i = 0;
    if (afterCr_ && !piece.empty() && piece[0] == u'\n') {
        // The LF of a CR LF pair that the pieces cut between them: the CR made the break.
        i = 1;
    }
    afterCr_ = false;
    while (i < piece.size()) {
        const std::size_t runEnd = FindUnitAtOrBelowCr(piece, i);
        // The run, and what the unit after it becomes: at most two units.
        EnsureRoom(runEnd - i + 2);
        std::copy(piece.begin() + static_cast<std::ptrdiff_t>(i),
                  piece.begin() + static_cast<std::ptrdiff_t>(runEnd), out_ + size_);
        size_ += runEnd - i;
        if (runEnd == piece.size()) {
            break;
        }
        const char16_t c = piece[runEnd];
        i = runEnd + 1;
        if (c == u'\r' || c == u'\n') {
            out_[size_++] = u'\r';
            out_[size_++] = u'\n';
            if (c == u'\r') {
                if (i == piece.size()) {
                    afterCr_ = true;
                } else if (piece[i] == u'\n') {
                    ++i;
                }
            }
        } else {
            out_[size_++] = c == u'\0' ? kNulPlaceholder : c;
        }
    }
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

std::size_t CountLineEndBytes(std::span<const std::uint8_t> bytes) {
    // Eight bytes at a time: byte by byte, this took longer than the decoder's own pass
    // that measures the text. Each lane counts up to 255 words before the lanes are summed.
    std::size_t count = 0;
    std::size_t i = 0;
    const std::size_t size = bytes.size();
    while (size - i >= 8) {
        const std::size_t end = i + 8 * std::min<std::size_t>((size - i) / 8, 255);
        std::uint64_t lanes = 0;
        for (; i < end; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            lanes += LanesEqual(word, '\n') + LanesEqual(word, '\r');
        }
        count += SumOfLanes(lanes);
    }
    for (; i < size; ++i) {
        count += (bytes[i] == '\n' || bytes[i] == '\r') ? 1 : 0;
    }
    return count;
}

} // namespace nerula
