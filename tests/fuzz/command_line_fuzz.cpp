// Arbitrary command lines into the split and the walk, each compared with a plain reading of
// its header's rules; every file the walk finds must survive the hand-off to a new process;
// and requests made up from the input must survive it exactly when their path can.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/hand_off.h"
#include "common/integer_text.h"
#include "fuzz_support.h"

namespace {

using nerula::FileRequest;
using nerula::FileSwitches;
using nerula::fuzz::Check;

bool IsSeparator(char16_t c) {
    return c >= 1 && c <= 32;
}

// The split, one unit at a time: a quote toggles between inside and outside a quoted run,
// and only outside does a separator end the argument. The string Windows hands over ends at
// its first NUL, and so does the split (the core's tests pin that down).
std::vector<std::u16string> ReferenceSplit(std::u16string_view line) {
    line = line.substr(0, line.find(u'\0'));
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    for (;;) {
        // Where an argument would begin: separators, and pairs of quotes standing alone.
        for (;;) {
            while (i < line.size() && IsSeparator(line[i])) {
                ++i;
            }
            if (line.substr(i, 2) != u"\"\"") {
                break;
            }
            i += 2;
        }
        if (i == line.size()) {
            return arguments;
        }
        std::u16string argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsSeparator(line[i])); ++i) {
            if (line[i] == u'"') {
                quoted = !quoted;
            } else {
                argument += line[i];
            }
        }
        arguments.push_back(argument);
    }
}

std::vector<FileRequest> ReferenceWalk(const std::vector<std::u16string>& arguments) {
    std::vector<FileRequest> files;
    FileSwitches switches;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::u16string& a = arguments[i];
        if (a.empty()) {
            continue;
        }
        if (a[0] != u'-' && a[0] != u'/') {
            files.push_back({a, switches});
            switches = {};
            continue;
        }
        const std::u16string_view value = a.size() > 2 ? std::u16string_view(a).substr(2) : u"";
        const char16_t letter = a.size() > 1 ? a[1] : u'\0';
        if (letter == u'C' || letter == u'c') {
            switches.codePage = nerula::ParseUInt32(value).value_or(0);
        } else if (letter == u'L' || letter == u'l') {
            switches.line = nerula::ParseInt32(value).value_or(1);
        } else if (letter == u'D' || letter == u'd') {
            switches.column = nerula::ParseInt32(value).value_or(1);
        }
    }
    return files;
}

std::u16string ReferenceQuote(std::u16string_view path) {
    std::u16string quoted = u"\"";
    for (const char16_t c : path) {
        quoted += c == u'"' ? u"\"\"" : std::u16string(1, c);
    }
    return quoted + u"\"";
}

// The request as the new process reads it back from its own command line.
std::vector<FileRequest> HandedOff(const FileRequest& request) {
    const std::u16string line =
        u"\"C:\\Program Files\\Nerula\\Nerula.exe\" " + nerula::HandOffParameters(request);
    return nerula::WalkArguments(nerula::SplitCommandLine(line));
}

// Which paths come through the hand-off. Inside its quotes a path keeps its separators, so
// blanks and control characters are fine; but the split has no escape, so a doubled quote
// reads as two quoted runs and the quote itself is lost; a NUL ends the command line; an
// empty path names no file; and a path that begins with "-" or "/" is taken for a switch.
// None of these can come out of the walk, so every file the program was given can be
// handed on.
bool CanHandOff(std::u16string_view path) {
    return !path.empty() &&
           path.find_first_of(std::u16string_view(u"\"\0", 2)) == std::u16string_view::npos &&
           path[0] != u'-' && path[0] != u'/';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nerula::fuzz::InputReader input({data, size});

    // A made-up request first, its switches any values at all.
    FileRequest request;
    request.switches.codePage = input.Uint32();
    request.switches.line = static_cast<std::int32_t>(input.Uint32());
    request.switches.column = static_cast<std::int32_t>(input.Uint32());
    request.path = input.Units(input.Byte());
    Check(nerula::QuotePath(request.path) == ReferenceQuote(request.path));
    const std::vector<FileRequest> back = HandedOff(request);
    Check((back == std::vector<FileRequest>{request}) == CanHandOff(request.path));

    // Then the rest of the input as a whole command line.
    const std::u16string line = input.Units(size);
    const std::vector<std::u16string> arguments = nerula::SplitCommandLine(line);
    Check(arguments == ReferenceSplit(line));
    const std::vector<FileRequest> files = nerula::WalkArguments(arguments);
    Check(files == ReferenceWalk(arguments));
    for (const FileRequest& file : files) {
        Check(CanHandOff(file.path));
        Check(HandedOff(file) == std::vector<FileRequest>{file});
    }
    return 0;
}
