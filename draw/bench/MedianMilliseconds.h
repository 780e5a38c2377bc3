#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

// The median time of runs calls of work, in milliseconds: a busy machine slows single runs, not
// the middle one.
template <class Work> double MedianMilliseconds(Work&& work, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}
