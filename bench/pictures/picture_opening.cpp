#include "picture_opening.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "app/win/file_reader.h"
#include "common/memory_stream.h"
#include "image/win/picture_decoding.h"
#include "image/win/susie_plugin_abi.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

std::int32_t LoadI32(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

struct FileBytes {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

// The file's bytes, read as any viewer reads them.
FileBytes ReadAll(const std::wstring& path) {
    const FileHandle handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!handle) {
        Fail("CreateFileW");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.Get(), &size)) {
        Fail("GetFileSizeEx");
    }
    const std::size_t length = static_cast<std::size_t>(size.QuadPart);
    FileBytes file{std::make_unique_for_overwrite<std::uint8_t[]>(length), length};
    DWORD read = 0;
    if (!ReadFile(handle.Get(), file.bytes.get(), static_cast<DWORD>(length), &read, nullptr) ||
        read != length) {
        Fail("ReadFile");
    }
    return file;
}

// A 32-bit top-down DIB section filled from bottom-up 24-bit rows.
void ConvertRows(const std::uint8_t* rows, std::int32_t width, std::int32_t height,
                 BaselinePicture& picture) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    picture.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap || bits == nullptr) {
        Fail("CreateDIBSection");
    }
    picture.bits = static_cast<std::uint32_t*>(bits);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* source = rows + static_cast<std::size_t>(height - 1 - y) * stride;
        std::uint32_t* out = picture.bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (std::int32_t x = 0; x < width; ++x, source += 3) {
            out[x] = static_cast<std::uint32_t>(source[0]) | static_cast<std::uint32_t>(source[1]) << 8 |
                     static_cast<std::uint32_t>(source[2]) << 16;
        }
    }
}

int WINAPI GoOn(int, int, LONG_PTR) {
    return 0;
}

} // namespace

OpenTimes OpenBaseline(const std::wstring& path, BaselinePicture& picture) {
    const Stopwatch whole;
    const FileBytes file = ReadAll(path);
    OpenTimes times;
    times.read = whole.Milliseconds();

    const Stopwatch decoding;
    const std::uint8_t* bytes = file.bytes.get();
    ConvertRows(bytes + LoadI32(bytes + 10), LoadI32(bytes + 18), LoadI32(bytes + 22), picture);
    times.decode = decoding.Milliseconds();
    times.total = whole.Milliseconds();
    return times;
}

OpenTimes OpenPluginBaseline(const std::wstring& path, const std::wstring& plugin, BaselinePicture& picture) {
    const Stopwatch whole;
    const FileBytes file = ReadAll(path);
    OpenTimes times;
    times.read = whole.Milliseconds();

    const Stopwatch decoding;
    const ModuleHandle library(LoadLibraryW(plugin.c_str()));
    const auto getPicture =
        library ? reinterpret_cast<susie::GetPictureFunction>(
                      reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), "GetPicture")))
                : nullptr;
    if (getPicture == nullptr) {
        Fail("loading the plug-in");
    }
    HLOCAL info = nullptr;
    HLOCAL bits = nullptr;
    if (getPicture(reinterpret_cast<LPCSTR>(file.bytes.get()), static_cast<LONG_PTR>(file.size),
                   susie::kDataInMemory, &info, &bits, &GoOn, 0) != 0) {
        Fail("GetPicture");
    }
    const LocalMemory infoMemory(info);
    const LocalMemory bitsMemory(bits);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LocalLock(info));
    const auto* rows = static_cast<const std::uint8_t*>(LocalLock(bits));
    ConvertRows(rows, header->biWidth, header->biHeight, picture);
    LocalUnlock(bits);
    LocalUnlock(info);
    times.decode = decoding.Milliseconds();
    times.total = whole.Milliseconds();
    return times;
}

OpenTimes OpenWithNerula(const std::wstring& path, const PluginTable& table,
                         std::optional<Picture>& picture) {
    const Stopwatch whole;
    const MemoryStream stream(ReadWholeFile(path));
    OpenTimes times;
    times.read = whole.Milliseconds();
    const Stopwatch decoding;
    picture = DecodePicture(path, stream, table, nullptr);
    if (!picture || picture->Empty()) {
        throw std::runtime_error("Nerula decoded no picture");
    }
    times.decode = decoding.Milliseconds();
    times.total = whole.Milliseconds();
    return times;
}

} // namespace nerula::bench
