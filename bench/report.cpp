#include "report.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>

namespace nerula::bench {

void PrepareOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

void PrintTimeRow(const std::string& benchmark, const std::string& label, double nerula, double baseline,
                  double goal, const std::string& tail) {
    const double ratio = baseline > 0 ? nerula / baseline : 0.0;
    // \xE2\x89\xA4 is "≤" in UTF-8: the table is UTF-8 whatever the console's code page.
    std::printf(
        "%-17s %-16s nerula %8.1f ms   baseline %8.1f ms   ratio %5.2f   (goal \xE2\x89\xA4 %.2f)%s%s\n",
        benchmark.c_str(), label.c_str(), nerula, baseline, ratio, goal, ratio <= goal ? "" : " MISSED",
        tail.c_str());
    std::fflush(stdout);
}

void PrintNote(const std::string& note) {
    std::printf("    %s\n", note.c_str());
    std::fflush(stdout);
}

} // namespace nerula::bench
