#pragma once
// How Nerula reads its command line: the split into arguments and the walk over them,
// which pairs every file with the switches that precede it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nerula {

// Characters 1 to 32 separate arguments; a double quote opens a run that lasts to the
// next double quote (blanks inside belong to the argument, the quotes are dropped); a
// pair of quotes standing alone where an argument would begin is skipped. There is no
// escape character. Element 0 is the program's own path.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

// The switches that apply to the next file: /C code page, /L line, /D column.
struct FileSwitches {
    std::uint32_t codePage = 0; // 0: none requested
    std::int32_t line = 1;
    std::int32_t column = 1;

    bool operator==(const FileSwitches&) const = default;
};

struct FileRequest {
    std::u16string path;
    FileSwitches switches;

    bool operator==(const FileRequest&) const = default;
};

// True when the argument is a switch ("-" or "/" first), whether or not it is known.
bool IsSwitch(std::u16string_view argument);

// Applies one switch argument to the state. Unknown letters are ignored; an invalid value
// gives that switch's default.
void ApplySwitch(std::u16string_view argument, FileSwitches& switches);

// Walks arguments 1 to the last: each file takes the switches given since the previous
// file, which are then reset. Switches after the last file have no effect. An empty
// argument names no file and is passed over.
std::vector<FileRequest> WalkArguments(const std::vector<std::u16string>& arguments);

} // namespace nerula
