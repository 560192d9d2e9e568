#pragma once
// Wall-clock times from the performance counter, and the median that the tables show:
// a median of interleaved repetitions is what a busy machine disturbs least.

#include <algorithm>
#include <vector>

#include <windows.h>

namespace nerula::bench {

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }

    double Milliseconds() const {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
               static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_{};
};

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

} // namespace nerula::bench
