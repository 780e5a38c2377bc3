#include "DistanceProfile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kMiddle = 10.15;     // m
constexpr double kSwing = 9.5;        // m
constexpr double kPeriod = 20.0;      // s for one to-and-fro
constexpr double kRipple = 0.3;       // m of a faster wobble on top
constexpr double kRipplePeriod = 3.1; // s
constexpr double kLostEvery = 15.0;   // s
constexpr double kLostFor = 1.0;      // s

constexpr double Angular(double period)
{
    return 2 * std::numbers::pi / period;
}

} // namespace

CDistanceProfile::CDistanceProfile(std::uint32_t seed) : m_random(seed)
{
    m_dPhase = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(m_random);
    m_dLostAt = std::uniform_real_distribution<double>(2, kLostEvery - kLostFor)(m_random);
}

double CDistanceProfile::Distance() const
{
    return kMiddle + kSwing * std::sin(Angular(kPeriod) * m_dTime + m_dPhase) +
           kRipple * std::sin(Angular(kRipplePeriod) * m_dTime);
}

double CDistanceProfile::Temperature() const
{
    return 29.9 + 0.2 * std::sin(Angular(300) * m_dTime);
}

CSample CDistanceProfile::Measure(double seconds)
{
    m_dTime += seconds;
    if (m_bCounting) {
        m_nCount = m_nCount % 9999999 + 1;
        return {static_cast<double>(m_nCount) / 1000, 0, 1500, Temperature(), false};
    }
    std::uniform_real_distribution<double> noise(-1, 1);
    CSample sample;
    sample.distance = Distance() + 0.0005 * noise(m_random);
    sample.speed = kSwing * Angular(kPeriod) * std::cos(Angular(kPeriod) * m_dTime + m_dPhase) +
                   kRipple * Angular(kRipplePeriod) * std::cos(Angular(kRipplePeriod) * m_dTime);
    sample.strength =
        std::clamp(static_cast<int>(3000 - 120 * sample.distance + 20 * noise(m_random)), 0, 3000);
    sample.temperature = Temperature();
    const double inCycle = std::fmod(m_dTime, kLostEvery);
    sample.lost = inCycle >= m_dLostAt && inCycle < m_dLostAt + kLostFor;
    return sample;
}
