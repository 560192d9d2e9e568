#pragma once
// The files a benchmark program is given: each as three arguments, a label for the table
// ("SJIS 1MB"), the code page the file is written in, and its path.

#include <cstdint>
#include <string>
#include <vector>

namespace nerula::bench {

struct BenchFile {
    std::string label;
    std::uint32_t codePage;
    std::wstring path;
};

// Reads the triples from arguments[first] on; throws std::invalid_argument when they do
// not come in threes or a code page is not a number.
std::vector<BenchFile> ParseBenchFiles(int count, wchar_t** arguments, int first);

// ASCII and UTF-8 for the printed table.
std::string Utf8(const std::wstring& text);

} // namespace nerula::bench
