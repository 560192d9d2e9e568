#include "search_report.h"

#include <cstdio>

#include <windows.h>

namespace nerula::bench {

std::string Utf8(std::u16string_view text) {
    const auto* const units = reinterpret_cast<const wchar_t*>(text.data());
    const int unitCount = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, units, unitCount, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, units, unitCount, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

// In the rows below "\xE2\x89\xA4" is "≤" and "\xC2\xB5" is "µ" in UTF-8: the table is UTF-8
// whatever the console's code page.

void PrintRatioRow(const std::string& benchmark, const std::string& label, double nerula, double baseline) {
    const double ratio = baseline > 0 ? nerula / baseline : 0.0;
    std::printf("%-17s %-16s nerula %8.1f ms   baseline %8.1f ms   ratio %5.2f   (no goal)\n",
                benchmark.c_str(), label.c_str(), nerula, baseline, ratio);
    std::fflush(stdout);
}

void PrintStepRow(const std::string& benchmark, const std::string& label, double median, double worst,
                  double limit) {
    std::printf("%-17s %-16s nerula %8.1f \xC2\xB5s   worst    %8.1f \xC2\xB5"
                "s                 (goal < %.0f \xC2\xB5s a step)%s\n",
                benchmark.c_str(), label.c_str(), median, worst, limit, median < limit ? "" : " MISSED");
    std::fflush(stdout);
}

void PrintMemoryRow(const std::string& benchmark, const std::string& label, double bytesPerMatch,
                    double goal) {
    std::printf("%-17s %-16s nerula %8.1f B a match                                 (goal \xE2\x89\xA4"
                " %.0f B)%s\n",
                benchmark.c_str(), label.c_str(), bytesPerMatch, goal,
                bytesPerMatch <= goal ? "" : " MISSED");
    std::fflush(stdout);
}

} // namespace nerula::bench
