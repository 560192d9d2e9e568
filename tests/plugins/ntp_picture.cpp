#include "ntp_picture.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "local_block.h"
#include "ntp_format.h"
#include "ntp_layout.h"
#include "plugin_result.h"

namespace nerula::plugins {
namespace {

// Only files in memory are read: the program never hands over a file name.
int ReadLayout(LPCSTR data, LONG_PTR length, unsigned int flag, NtpLayout& layout) {
    if ((flag & susie::kDataInMemory) == 0) {
        return kNotImplemented;
    }
    if (length < 0) {
        return kBrokenData;
    }
    return ReadNtpLayout(reinterpret_cast<const unsigned char*>(data), static_cast<std::size_t>(length),
                         layout);
}

BITMAPINFOHEADER HeaderOf(const NtpLayout& layout) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = layout.width;
    header.biHeight = layout.height;
    header.biPlanes = 1;
    header.biBitCount = layout.bitsPerPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(layout.pixelSize);
    header.biClrUsed = layout.paletteOffset != 0 ? static_cast<DWORD>(ntp::kPaletteEntries) : 0;
    return header;
}

// Asks the progress callback whether to go on; without one, always goes on.
bool GoOn(susie::ProgressCallback progress, std::uint32_t done, std::uint32_t total, LONG_PTR userValue) {
    return progress == nullptr || progress(static_cast<int>(done), static_cast<int>(total), userValue) == 0;
}

} // namespace

int DescribeNtp(LPCSTR data, LONG_PTR length, unsigned int flag, susie::PictureInfo* info) {
    NtpLayout layout;
    if (const int result = ReadLayout(data, length, flag, layout); result != kSuccess) {
        return result;
    }
    if (info == nullptr) {
        return kBrokenData;
    }
    *info = susie::PictureInfo{};
    info->width = layout.width;
    info->height = static_cast<LONG>(layout.rows);
    info->colorDepth = static_cast<SHORT>(layout.bitsPerPixel);
    // Like many plug-ins, hands out a block of text information, which the caller frees.
    // The handle is left in the process's environment too, so that a test can tell
    // whether the caller did.
    static constexpr char kText[] = "NTP test picture";
    LocalMemory text = AllocateMoveable(sizeof kText);
    if (const LocalLockGuard lock(text.Get()); lock.Data() != nullptr) {
        std::memcpy(lock.Data(), kText, sizeof kText);
    }
    char handle[32];
    std::snprintf(handle, sizeof handle, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(text.Get())));
    SetEnvironmentVariableA(kTextInfoVariable, handle);
    info->textInfo = text.Release();
    return kSuccess;
}

int DecodeNtp(LPCSTR data, LONG_PTR length, unsigned int flag, HLOCAL* info, HLOCAL* bits,
              susie::ProgressCallback progress, LONG_PTR userValue) {
    NtpLayout layout;
    if (const int result = ReadLayout(data, length, flag, layout); result != kSuccess) {
        return result;
    }
    if (info == nullptr || bits == nullptr) {
        return kBrokenData;
    }
    const auto* file = reinterpret_cast<const unsigned char*>(data);
    const std::size_t paletteSize = layout.paletteOffset != 0 ? ntp::kPaletteSize : 0;

    LocalMemory infoMemory = AllocateMoveable(sizeof(BITMAPINFOHEADER) + paletteSize);
    LocalMemory bitsMemory = AllocateMoveable(layout.pixelSize);
    if (!infoMemory || !bitsMemory) {
        return kOutOfMemory;
    }
    {
        const LocalLockGuard lock(infoMemory.Get());
        if (lock.Data() == nullptr) {
            return kOutOfMemory;
        }
        const BITMAPINFOHEADER header = HeaderOf(layout);
        std::memcpy(lock.Data(), &header, sizeof header);
        if (paletteSize != 0) {
            std::memcpy(lock.Data() + sizeof header, file + layout.paletteOffset, paletteSize);
        }
    }
    {
        const LocalLockGuard lock(bitsMemory.Get());
        if (lock.Data() == nullptr) {
            return kOutOfMemory;
        }
        // The rows go over in two halves, so that the callback hears of the start, the
        // middle and the end.
        const std::uint32_t half = layout.rows / 2;
        const std::size_t halfSize = layout.rowStride * half;
        if (!GoOn(progress, 0, layout.rows, userValue)) {
            return kAborted;
        }
        std::memcpy(lock.Data(), file + layout.pixelOffset, halfSize);
        if (!GoOn(progress, half, layout.rows, userValue)) {
            return kAborted;
        }
        std::memcpy(lock.Data() + halfSize, file + layout.pixelOffset + halfSize,
                    layout.pixelSize - halfSize);
        if (!GoOn(progress, layout.rows, layout.rows, userValue)) {
            return kAborted;
        }
    }
    *info = infoMemory.Release();
    *bits = bitsMemory.Release();
    return kSuccess;
}

} // namespace nerula::plugins
