// Steps over the cached matches: what F3 and Shift+F3 cost once the first search has filled
// the list. Each step is the main window's: the direction put into the find window, then
// FindAndSelect, which must only choose among the matches, select and scroll.

#include "step_search.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include <windows.h>

#include "report.h"
#include "search/find_logic.h"
#include "search_report.h"
#include "search_text.h"
#include "search_window.h"
#include "statistics.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

constexpr double kStepLimitMicroseconds = 1000.0;
constexpr double kBytesPerMatchGoal = 24.0;

std::string Format(const char* format, auto... values) {
    char line[512];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

// The process's committed private memory, summed over its address space: the heap's large
// blocks (a match list's, a text copy's) come and go there as they are allocated and freed.
// The process counters would do, but Wine does not keep their private figure up to date.
std::size_t CommittedPrivateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        const char* const next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) {
            break;
        }
        address = next;
    }
    return total;
}

// The spots the caret is put at, the same in every run.
class Spots {
public:
    explicit Spots(std::size_t length) noexcept : length_(length) {}
    DWORD Next() noexcept {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<DWORD>((state_ >> 33) % length_);
    }

private:
    std::size_t length_;
    std::uint64_t state_ = 7;
};

// What tells that a step searched anew: another list, another count, another copy of the
// text (the list lives in the same place whether or not it was made again), or another
// call of the automation object.
struct CacheState {
    const TMatches* list;
    std::size_t count;
    const char16_t* text;
    std::uint64_t objectCalls;
    friend bool operator==(const CacheState&, const CacheState&) = default;
};

CacheState StateOf(TextSearch& search) {
    const TMatches* matches = search.Matches();
    return {matches, matches != nullptr ? matches->Count() : 0,
            matches != nullptr ? matches->Text().data() : nullptr, search.Regexp().ObjectCalls()};
}

// The same steps again, their parts timed one by one: the choice among the matches, the
// selection and the scrolling, each as FindAndSelect does it. The rest of a step (the find
// window's text and options read, the pattern built and compared) is too small to time on
// its own; medians do not add up, so it is not worked out either.
void PrintBreakdown(TextSearch& search, SearchWindow& window, std::size_t length, int places, int steps,
                    double stepMedian) {
    const TMatches& matches = *search.Matches();
    TextView& view = window.View();
    std::vector<double> choose;
    std::vector<double> select;
    std::vector<double> scroll;
    Spots spots(length);
    for (int place = 0; place < places; ++place) {
        window.PlaceCaret(spots.Next());
        for (int step = 0; step < steps; ++step) {
            Stopwatch clock;
            const auto chosen =
                ChooseMatch(matches, static_cast<std::int32_t>(view.Selection().start), step % 2 == 0);
            choose.push_back(clock.Milliseconds() * 1000.0);
            if (!chosen) {
                continue;
            }
            const TMatch match = matches.Item(*chosen);
            clock = Stopwatch();
            view.SetSelection({static_cast<DWORD>(match.FirstIndex()), static_cast<DWORD>(match.Length())});
            select.push_back(clock.Milliseconds() * 1000.0);
            clock = Stopwatch();
            view.ScrollCaret(true);
            scroll.push_back(clock.Milliseconds() * 1000.0);
        }
    }
    PrintNote(Format("a step's parts (medians, of a whole step's %.1f \xC2\xB5s): reading the selection and "
                     "choosing the match %.1f \xC2\xB5s, selecting it (EM_SETSEL) %.1f \xC2\xB5s, scrolling "
                     "to it %.1f \xC2\xB5s",
                     stepMedian, Median(choose), Median(select), Median(scroll)));
}

