#pragma once
// An encoding object: turns one file's bytes into UTF-16 text for the text view.

#include <cstdint>
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
};

// The error of a converter that gives no character for a non-empty run of bytes.
[[noreturn]] void ThrowNoCharacterMapping();

// UTF-16 in either byte order: two bytes per unit, an odd last byte ignored.
std::unique_ptr<Encoding> MakeUtf16Encoding(bool bigEndian);

} // namespace nerula
