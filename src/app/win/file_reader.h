#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nerula {

// Reads the whole file into memory. Others may read the file meanwhile but not write it.
// Fails with "ファイル %s は開けません。 %s ", the full path and the system's error text.
std::vector<std::uint8_t> ReadWholeFile(const std::wstring& fileName);

} // namespace nerula
