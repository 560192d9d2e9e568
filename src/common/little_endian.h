#pragma once
// Little-endian integers in a byte buffer. The caller has checked that the bytes are
// there: these read or write exactly the bytes they are given and never look further.

#include <cstdint>

namespace nerula {

inline std::uint16_t LoadU16(const std::uint8_t* bytes) noexcept {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

inline std::uint32_t LoadU32(const std::uint8_t* bytes) noexcept {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline std::int32_t LoadI32(const std::uint8_t* bytes) noexcept {
    return static_cast<std::int32_t>(LoadU32(bytes));
}

inline void StoreU32(std::uint8_t* bytes, std::uint32_t value) noexcept {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace nerula
