#include "bench_files.h"

#include <stdexcept>

#include <windows.h>

namespace nerula::bench {

std::vector<BenchFile> ParseBenchFiles(int count, wchar_t** arguments, int first) {
    if (first > count || (count - first) % 3 != 0) {
        throw std::invalid_argument("files are given as LABEL CODEPAGE PATH");
    }
    std::vector<BenchFile> files;
    for (int i = first; i < count; i += 3) {
        const std::wstring codePage = arguments[i + 1];
        std::size_t used = 0;
        const unsigned long value = std::stoul(codePage, &used);
        if (used != codePage.size()) {
            throw std::invalid_argument("code page is not a number: " + Utf8(codePage));
        }
        files.push_back({Utf8(arguments[i]), static_cast<std::uint32_t>(value), arguments[i + 2]});
    }
    return files;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length,
                        nullptr, nullptr);
    return result;
}

} // namespace nerula::bench
