#include "image/win/picture.h"

#include <algorithm>

#include "common/exception.h"

namespace nerula {

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Picture::Picture(int width, int height, std::span<const std::uint32_t> pixels) : Picture(width, height) {
    std::copy_n(pixels.begin(), std::min(MutablePixels().size(), pixels.size()), bits_);
}

Picture::Picture(Picture&& other) noexcept
    : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      bitmap_(std::move(other.bitmap_)), bits_(std::exchange(other.bits_, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bitmap_ = std::move(other.bitmap_);
        bits_ = std::exchange(other.bits_, nullptr);
    }
    return *this;
}

Picture::Picture(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || bits == nullptr) {
        throw Exception(u"ビットマップ画像が無効です");
    }
    width_ = width;
    height_ = height;
    bits_ = static_cast<std::uint32_t*>(bits);
}

std::span<std::uint32_t> Picture::MutablePixels() noexcept {
    if (Empty()) {
        return {};
    }
    return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

std::span<const std::uint32_t> Picture::Pixels() const noexcept {
    if (Empty()) {
        return {};
    }
    return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

} // namespace nerula
