#pragma once
// Building the plug-in table over folders of 10, 25 and 50 copies of one plug-in: the time
// per plug-in should not grow with their number.

#include <string>

namespace nerula::bench {

void RunPluginTableBench(const std::wstring& folder, const std::wstring& plugin, int repetitions);

} // namespace nerula::bench
