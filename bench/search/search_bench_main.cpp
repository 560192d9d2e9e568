// The search benchmarks, one program with a command for each part of bench/search/run.sh:
//   search_bench first MEGABYTES REPETITIONS OBJECT_REPETITIONS
//       the first search over prose of that size (as UTF-16), in each mode, against baselines
//   search_bench steps WORDS PLACES STEPS MODE...
//       F3 and Shift+F3 over the cached matches of a text with WORDS occurrences, in each
//       MODE (literal, builtin, object), and the memory of the list
// Both run in one process with a hidden window holding the viewer's own text view.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "common/exception.h"
#include "common/win/com.h"
#include "first_search.h"
#include "report.h"
#include "search_report.h"
#include "step_search.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: search_bench first MEGABYTES REPETITIONS OBJECT_REPETITIONS\n"
                         "       search_bench steps WORDS PLACES STEPS MODE...\n");
    return 2;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::wstring command = argv[1];
    if (command == L"first" && argc == 5) {
        nerula::bench::RunFirstSearch(std::stoul(argv[2]), std::stoi(argv[3]), std::stoi(argv[4]));
        return 0;
    }
    if (command == L"steps" && argc >= 6) {
        std::vector<nerula::bench::SearchMode> modes;
        for (int i = 5; i < argc; ++i) {
            const auto mode = nerula::bench::ModeNamed(argv[i]);
            if (!mode) {
                return Usage();
            }
            modes.push_back(*mode);
        }
        nerula::bench::RunSteps(std::stoul(argv[2]), std::stoi(argv[3]), std::stoi(argv[4]), modes);
        return 0;
    }
    return Usage();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    nerula::bench::PrepareOutput();
    try {
        // As in Nerula's program, COM stays initialised for the thread the whole time.
        const nerula::ComInitialization com;
        return Run(argc, argv);
    } catch (const nerula::Exception& error) {
        std::fprintf(stderr, "search_bench: %s\n", nerula::bench::Utf8(error.Message()).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "search_bench: %s\n", error.what());
    }
    return 1;
}
