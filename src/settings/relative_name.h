#pragma once
// Splitting a relative file name such as "Harrowfen\Nerula\Nerula.ini" into the folders to
// make and the file's own name.

#include <string>
#include <string_view>

namespace nerula {

struct SplitName {
    // The folder part without its trailing "\" (kept at a drive root such as "C:\").
    std::u16string directory;
    std::u16string file;
};

// Splits at the last "\" or ":".
SplitName SplitRelativeName(std::u16string_view name);

} // namespace nerula
