// Hands out pictures whose BITMAPINFO promises more memory than comes with it, so that
// tests see the program check the sizes before it reads (liar_variants.h lists the lies).
// GetPictureInfo tells the same lie as the header.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "liar_variants.h"
#include "local_block.h"
#include "ntp_format.h"
#include "plugin_exports.h"
#include "plugin_info.h"
#include "plugin_result.h"

namespace nerula::plugins {
namespace {

struct Lie {
    BITMAPINFOHEADER header;
    std::size_t infoSize;
    std::size_t bitsSize;
};

Lie LieFor(LPCSTR data, LONG_PTR length) {
    const char variant = data != nullptr && length > 0 ? data[0] : liar::kTaller;
    const bool indexed = variant == liar::kPaletteMissing;
    const WORD bitsPerPixel = indexed ? 8 : 24;
    const auto stride = static_cast<std::size_t>(ntp::RowStride(liar::kTrueSize, bitsPerPixel));

    Lie lie{};
    BITMAPINFOHEADER& header = lie.header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = liar::kTrueSize;
    header.biHeight = liar::kTrueSize;
    header.biPlanes = 1;
    header.biBitCount = bitsPerPixel;
    header.biCompression = BI_RGB;
    lie.infoSize = sizeof(BITMAPINFOHEADER);
    lie.bitsSize = stride * liar::kTrueSize;
    switch (variant) {
    case liar::kWider:
        header.biWidth = 65536;
        break;
    case liar::kSizeImage:
        header.biSizeImage = 64 << 20;
        break;
    case liar::kInfoCut:
        lie.infoSize = 16;
        break;
    case liar::kPaletteMissing:
        header.biClrUsed = 256;
        break;
    default:
        header.biHeight = 65536;
        break;
    }
    if (header.biSizeImage == 0) {
        header.biSizeImage =
            static_cast<DWORD>(ntp::RowStride(static_cast<std::uint64_t>(header.biWidth), bitsPerPixel) *
                               static_cast<std::uint64_t>(header.biHeight));
    }
    return lie;
}

} // namespace
} // namespace nerula::plugins

using namespace nerula::plugins;

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr PluginTexts kTexts{"00IN", "Nerula test plug-in: liar", "*.nli",
                                        "Pictures with a lying header"};
    return AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}

int WINAPI GetPictureInfo(LPCSTR data, LONG_PTR length, unsigned int, nerula::susie::PictureInfo* info) {
    if (info == nullptr) {
        return kBrokenData;
    }
    const Lie lie = LieFor(data, length);
    *info = nerula::susie::PictureInfo{};
    info->width = lie.header.biWidth;
    info->height = lie.header.biHeight;
    info->colorDepth = static_cast<SHORT>(lie.header.biBitCount);
    return kSuccess;
}

int WINAPI GetPicture(LPCSTR data, LONG_PTR length, unsigned int, HLOCAL* info, HLOCAL* bits,
                      nerula::susie::ProgressCallback progress, LONG_PTR userValue) {
    if (info == nullptr || bits == nullptr) {
        return kBrokenData;
    }
    const Lie lie = LieFor(data, length);
    nerula::LocalMemory infoMemory = AllocateMoveable(lie.infoSize);
    nerula::LocalMemory bitsMemory = AllocateMoveable(lie.bitsSize);
    if (!infoMemory || !bitsMemory) {
        return kOutOfMemory;
    }
    {
        const LocalLockGuard lock(infoMemory.Get());
        if (lock.Data() == nullptr) {
            return kOutOfMemory;
        }
        std::memcpy(lock.Data(), &lie.header, std::min(lie.infoSize, sizeof lie.header));
    }
    if (progress != nullptr) {
        progress(1, 1, userValue);
    }
    *info = infoMemory.Release();
    *bits = bitsMemory.Release();
    return kSuccess;
}

int WINAPI IsSupported(LPCSTR, void* dw) {
    // Any file will do, but a file handle (nothing above its low 16 bits) is not read.
    return (reinterpret_cast<std::uintptr_t>(dw) & ~std::uintptr_t{0xFFFF}) != 0 ? 1 : 0;
}
