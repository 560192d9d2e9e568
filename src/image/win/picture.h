#pragma once
// A decoded picture as a 32-bit top-down DIB section: what the image control draws and
// Copy puts on the clipboard.

#include <cstdint>
#include <span>
#include <utility>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula {

class Picture {
public:
    Picture() = default;
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;

    // A black picture of this size, to be filled through MutablePixels.
    Picture(int width, int height);
    // Pixels are 0x00RRGGBB values, rows top-down without padding.
    Picture(int width, int height, std::span<const std::uint32_t> pixels);

    bool Empty() const noexcept { return width_ <= 0 || height_ <= 0; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    HBITMAP Handle() const noexcept { return static_cast<HBITMAP>(bitmap_.Get()); }
    std::span<const std::uint32_t> Pixels() const noexcept;
    std::span<std::uint32_t> MutablePixels() noexcept;

private:
    int width_ = 0;
    int height_ = 0;
    GdiObject bitmap_;
    std::uint32_t* bits_ = nullptr;
};

// The BITMAPINFO of a 32-bit top-down DIB of this size.
BITMAPINFO TopDownInfo(int width, int height);

} // namespace nerula
