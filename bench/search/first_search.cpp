// The first search: the view's text read, the engine run over all of it, the first match
// after the caret selected and scrolled to. A search after ReleaseMatches is a first one,
// as after opening a file.

#include "first_search.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "baselines.h"
#include "common/win/wide.h"
#include "report.h"
#include "search_modes.h"
#include "search_report.h"
#include "search_text.h"
#include "search_window.h"
#include "statistics.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

constexpr double kGoal = 1.5;
// About as often as the word stands in 16 MB of prose.
constexpr std::size_t kWordsIn16Mb = 100000;

std::string Format(const char* format, auto... values) {
    char line[512];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

double TimeNerula(TextSearch& search, SearchWindow& window) {
    search.ReleaseMatches();
    window.PlaceCaret(0);
    const Stopwatch clock;
    const TextSearch::Outcome outcome = search.FindAndSelect(window.View());
    const double milliseconds = clock.Milliseconds();
    if (outcome != TextSearch::Outcome::Selected) {
        PrintNote("warning: the search selected nothing");
    }
    return milliseconds;
}

// Both must find the same matches, and Nerula must select the first; otherwise the times
// compare different work. Run before the timing, as both sides' untimed round; what is
// wrong is told under the row.
std::vector<std::string> CheckSameMatches(TextSearch& search, SearchWindow& window,
                                          std::size_t baselineCount) {
    std::vector<std::string> warnings;
    TimeNerula(search, window);
    const TMatches* matches = search.Matches();
    const std::size_t count = matches != nullptr ? matches->Count() : 0;
    if (count != baselineCount) {
        warnings.push_back(
            Format("warning: Nerula found %zu matches, the baseline %zu", count, baselineCount));
    }
    const std::size_t first = window.View().Text().find(kSearchWord);
    const TextSelection selection = window.View().Selection();
    if (selection.start != first || selection.length != kSearchWord.size()) {
        warnings.push_back(Format("warning: Nerula selected %lu+%lu, the first match is at %zu",
                                  static_cast<unsigned long>(selection.start),
                                  static_cast<unsigned long>(selection.length), first));
    }
    return warnings;
}

void RunMode(SearchMode mode, SearchWindow& window, const std::string& size, int repetitions) {
    const ModeSetup setup = SetupFor(mode);
    const std::string label = setup.name + " " + size;
    TextSearch search(setup.engines);
    Prepare(search, setup);
    const bool ignoreCase = !setup.options.Has(TREFindOption::frMatchCase);
    const HWND edit = window.Edit();

    std::function<std::size_t()> baseline;
    std::unique_ptr<BoostBaseline> boost;
    std::unique_ptr<ObjectBaseline> object;
    switch (mode) {
    case SearchMode::Literal:
        baseline = [&] { return CountLiteral(edit, setup.findText); };
        break;
    case SearchMode::Builtin:
        boost = std::make_unique<BoostBaseline>(ToWide(setup.findText), ignoreCase);
        baseline = [&] { return boost->Count(edit); };
        break;
    case SearchMode::Object: {
        std::string why;
        object = ObjectBaseline::Create(ToWide(setup.findText), ignoreCase, why);
        if (!object || !search.Regexp().UsesObject()) {
            std::printf("%-17s %-16s skipped: %s\n", "search (first)", label.c_str(),
                        !object ? why.c_str() : "Nerula's component could not create the object");
            return;
        }
        baseline = [&] { return object->Count(edit); };
        break;
    }
    }

    // The untimed round of each is the check: the engine's pattern compiled, the object's
    // library loaded, the heap grown.
    const std::size_t baselineCount = baseline();
    const std::vector<std::string> warnings = CheckSameMatches(search, window, baselineCount);
    const std::size_t matchCount = search.Matches() != nullptr ? search.Matches()->Count() : 0;
    const std::size_t listBytes = search.Matches() != nullptr ? search.Matches()->MemoryBytes() : 0;
    std::vector<double> nerula;
    std::vector<double> plain;
    const auto timeBaseline = [&] {
        const Stopwatch clock;
        baseline();
        plain.push_back(clock.Milliseconds());
    };
    for (int i = 0; i < repetitions; ++i) {
        // Alternate who goes first, so that neither always finds the other's leftovers.
        if (i % 2 == 0) {
            nerula.push_back(TimeNerula(search, window));
            timeBaseline();
        } else {
            timeBaseline();
            nerula.push_back(TimeNerula(search, window));
        }
    }
    if (mode == SearchMode::Object) {
        PrintRatioRow("search (first)", label, Median(nerula), Median(plain));
    } else {
        PrintTimeRow("search (first)", label, Median(nerula), Median(plain), kGoal);
    }
    for (const std::string& warning : warnings) {
        PrintNote(warning);
    }
    if (matchCount > 0 && !nerula.empty()) {
        PrintNote(Format("%zu matches%s; the list keeps %.1f B a match besides its copy of "
                         "the text; Nerula's %d rounds took %.1f to %.1f ms",
                         matchCount, matchCount == baselineCount ? ", as many as the baseline's" : "",
                         static_cast<double>(listBytes) / static_cast<double>(matchCount), repetitions,
                         *std::min_element(nerula.begin(), nerula.end()),
                         *std::max_element(nerula.begin(), nerula.end())));
    }
}

} // namespace

void RunFirstSearch(std::size_t megabytes, int repetitions, int objectRepetitions) {
    const std::size_t units = megabytes * 1024 * 1024 / sizeof(char16_t);
    const std::size_t words = std::max<std::size_t>(kWordsIn16Mb * megabytes / 16, 1);
    SearchText text = MakeProse(units, units / words);
    const std::size_t length = text.length;
    PrintNote(Format("%zu MB of prose as UTF-16: %zu units, %zu CR LF lines, %zu times \"%s\"", megabytes,
                     length, text.lines, text.words, Utf8(kSearchWord).c_str()));
    SearchWindow window;
    const double load = window.Load(std::move(text));
    PrintNote(Format("loading it into the view (once) took %.1f s", load / 1000.0));
    const std::string size = std::to_string(megabytes) + "MB";
    RunMode(SearchMode::Literal, window, size, repetitions);
    RunMode(SearchMode::Builtin, window, size, repetitions);
    RunMode(SearchMode::Object, window, size, objectRepetitions);
}

} // namespace nerula::bench
