#pragma once
// The rows of the table that `make bench` prints.

#include <string>

namespace nerula::bench {

// Output goes to a file or pipe as it is: no CR added before each LF, UTF-8 kept.
void PrepareOutput();

void PrintTimeRow(const std::string& benchmark, const std::string& label, double nerula, double baseline,
                  double goal, const std::string& tail = {});

// A line under a row: an explanation, a warning, a breakdown.
void PrintNote(const std::string& note);

} // namespace nerula::bench
