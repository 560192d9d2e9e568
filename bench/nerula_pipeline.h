#pragma once
// What Nerula's main window does with a file before the edit control gets the text, with
// automatic code-page selection on: read, detect, create the encoding, load the text.

#include <cstdint>
#include <string>

namespace nerula::bench {

struct NerulaText {
    std::u16string text;
    std::uint32_t codePage = 0;
};

NerulaText OpenLikeNerula(const std::wstring& path);

// The same work step by step, each step's time in milliseconds, so that a slow whole
// can be traced to its part.
struct StepTimes {
    double read = 0;
    double detect = 0;
    double encoding = 0;
    // LoadText whole, and its decoding alone, timed on a call of its own.
    double load = 0;
    double decode = 0;
};

StepTimes TimeNerulaSteps(const std::wstring& path);

} // namespace nerula::bench
