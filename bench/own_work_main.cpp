// Nerula's own work in opening a text file (read, detect, create the encoding, load the
// text) against the baseline's read and single conversion, in one process, interleaved,
// so that both meet the same page cache, heap and machine load.
//   own_work_bench.exe [--steps] REPETITIONS LABEL CODEPAGE PATH [LABEL CODEPAGE PATH...]

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include <windows.h>

#include "baseline_decode.h"
#include "bench_files.h"
#include "common/win/com.h"
#include "nerula_pipeline.h"
#include "report.h"
#include "shown_length.h"
#include "statistics.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

constexpr double kGoal = 1.30;

double TimeNerula(const BenchFile& file) {
    const Stopwatch clock;
    const NerulaText text = OpenLikeNerula(file.path);
    return clock.Milliseconds();
}

double TimeBaseline(const BenchFile& file) {
    const Stopwatch clock;
    const BaselineText text = ReadAndConvert(file.path, file.codePage);
    return clock.Milliseconds();
}

// Both must end with the text that the file holds; otherwise their times say nothing.
void CheckSameText(const BenchFile& file) {
    const NerulaText nerula = OpenLikeNerula(file.path);
    const BaselineText baseline = ReadAndConvert(file.path, file.codePage);
    const std::size_t expected = LengthWithCrLf(baseline.units.get(), baseline.length);
    if (nerula.codePage != file.codePage) {
        PrintNote("warning: Nerula read the file as code page " + std::to_string(nerula.codePage) + ", not " +
                  std::to_string(file.codePage));
    }
    if (nerula.length != expected) {
        PrintNote("warning: Nerula's text has " + std::to_string(nerula.length) + " units, expected " +
                  std::to_string(expected));
    }
}

void PrintSteps(const BenchFile& file, int repetitions) {
    std::vector<StepTimes> runs;
    std::vector<double> baselineRead;
    std::vector<double> baselineConvert;
    for (int i = 0; i < repetitions; ++i) {
        runs.push_back(TimeNerulaSteps(file.path));
        Stopwatch clock;
        const BaselineBytes bytes = ReadBytes(file.path);
        baselineRead.push_back(clock.Milliseconds());
        clock = Stopwatch();
        const BaselineText text = Convert(bytes, file.codePage);
        baselineConvert.push_back(clock.Milliseconds());
    }
    const auto median = [&](double StepTimes::*step) {
        std::vector<double> values;
        for (const StepTimes& run : runs) {
            values.push_back(run.*step);
        }
        return Median(values);
    };
    char line[256];
    const double load = median(&StepTimes::load);
    const double decode = median(&StepTimes::decode);
    std::snprintf(
        line, sizeof line,
        "steps: read %.1f  detect %.1f  encoding %.1f  load text %.1f (convert %.1f, writing the shown "
        "text %.1f) ms",
        median(&StepTimes::read), median(&StepTimes::detect), median(&StepTimes::encoding), load, decode,
        load - decode);
    PrintNote(line);
    std::snprintf(line, sizeof line, "baseline: read %.1f  convert %.1f ms", Median(baselineRead),
                  Median(baselineConvert));
    PrintNote(line);
}

void Run(const BenchFile& file, int repetitions, bool steps) {
    // One untimed round each: the file into the page cache, MLang's library loaded, the
    // heap grown, as for every later opening in a running program.
    TimeNerula(file);
    TimeBaseline(file);
    std::vector<double> nerula;
    std::vector<double> baseline;
    for (int i = 0; i < repetitions; ++i) {
        // Alternate who goes first, so that neither always finds the other's leftovers.
        if (i % 2 == 0) {
            nerula.push_back(TimeNerula(file));
            baseline.push_back(TimeBaseline(file));
        } else {
            baseline.push_back(TimeBaseline(file));
            nerula.push_back(TimeNerula(file));
        }
    }
    PrintTimeRow("open (own work)", file.label, Median(nerula), Median(baseline), kGoal);
    CheckSameText(file);
    if (steps) {
        PrintSteps(file, repetitions);
    }
}

} // namespace
} // namespace nerula::bench

int wmain(int argc, wchar_t** argv) {
    using namespace nerula::bench;
    PrepareOutput();
    try {
        int first = 1;
        const bool steps = argc > first && std::wstring(argv[first]) == L"--steps";
        if (steps) {
            ++first;
        }
        if (argc <= first) {
            std::fprintf(stderr, "usage: own_work_bench [--steps] REPETITIONS LABEL CODEPAGE PATH...\n");
            return 2;
        }
        const int repetitions = std::stoi(argv[first]);
        // Nerula's program holds COM for its thread the whole time; detection's own
        // initialisation then only nests, and MLang stays loaded between files.
        const nerula::ComInitialization com;
        for (const BenchFile& file : ParseBenchFiles(argc, argv, first + 1)) {
            Run(file, repetitions, steps);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "own_work_bench: %s\n", error.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "own_work_bench: failed\n");
        return 1;
    }
}
