#pragma once
// A file's bytes in memory with a read position: what the opener hands to the views.

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace nerula {

class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Size() const noexcept { return bytes_.size(); }
    std::size_t Position() const noexcept { return position_; }
    // Positions beyond the end are clamped to it: nothing is read from there.
    void SetPosition(std::size_t position) noexcept { position_ = std::min(position, bytes_.size()); }

    std::span<const std::uint8_t> Bytes() const noexcept { return bytes_; }
    // The bytes from the position to the end.
    std::span<const std::uint8_t> Remaining() const noexcept {
        return std::span<const std::uint8_t>(bytes_).subspan(position_);
    }

    // Copies up to destination.size() bytes and moves the position past them.
    std::size_t Read(std::span<std::uint8_t> destination) noexcept {
        const std::size_t count = std::min(destination.size(), bytes_.size() - position_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count, destination.begin());
        position_ += count;
        return count;
    }

    // Gives the memory back once the bytes are no longer needed, so that a large file's
    // bytes are not held while its decoded text is handed on.
    void Release() noexcept {
        std::vector<std::uint8_t>().swap(bytes_);
        position_ = 0;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace nerula
