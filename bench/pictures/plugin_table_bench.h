#pragma once
// Building the plug-in table over folders of 10, 25 and 50 copies of one plug-in: the time
// per plug-in should not grow with their number.

#include <string>

namespace nerula::bench {

void RunPluginTableBench(const std::wstring& folder, const std::wstring& plugin, int repetitions);

// One keystroke in the Options dialog's plug-in folder, which rebuilds the table at once:
// the last character of a folder of 50 copies typed, and taken back, into the real dialog.
void RunFolderKeystrokeBench(const std::wstring& folder, const std::wstring& plugin, int repetitions);

} // namespace nerula::bench
