#pragma once
// The parameters with which Nerula starts a new process of itself for a further file.

#include <string>
#include <string_view>

#include "app/command_line.h"

namespace nerula {

// The path in double quotes, any double quote inside doubled.
std::u16string QuotePath(std::u16string_view path);

// "/C%d /L%d /D%d %s": the switches as decimals (the code page unsigned, as it is read back)
// and the quoted path. A new process given these opens the file exactly as this one would
// have.
std::u16string HandOffParameters(const FileRequest& request);

} // namespace nerula
