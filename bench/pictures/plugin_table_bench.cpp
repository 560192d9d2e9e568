#include "plugin_table_bench.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

#include "common/win/wide.h"
#include "image/plugin_table.h"
#include "image/win/plugin_scanner.h"
#include "statistics.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

constexpr int kCounts[] = {10, 25, 50};

// A folder of copies named p000.sph, p001.sph, … (the suffix is the plug-in's own).
std::wstring MakeCopies(const std::wstring& folder, const std::wstring& plugin, int count) {
    const std::wstring suffix = plugin.substr(plugin.rfind(L'.'));
    const std::wstring copies = folder + L"\\plugins" + std::to_wstring(count);
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(copies.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"\\p%03d", i);
        if (!CopyFileW(plugin.c_str(), (copies + name + suffix).c_str(), FALSE)) {
            throw std::runtime_error("CopyFileW failed, error " + std::to_string(GetLastError()));
        }
    }
    return copies;
}

double BuildOnce(const std::wstring& copies, int count) {
    PluginTable table;
    const Stopwatch watch;
    BuildPluginTable(table, ToU16(copies));
    const double elapsed = watch.Milliseconds();
    // Two built-in lines and one per copy: every copy was loaded and accepted.
    if (table.Lines().size() != static_cast<std::size_t>(count) + 2) {
        throw std::runtime_error("the plug-in table misses copies");
    }
    return elapsed;
}

} // namespace

void RunPluginTableBench(const std::wstring& folder, const std::wstring& plugin, int repetitions) {
    std::vector<std::wstring> copies;
    for (const int count : kCounts) {
        copies.push_back(MakeCopies(folder, plugin, count));
    }
    std::vector<std::vector<double>> samples(copies.size());
    for (std::size_t i = 0; i < copies.size(); ++i) {
        BuildOnce(copies[i], kCounts[i]); // unmeasured: the files come into the cache
    }
    for (int round = 0; round < repetitions; ++round) {
        for (std::size_t i = 0; i < copies.size(); ++i) {
            samples[i].push_back(BuildOnce(copies[i], kCounts[i]));
        }
    }
    std::printf("Building the plug-in table, median of %d interleaved runs\n", repetitions);
    std::printf("%-22s %9s %12s\n", "plug-ins", "ms/build", "ms/plug-in");
    std::vector<double> perPlugin;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const double build = Median(samples[i]);
        perPlugin.push_back(build / kCounts[i]);
        std::printf("%-22d %9.2f %12.3f\n", kCounts[i], build, perPlugin.back());
    }
    const auto [least, most] = std::minmax_element(perPlugin.begin(), perPlugin.end());
    // Within a third of each other counts as linear: the per-plug-in cost is a load and
    // two calls, and nothing in the scan should grow with the folder.
    std::printf("%-22s %9s %12.2f  %s\n", "largest/smallest", "", *most / *least,
                *most / *least < 1.33 ? "linear" : "NOT linear");
}

} // namespace nerula::bench
