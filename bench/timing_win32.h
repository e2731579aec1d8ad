#pragma once

// Measuring for the Windows benchmarks: time between two performance-counter readings, and
// percentiles of the measured series.

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

inline double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

// The value below which percent of the series lie (50: the median).
inline double Percentile(std::vector<double> values, int percent) {
    std::sort(values.begin(), values.end());
    return values[values.size() * static_cast<std::size_t>(percent) / 100];
}

}  // namespace bench
