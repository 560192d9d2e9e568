#pragma once
// The baseline that Nerula's opening is measured against: the least any program must do
// to have a file's text in UTF-16 — read the bytes, convert them in one call. No
// detection, no byte-order mark, no line-break or NUL handling.

#include <cstdint>
#include <memory>
#include <string>

namespace nerula::bench {

struct BaselineBytes {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

struct BaselineText {
    // Zero-terminated, so that it can go to an edit control as it is.
    std::unique_ptr<wchar_t[]> units;
    std::size_t length = 0;
};

// Each throws std::runtime_error when the file cannot be read or converted.
BaselineBytes ReadBytes(const std::wstring& path);
BaselineText Convert(const BaselineBytes& bytes, std::uint32_t codePage);

inline BaselineText ReadAndConvert(const std::wstring& path, std::uint32_t codePage) {
    return Convert(ReadBytes(path), codePage);
}

} // namespace nerula::bench
