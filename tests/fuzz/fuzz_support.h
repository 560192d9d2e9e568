#pragma once
// What every fuzz target needs: a broken promise ends the run where the fuzzer sees it,
// and the input's bytes are read as the values a target wants, one after another.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace nerula::fuzz {

// abort() rather than an exception: the fuzzer stops on the signal and keeps the input.
// The fuzzers build with clang only, so the line of the broken check can come from its
// builtins and be printed first.
inline void Check(bool promise, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s:%d\n", file, line);
        std::abort();
    }
}

// Reads values from the input from the front; past its end every value is 0, so that a
// target never has to ask how much is left before it reads.
class InputReader {
public:
    explicit InputReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Empty() const { return at_ >= bytes_.size(); }

    std::uint8_t Byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }

    std::uint16_t Uint16() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }

    std::uint32_t Uint32() {
        const std::uint32_t low = Uint16();
        return low | static_cast<std::uint32_t>(Uint16()) << 16;
    }

    // The bytes not read yet.
    std::span<const std::uint8_t> Rest() const { return bytes_.subspan(std::min(at_, bytes_.size())); }

    // One UTF-16 unit: a byte below 0xF0 stands for the unit of the same value, so that the
    // ASCII text which matters to the parsers is one byte per character and easy for the
    // fuzzer to find; 0xF0 and above take the next two bytes as any unit at all.
    char16_t Unit() {
        const std::uint8_t b = Byte();
        return b < 0xF0 ? static_cast<char16_t>(b) : static_cast<char16_t>(Uint16());
    }

    // As many units as asked for, or fewer at the end of the input.
    std::u16string Units(std::size_t count) {
        std::u16string text;
        while (text.size() < count && !Empty()) {
            text += Unit();
        }
        return text;
    }

    // Units up to the given one (which is consumed, not kept) or the end of the input.
    std::u16string Text(char16_t end) {
        std::u16string text;
        while (!Empty()) {
            const char16_t c = Unit();
            if (c == end) {
                break;
            }
            text += c;
        }
        return text;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace nerula::fuzz
