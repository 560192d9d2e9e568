#include "baseline_decode.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include <windows.h>

#include "common/win/unique_handle.h"

namespace nerula::bench {

BaselineBytes ReadBytes(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart >= INT_MAX) {
        throw std::runtime_error("cannot read the file");
    }
    BaselineBytes result;
    result.size = static_cast<std::size_t>(size.QuadPart);
    // Not cleared first: the read writes every byte.
    result.bytes = std::make_unique_for_overwrite<char[]>(result.size);
    std::size_t done = 0;
    while (done < result.size) {
        DWORD read = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(result.size - done, 1u << 30));
        if (!ReadFile(file.Get(), result.bytes.get() + done, chunk, &read, nullptr) || read == 0) {
            throw std::runtime_error("cannot read the file");
        }
        done += read;
    }
    return result;
}

BaselineText Convert(const BaselineBytes& bytes, std::uint32_t codePage) {
    BaselineText text;
    // One unit per byte is room enough for every code page read here; the units beyond
    // the text are never written, so they are not cleared either.
    text.units = std::make_unique_for_overwrite<wchar_t[]>(bytes.size + 1);
    if (bytes.size != 0) {
        const int length = MultiByteToWideChar(codePage, 0, bytes.bytes.get(), static_cast<int>(bytes.size),
                                               text.units.get(), static_cast<int>(bytes.size));
        if (length <= 0) {
            throw std::runtime_error("cannot convert the file");
        }
        text.length = static_cast<std::size_t>(length);
    }
    text.units[text.length] = L'\0';
    return text;
}

} // namespace nerula::bench
