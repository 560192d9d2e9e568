#include "app/command_line.h"

#include "common/integer_text.h"

namespace nerula {
namespace {

bool IsSeparator(char16_t c) {
    return c >= 1 && c <= 32;
}

} // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    for (;;) {
        for (;;) {
            while (i < n && IsSeparator(commandLine[i])) {
                ++i;
            }
            if (i + 1 < n && commandLine[i] == u'"' && commandLine[i + 1] == u'"') {
                i += 2;
            } else {
                break;
            }
        }
        if (i >= n || commandLine[i] == 0) {
            break;
        }
        std::u16string argument;
        while (i < n && commandLine[i] != 0 && !IsSeparator(commandLine[i])) {
            if (commandLine[i] == u'"') {
                ++i;
                while (i < n && commandLine[i] != 0 && commandLine[i] != u'"') {
                    argument += commandLine[i++];
                }
                if (i < n && commandLine[i] == u'"') {
                    ++i;
                }
            } else {
                argument += commandLine[i++];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

bool IsSwitch(std::u16string_view argument) {
    return !argument.empty() && (argument[0] == u'-' || argument[0] == u'/');
}

void ApplySwitch(std::u16string_view argument, FileSwitches& switches) {
    if (argument.size() < 2) {
        return;
    }
    const std::u16string_view value = argument.substr(2);
    switch (argument[1]) {
    case u'C':
    case u'c':
        switches.codePage = ParseUInt32(value).value_or(0);
        break;
    case u'L':
    case u'l':
        switches.line = ParseInt32(value).value_or(1);
        break;
    case u'D':
    case u'd':
        switches.column = ParseInt32(value).value_or(1);
        break;
    default:
        break;
    }
}

std::vector<FileRequest> WalkArguments(const std::vector<std::u16string>& arguments) {
    std::vector<FileRequest> files;
    FileSwitches switches;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].empty()) {
            // What an unclosed quote at the end leaves: no name, so no file.
            continue;
        }
        if (IsSwitch(arguments[i])) {
            ApplySwitch(arguments[i], switches);
        } else {
            files.push_back({arguments[i], switches});
            switches = FileSwitches{};
        }
    }
    return files;
}

} // namespace nerula
