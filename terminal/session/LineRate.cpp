#include "LineRate.h"

double CLineRate::Sample(std::uint64_t count, Clock::time_point now)
{
    constexpr auto kWindow = std::chrono::seconds(1);
    m_samples.emplace_back(now, count);
    // The oldest sample kept is the last one at least a window old.
    while (m_samples.size() > 2 && now - m_samples[1].first >= kWindow)
        m_samples.pop_front();
    const auto& [since, before] = m_samples.front();
    const double seconds = std::chrono::duration<double>(now - since).count();
    if (seconds <= 0 || count < before)
        return 0;
    return static_cast<double>(count - before) / seconds;
}
