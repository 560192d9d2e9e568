#include "app/win/file_reader.h"

#include <algorithm>

#include <windows.h>

#include "common/exception.h"
#include "common/text_format.h"
#include "common/win/system_error.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace nerula {
namespace {

std::wstring FullPathName(const std::wstring& fileName) {
    const DWORD needed = GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return fileName;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(fileName.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return fileName;
    }
    full.resize(length);
    return full;
}

[[noreturn]] void ThrowOpenError(const std::wstring& fileName, DWORD code) {
    throw Exception(FormatText(u"ファイル %s は開けません。 %s ",
                               {ToU16(FullPathName(fileName)), SystemErrorText(code)}));
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& fileName) {
    const FileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        ThrowOpenError(fileName, GetLastError());
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        ThrowOpenError(fileName, GetLastError());
    }
    if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) {
        ThrowOpenError(fileName, ERROR_NOT_ENOUGH_MEMORY);
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        ThrowOpenError(fileName, ERROR_NOT_ENOUGH_MEMORY);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) {
            ThrowOpenError(fileName, GetLastError());
        }
        if (read == 0) {
            break; // the file shrank while it was read; keep what is there
        }
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace nerula
