#pragma once
// The median: one slow run (a page-cache miss, another process on the machine) moves it
// less than it moves the mean.

#include <algorithm>
#include <vector>

namespace nerula::bench {

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

} // namespace nerula::bench
