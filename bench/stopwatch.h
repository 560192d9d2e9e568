#pragma once
// Elapsed time from the performance counter: the finest clock Windows (and Wine) offers.

#include <windows.h>

namespace nerula::bench {

class Stopwatch {
public:
    Stopwatch() noexcept { QueryPerformanceCounter(&start_); }

    double Milliseconds() const noexcept {
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

} // namespace nerula::bench
