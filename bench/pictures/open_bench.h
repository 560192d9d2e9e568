#pragma once
// Opening the large picture: Nerula on the BMP and on the NTP file against the baseline,
// interleaved, and the peak memory of a process that opens it one way only.

#include <string>

namespace nerula::bench {

void RunOpenBench(const std::wstring& folder, int repetitions);

// Opens the picture once in one way ("baseline", "bmp" or "ntp") and prints the process's
// peak committed memory.
void RunPeakMemory(const std::wstring& folder, const std::wstring& way);

} // namespace nerula::bench