void RunMode(SearchMode mode, SearchWindow& window, std::size_t length, const std::string& size, int places,
             int steps) {
    const ModeSetup setup = SetupFor(mode);
    const std::string label = setup.name + " " + size;
    TextSearch search(setup.engines);
    if (mode == SearchMode::Object && !search.Regexp().UsesObject()) {
        std::printf("%-17s %-16s skipped: \"VBScript.RegExp\" cannot be created (%s)\n", "search (F3)",
                    label.c_str(), Utf8(search.Regexp().ErrorMessage()).c_str());
        return;
    }
    Prepare(search, setup);
    TREFindDialog& findDialog = search.FindDialog();

    const std::size_t before = CommittedPrivateBytes();
    window.PlaceCaret(0);
    const Stopwatch firstClock;
    search.FindAndSelect(window.View());
    const double first = firstClock.Milliseconds();
    const std::size_t after = CommittedPrivateBytes();
    const CacheState filled = StateOf(search);
    if (filled.list == nullptr || filled.count == 0) {
        PrintNote("warning: the first search left no matches; no steps timed");
        return;
    }

    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(places) * static_cast<std::size_t>(steps));
    std::vector<double> nearStart;
    std::vector<double> nearEnd;
    std::size_t notFound = 0;
    Spots spots(length);
    for (int place = 0; place < places; ++place) {
        // A click somewhere in the text: the caret moves, the view does not scroll.
        const DWORD spot = spots.Next();
        window.PlaceCaret(spot);
        for (int step = 0; step < steps; ++step) {
            const bool down = step % 2 == 0;
            const Stopwatch clock;
            findDialog.SetOptions(down ? findDialog.Options().With(TREFindOption::frDown)
                                       : findDialog.Options().Without(TREFindOption::frDown));
            const TextSearch::Outcome outcome = search.FindAndSelect(window.View());
            times.push_back(clock.Milliseconds() * 1000.0);
            notFound += outcome == TextSearch::Outcome::NotFound ? 1 : 0;
            if (spot < length / 10) {
                nearStart.push_back(times.back());
            } else if (spot >= length - length / 10) {
                nearEnd.push_back(times.back());
            }
        }
    }
    const double worst = *std::max_element(times.begin(), times.end());
    PrintStepRow("search (F3)", label, Median(times), worst, kStepLimitMicroseconds);
    const auto over =
        std::count_if(times.begin(), times.end(), [](double time) { return time >= kStepLimitMicroseconds; });
    PrintNote(Format("%zu steps from %d caret spots (down and up in turn, %d from each), %zu found nothing, "
                     "%lld took 1 ms or more; the first search before them took %.1f ms",
                     times.size(), places, steps, notFound, static_cast<long long>(over), first));
    PrintNote(Format("median step with the caret in the text's first tenth %.1f \xC2\xB5s, in its last tenth "
                     "%.1f \xC2\xB5s",
                     Median(nearStart), Median(nearEnd)));
    PrintBreakdown(search, window, length, places, steps, Median(times));
    const CacheState kept = StateOf(search);
    if (kept == filled) {
        PrintNote(Format("no step searched again: the same list of %zu matches and copy of the text, "
                         "%llu automation calls before and after",
                         kept.count, static_cast<unsigned long long>(kept.objectCalls)));
    } else {
        PrintNote(
            Format("warning: a step searched again (%zu matches then %zu, automation calls %llu then %llu)",
                   filled.count, kept.count, static_cast<unsigned long long>(filled.objectCalls),
                   static_cast<unsigned long long>(kept.objectCalls)));
    }

    // The list keeps one copy of the text, which the memory per match leaves out.
    const TMatches& matches = *search.Matches();
    const double count = static_cast<double>(matches.Count());
    PrintMemoryRow("search (cache)", label, static_cast<double>(matches.MemoryBytes()) / count,
                   kBytesPerMatchGoal);
    const double textBytes = static_cast<double>(matches.Text().size() * sizeof(char16_t));
    PrintNote(Format("TMatches::MemoryBytes() %.1f MB for %zu matches; the process's private memory grew "
                     "%.1f MB with the list, %.1f MB of that the text copy: %.1f B a match besides",
                     static_cast<double>(matches.MemoryBytes()) / 1048576.0, matches.Count(),
                     (static_cast<double>(after) - static_cast<double>(before)) / 1048576.0,
                     textBytes / 1048576.0,
                     (static_cast<double>(after) - static_cast<double>(before) - textBytes) / count));
}

} // namespace

void RunSteps(std::size_t words, int places, int steps, const std::vector<SearchMode>& modes) {
    SearchText text = MakeDense(words);
    const std::size_t length = text.length;
    PrintNote(Format("dense text: %zu units (%.1f MB as UTF-16), %zu CR LF lines, %zu times \"%s\"", length,
                     static_cast<double>(length * sizeof(char16_t)) / 1048576.0, text.lines, text.words,
                     Utf8(kSearchWord).c_str()));
    SearchWindow window;
    const double load = window.Load(std::move(text));
    PrintNote(Format("loading it into the view (once) took %.1f s", load / 1000.0));
    const std::string size = words % 1000000 == 0 ? std::to_string(words / 1000000) + "M"
                             : words % 1000 == 0  ? std::to_string(words / 1000) + "k"
                                                  : std::to_string(words);
    for (const SearchMode mode : modes) {
        RunMode(mode, window, length, size, places, steps);
    }
}

} // namespace nerula::bench
