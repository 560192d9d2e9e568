#pragma once
// An encoding object: turns one file's bytes into UTF-16 text for the text view.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace nerula {

class Encoding {
public:
    virtual ~Encoding() = default;

    virtual std::uint32_t CodePage() const = 0;
    // The mark that this encoding skips at the start of a text; empty when it has none.
    virtual std::span<const std::uint8_t> ByteOrderMark() const = 0;
    // Decodes a run of bytes in one piece. Invalid sequences are replaced, not reported;
    // a non-empty run that gives no character at all fails with the mapping error.
    virtual std::u16string Decode(std::span<const std::uint8_t> bytes) const = 0;

    using PieceSink = std::function<void(std::u16string_view)>;
    // Decodes the same text as Decode, handing it to `take` in pieces, in order, so that
    // each piece can be taken on while it is still in the cache. By default in one piece.
    virtual void DecodeInPieces(std::span<const std::uint8_t> bytes, const PieceSink& take) const {
        take(Decode(bytes));
    }
    // How many units Decode makes of the bytes at most: the room a caller reserves.
    virtual std::size_t MaxUnits(std::span<const std::uint8_t> bytes) const { return bytes.size(); }
};

// The error of a converter that gives no character for a non-empty run of bytes.
[[noreturn]] void ThrowNoCharacterMapping();

// UTF-16 in either byte order: two bytes per unit, an odd last byte ignored.
std::unique_ptr<Encoding> MakeUtf16Encoding(bool bigEndian);

} // namespace nerula
