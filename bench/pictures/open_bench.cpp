#include "open_bench.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

#include <windows.h>
#include <psapi.h>

#include "image/win/plugin_scanner.h"
#include "common/win/wide.h"
#include "picture_files.h"
#include "picture_opening.h"
#include "statistics.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

struct Samples {
    std::vector<double> total;
    std::vector<double> read;
    std::vector<double> decode;

    void Add(const OpenTimes& times) {
        total.push_back(times.total);
        read.push_back(times.read);
        decode.push_back(times.decode);
    }
};

// Each open's picture is destroyed before the next open, so that only one is held.
OpenTimes OpenOnce(const std::wstring& way, const PictureFiles& files, const PluginTable& table) {
    if (way == L"baseline") {
        BaselinePicture picture;
        return OpenBaseline(files.bmp, picture);
    }
    if (way == L"plugin-baseline") {
        BaselinePicture picture;
        return OpenPluginBaseline(files.ntp, files.pluginFolder + L"\\ntp.sph", picture);
    }
    std::optional<Picture> picture;
    return OpenWithNerula(way == L"bmp" ? files.bmp : files.ntp, table, picture);
}

void PrintRow(const char* name, const Samples& samples, double baseline) {
    const double total = Median(samples.total);
    std::printf("%-22s %9.1f %9.1f %9.1f %7.2fx\n", name, total, Median(samples.read), Median(samples.decode),
                total / baseline);
}

} // namespace

void RunOpenBench(const std::wstring& folder, int repetitions) {
    const PictureFiles files = PictureFilesIn(folder);
    PluginTable table;
    BuildPluginTable(table, ToU16(files.pluginFolder));
    const wchar_t* ways[] = {L"baseline", L"bmp", L"ntp", L"plugin-baseline"};
    constexpr int kWays = 4;
    Samples samples[kWays];
    // One unmeasured round first: the file cache and the plug-in's first load settle.
    for (const wchar_t* way : ways) {
        OpenOnce(way, files, table);
    }
    for (int round = 0; round < repetitions; ++round) {
        // The order turns each round, so that no way always follows the same neighbour.
        for (int i = 0; i < kWays; ++i) {
            const int way = (i + round) % kWays;
            samples[way].Add(OpenOnce(ways[way], files, table));
        }
    }
    std::printf("Opening a %d x %d 24-bit picture, median of %d interleaved runs (ms)\n", kPictureWidth,
                kPictureHeight, repetitions);
    std::printf("%-22s %9s %9s %9s %8s\n", "", "total", "read", "decode", "ratio");
    const double baseline = Median(samples[0].total);
    PrintRow("baseline (BMP)", samples[0], baseline);
    PrintRow("Nerula BMP", samples[1], baseline);
    PrintRow("Nerula NTP (ntp.sph)", samples[2], baseline);
    // Through a plug-in, the plug-in's own copy of the picture into memory of its own is a
    // cost no viewer escapes: against the least a viewer through it must do, the ratio is
    // Nerula's own share.
    const double throughPlugin = Median(samples[3].total);
    PrintRow("plug-in baseline (NTP)", samples[3], baseline);
    std::printf("%-22s %39.2fx\n", "Nerula NTP / plug-in baseline", Median(samples[2].total) / throughPlugin);
}

void RunPeakMemory(const std::wstring& folder, const std::wstring& way) {
    const PictureFiles files = PictureFilesIn(folder);
    PluginTable table;
    BuildPluginTable(table, ToU16(files.pluginFolder));
    OpenOnce(way, files, table);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        throw std::runtime_error("GetProcessMemoryInfo failed");
    }
    // Windows counts committed memory in PeakPagefileUsage; Wine 8 leaves most of it out
    // there, and its PeakWorkingSetSize (the resident peak) is the telling number: every
    // byte that the open commits is also written, so it is resident.
    constexpr double kMiB = 1024.0 * 1024.0;
    std::printf("%-22ls %12.1f %12.1f\n", way.c_str(), static_cast<double>(counters.PeakPagefileUsage) / kMiB,
                static_cast<double>(counters.PeakWorkingSetSize) / kMiB);
}

} // namespace nerula::bench
