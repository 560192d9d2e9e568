#include "image/win/picture_decoding.h"

#include <span>
#include <utility>

#include "common/exception.h"
#include "common/win/locked_local.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "image/bmp_reader.h"
#include "image/win/plugin_library.h"

namespace nerula {
namespace {

bool IsBuiltIn(const std::u16string& extension) {
    return extension == u".BMP" || extension == u".DIB";
}

std::optional<PluginLibrary> LibraryFor(const std::wstring& path, const PluginTable& table) {
    const std::optional<std::u16string> library = FindPlugin(table, PathExtension(ToU16(path)));
    if (!library || library->empty()) {
        return std::nullopt;
    }
    return PluginLibrary::Load(ToWide(*library));
}

std::span<const std::uint8_t> Bytes(const LockedLocal<const std::uint8_t>& block) {
    return {block.Get(), block.Bytes()};
}

int WINAPI GoOn(int, int, LONG_PTR) {
    return 0;
}

// Decoded straight into the DIB section: the pixels are neither held nor copied twice.
// `read` is given the target that makes the picture once its size is known.
template <typename Read>
Picture DecodeIntoPicture(const Read& read) {
    Picture picture;
    read([&picture](std::int32_t width, std::int32_t height) {
        picture = Picture(width, height);
        return picture.MutablePixels();
    });
    return picture;
}

Picture ReadBmpPicture(std::span<const std::uint8_t> file) {
    return DecodeIntoPicture([file](const auto& target) { ReadBmpFileInto(file, target); });
}

// A plug-in's BITMAPINFO and rows, read by the same careful reader as BMP files, which
// checks the header against the sizes of the two handles before any row is read and turns
// rows stored top-down the right way up. Whatever fails, the reader or the DIB section,
// means no picture.
std::optional<Picture> PictureFromDib(std::span<const std::uint8_t> info,
                                      std::span<const std::uint8_t> bits) {
    try {
        return DecodeIntoPicture([info, bits](const auto& target) { ReadDibInto(info, bits, target); });
    } catch (const Exception&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<std::u16string> FindPlugin(const PluginTable& table, std::u16string_view extension) {
    return table.Find(extension, [](std::u16string_view a, std::u16string_view b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                              reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                              reinterpret_cast<const wchar_t*>(b.data()),
                              static_cast<int>(b.size())) == CSTR_EQUAL;
    });
}

std::optional<Picture> DecodePicture(const std::wstring& path, const MemoryStream& stream,
                                     const PluginTable& table, HWND owner) {
    if (IsBuiltIn(PathExtension(ToU16(path)))) {
        return ReadBmpPicture(stream.Bytes());
    }
    const std::optional<PluginLibrary> library = LibraryFor(path, table);
    if (!library) {
        return std::nullopt;
    }
    const auto getPicture = library->Find<susie::GetPictureFunction>("GetPicture");
    if (getPicture == nullptr) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> data = stream.Bytes();
    LocalMemory info;
    LocalMemory bits;
    if (getPicture(reinterpret_cast<LPCSTR>(data.data()), static_cast<LONG_PTR>(data.size()),
                   susie::kDataInMemory, info.Receive(), bits.Receive(), &GoOn,
                   reinterpret_cast<LONG_PTR>(owner)) != 0) {
        // What a failing plug-in left in the handles is not known to be memory: it is
        // neither used nor freed.
        info.Release();
        bits.Release();
        return std::nullopt;
    }
    // Success without both handles is a failure; whichever came is freed by its owner.
    if (!info || !bits) {
        return std::nullopt;
    }
    // Decoded from the plug-in's own memory, which is freed once the picture is made.
    const LockedLocal<const std::uint8_t> lockedInfo(info.Get());
    const LockedLocal<const std::uint8_t> lockedBits(bits.Get());
    return PictureFromDib(Bytes(lockedInfo), Bytes(lockedBits));
}

std::optional<susie::PictureInfo> ReadPictureInfo(const std::wstring& path, const MemoryStream& stream,
                                                  const PluginTable& table) {
    if (IsBuiltIn(PathExtension(ToU16(path)))) {
        const BmpCaptionInfo header = ReadBmpInfoHeader(stream.Bytes());
        susie::PictureInfo info{};
        info.width = header.width;
        info.height = header.height;
        info.horizontalDensity = header.horizontalDensity;
        info.verticalDensity = header.verticalDensity;
        info.colorDepth = header.bitCount;
        return info;
    }
    const std::optional<PluginLibrary> library = LibraryFor(path, table);
    if (!library) {
        return std::nullopt;
    }
    const auto getPictureInfo = library->Find<susie::GetPictureInfoFunction>("GetPictureInfo");
    if (getPictureInfo == nullptr) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> data = stream.Bytes();
    susie::PictureInfo info{};
    if (getPictureInfo(reinterpret_cast<LPCSTR>(data.data()), static_cast<LONG_PTR>(data.size()),
                       susie::kDataInMemory, &info) != 0) {
        return std::nullopt;
    }
    // The text information is the caller's to free; nothing here reads it.
    const LocalMemory textInfo(std::exchange(info.textInfo, nullptr));
    return info;
}

} // namespace nerula
