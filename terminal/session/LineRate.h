#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <utility>

// Lines per second over the last second, from a running count of lines sampled now and then
// (on a dialog's timer).
class CLineRate
{
public:
    using Clock = std::chrono::steady_clock;

    // Takes the count at the time and returns the rate since about a second before.
    double Sample(std::uint64_t count, Clock::time_point now);

private:
    std::deque<std::pair<Clock::time_point, std::uint64_t>> m_samples;
};
