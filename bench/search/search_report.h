#pragma once
// The search rows that report.h has no shape for: a ratio without a goal, the time of one
// step against a limit, and memory per match. They keep the columns of the other rows.

#include <string>
#include <string_view>

namespace nerula::bench {

// Text for the table, which is UTF-8.
std::string Utf8(std::u16string_view text);

// As PrintTimeRow, for a comparison that only informs.
void PrintRatioRow(const std::string& benchmark, const std::string& label, double nerula, double baseline);

// The median and the worst time of one step, in microseconds, against an upper limit that
// the median must stay under.
void PrintStepRow(const std::string& benchmark, const std::string& label, double median, double worst,
                  double limit);

// Bytes per match against an upper limit.
void PrintMemoryRow(const std::string& benchmark, const std::string& label, double bytesPerMatch,
                    double goal);

} // namespace nerula::bench
