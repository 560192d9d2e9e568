#include "image/bmp_rle.h"

#include <cstddef>

#include "image/bmp_errors.h"

namespace nerula {
namespace {

// The escape codes that follow a zero count.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

class RleReader {
public:
    RleReader(const BmpLayout& layout, std::span<const std::uint8_t> data, std::span<std::uint32_t> pixels)
        : layout_(layout), data_(data), pixels_(pixels), fourBits_(layout.coding == BmpPixelCoding::Rle4) {}

    void Run() {
        while (y_ < layout_.height) {
            const std::uint8_t count = Next();
            const std::uint8_t value = Next();
            if (count != 0) {
                DrawRun(count, value);
                continue;
            }
            switch (value) {
            case kEndOfLine:
                x_ = 0;
                ++y_;
                break;
            case kEndOfBitmap:
                return;
            case kDelta: {
                const std::uint8_t right = Next();
                const std::uint8_t up = Next();
                x_ += right;
                y_ += up;
                break;
            }
            default:
                DrawAbsolute(value);
                break;
            }
        }
    }

private:
    std::uint8_t Next() {
        if (position_ >= data_.size()) {
            ThrowStreamReadError();
        }
        return data_[position_++];
    }

    // Pixels to the right of the picture are dropped; the position still moves on, so a
    // row that overflows stays overflowed until the next end-of-line.
    void Put(std::uint8_t index) {
        if (x_ < layout_.width) {
            const std::int64_t outputRow = layout_.height - 1 - y_;
            pixels_[static_cast<std::size_t>(outputRow * layout_.width + x_)] = layout_.palette[index];
        }
        ++x_;
    }

    void DrawRun(std::uint8_t count, std::uint8_t value) {
        if (fourBits_) {
            const std::uint8_t indices[2] = {static_cast<std::uint8_t>(value >> 4),
                                             static_cast<std::uint8_t>(value & 0x0F)};
            for (int i = 0; i < count; ++i) {
                Put(indices[i % 2]);
            }
        } else {
            for (int i = 0; i < count; ++i) {
                Put(value);
            }
        }
    }

    // An absolute run stores its indices as they are, padded to a 16-bit boundary.
    void DrawAbsolute(std::uint8_t count) {
        const std::size_t bytes = fourBits_ ? (count + 1u) / 2 : count;
        const std::size_t padded = bytes + bytes % 2;
        if (data_.size() - position_ < padded) {
            ThrowStreamReadError();
        }
        const std::uint8_t* run = data_.data() + position_;
        for (std::size_t i = 0; i < count; ++i) {
            Put(fourBits_ ? static_cast<std::uint8_t>(i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 0x0F)
                          : run[i]);
        }
        position_ += padded;
    }

    const BmpLayout& layout_;
    std::span<const std::uint8_t> data_;
    std::span<std::uint32_t> pixels_;
    const bool fourBits_;
    std::size_t position_ = 0;
    // The pen: x from the left, y in rows from the bottom.
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

} // namespace

void DecodeBmpRle(const BmpLayout& layout, std::span<const std::uint8_t> file,
                  std::span<std::uint32_t> pixels) {
    RleReader(layout, file.subspan(layout.pixelOffset), pixels).Run();
}

} // namespace nerula
