// The whole opening of a text file, from process start to the text in the window:
// Nerula against the baseline viewer, each started afresh per run, interleaved, with
// their peak memory.
//   open_bench.exe REPETITIONS NERULA BASELINE SMALL-FILE LABEL CODEPAGE PATH [...]
// Each program opens each file REPETITIONS times at least.
// SMALL-FILE is a Shift-JIS file of a few lines: both programs open it once untimed, for
// Wine's caches, and once more for the memory a program needs whatever it shows.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

#include "baseline_decode.h"
#include "bench_files.h"
#include "report.h"
#include "shown_length.h"
#include "statistics.h"
#include "stopwatch.h"
#include "viewer_process.h"

namespace nerula::bench {
namespace {

using namespace std::chrono_literals;

constexpr double kGoal = 1.05;
constexpr int kMostRuns = 15;
constexpr double kBudgetMilliseconds = 30000;

double Megabytes(std::size_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

struct Run {
    double milliseconds;
    std::size_t peak;
};

struct Samples {
    std::vector<double> times;
    std::vector<double> peaks;

    void Add(const Run& run) {
        times.push_back(run.milliseconds);
        peaks.push_back(Megabytes(run.peak));
    }
};

struct ShownLengths {
    std::size_t nerula;
    std::size_t baseline;
    std::size_t fileSize;
    std::size_t lines;
};

ShownLengths LengthsOf(const BenchFile& file) {
    const BaselineBytes bytes = ReadBytes(file.path);
    const BaselineText text = Convert(bytes, file.codePage);
    const auto lines =
        static_cast<std::size_t>(std::count(text.units.get(), text.units.get() + text.length, L'\n'));
    return {LengthWithCrLf(text.units.get(), text.length), text.length, bytes.size, lines + 1};
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

Run OpenOnce(const Viewer& viewer, const std::wstring& arguments, std::size_t length) {
    const Stopwatch clock;
    ViewerProcess process(viewer, arguments);
    if (!process.WaitUntilShown(length, 600s)) {
        throw std::runtime_error(Utf8(viewer.program) + " did not show the text of " + Utf8(arguments));
    }
    return {clock.Milliseconds(), process.PeakWorkingSet()};
}

class Bench {
public:
    Bench(Viewer nerula, Viewer baseline) : nerula_(std::move(nerula)), baseline_(std::move(baseline)) {}

    Run OpenInNerula(const BenchFile& file, const ShownLengths& lengths) const {
        return OpenOnce(nerula_, Quoted(file.path), lengths.nerula);
    }
    Run OpenInBaseline(const BenchFile& file, const ShownLengths& lengths) const {
        return OpenOnce(baseline_, std::to_wstring(file.codePage) + L" " + Quoted(file.path),
                        lengths.baseline);
    }

    void MeasureFixedCost(const BenchFile& small) {
        const ShownLengths lengths = LengthsOf(small);
        OpenInNerula(small, lengths);
        OpenInBaseline(small, lengths);
        const Run nerula = OpenInNerula(small, lengths);
        const Run baseline = OpenInBaseline(small, lengths);
        nerulaFixed_ = nerula.peak;
        baselineFixed_ = baseline.peak;
        char line[200];
        std::snprintf(line, sizeof line,
                      "a file of a few lines: nerula %.0f ms, peak %.1f MB; baseline %.0f ms, peak %.1f MB",
                      nerula.milliseconds, Megabytes(nerulaFixed_), baseline.milliseconds,
                      Megabytes(baselineFixed_));
        PrintNote(line);
    }

    void Measure(const BenchFile& file, int repetitions) const {
        const ShownLengths lengths = LengthsOf(file);
        Samples nerula;
        Samples baseline;
        // Small files open in a second or two, where the machine's other work weighs
        // more: they get more runs, as many as fit in the time budget.
        const Stopwatch clock;
        for (int i = 0; i < repetitions || (i < kMostRuns && clock.Milliseconds() < kBudgetMilliseconds);
             ++i) {
            // Alternate who goes first, so that neither always finds the other's leftovers.
            if (i % 2 == 0) {
                nerula.Add(OpenInNerula(file, lengths));
                baseline.Add(OpenInBaseline(file, lengths));
            } else {
                baseline.Add(OpenInBaseline(file, lengths));
                nerula.Add(OpenInNerula(file, lengths));
            }
        }
        // What a file adds to the memory a program needs anyway: at most the file, and
        // its UTF-16 text twice (the program's copy and the edit control's).
        const double bound = Megabytes(lengths.fileSize + 4 * lengths.nerula);
        const double nerulaAdded = Median(nerula.peaks) - Megabytes(nerulaFixed_);
        const double baselineAdded = Median(baseline.peaks) - Megabytes(baselineFixed_);
        char tail[160];
        std::snprintf(tail, sizeof tail, "   peak +%.1f MB (bound %.1f MB)%s", nerulaAdded, bound,
                      nerulaAdded <= bound ? "" : " OVER");
        PrintTimeRow("open (whole)", file.label, Median(nerula.times), Median(baseline.times), kGoal, tail);

        char line[240];
        // The baseline holds nothing but its text and the control: the rest of what it
        // adds is the control's own bookkeeping.
        const double controlOwn = baselineAdded - Megabytes(4 * lengths.baseline);
        std::snprintf(line, sizeof line,
                      "peak working set: nerula %.1f MB, baseline %.1f MB (+%.1f MB, of it %.1f MB the edit "
                      "control's own, %.0f bytes a line)",
                      Median(nerula.peaks), Median(baseline.peaks), baselineAdded, controlOwn,
                      controlOwn * 1024.0 * 1024.0 /
                          static_cast<double>(std::max<std::size_t>(lengths.lines, 1)));
        PrintNote(line);
    }

private:
    Viewer nerula_;
    Viewer baseline_;
    std::size_t nerulaFixed_ = 0;
    std::size_t baselineFixed_ = 0;
};

} // namespace
} // namespace nerula::bench

int wmain(int argc, wchar_t** argv) {
    using namespace nerula::bench;
    PrepareOutput();
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: open_bench REPETITIONS NERULA BASELINE SMALL-FILE LABEL CODEPAGE PATH...\n");
        return 2;
    }
    try {
        const int repetitions = std::stoi(argv[1]);
        Bench bench({argv[2], L"TMainForm"}, {argv[3], L"TBaselineForm"});
        bench.MeasureFixedCost({"small", 932, argv[4]});
        for (const BenchFile& file : ParseBenchFiles(argc, argv, 5)) {
            bench.Measure(file, repetitions);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "open_bench: %s\n", error.what());
        return 1;
    }
}
