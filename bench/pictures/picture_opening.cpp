#include "picture_opening.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "app/file_reader.h"
#include "common/memory_stream.h"
#include "image/win/picture_decoding.h"
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

} // namespace

OpenTimes OpenBaseline(const std::wstring& path, BaselinePicture& picture) {
    const Stopwatch whole;
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        Fail("CreateFileW");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        Fail("GetFileSizeEx");
    }
    const std::size_t length = static_cast<std::size_t>(size.QuadPart);
    const auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(length);
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.get(), static_cast<DWORD>(length), &read, nullptr) || read != length) {
        Fail("ReadFile");
    }
    OpenTimes times;
    times.read = whole.Milliseconds();

    const Stopwatch decoding;
    const std::int32_t width = LoadI32(bytes.get() + 18);
    const std::int32_t height = LoadI32(bytes.get() + 22);
    const std::uint8_t* rows = bytes.get() + LoadI32(bytes.get() + 10);
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
