#pragma once
// What Nerula's main window does with a file before the edit control gets the text, with
// automatic code-page selection on: read, detect, create the encoding, load the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/win/unique_handle.h"

namespace nerula::bench {

// The text as the edit control is given it.
struct NerulaText {
    LocalMemory text;
    std::size_t length = 0;
    std::uint32_t codePage = 0;
};

NerulaText OpenLikeNerula(const std::wstring& path);

// The same work step by step, each step's time in milliseconds, so that a slow whole
// can be traced to its part.
struct StepTimes {
    double read = 0;
    double detect = 0;
    double encoding = 0;
    // LoadText whole, and the converter's work alone (its pieces dropped as they come),
    // timed on a call of its own.
    double load = 0;
    double decode = 0;
};

StepTimes TimeNerulaSteps(const std::wstring& path);

} // namespace nerula::bench
