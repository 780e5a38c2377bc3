#pragma once

#include <cstdint>
#include <random>

// What the emulated device sees at one moment.
struct CSample
{
    double distance = 0;    // m
    double speed = 0;       // m/s, the rate of change of the distance
    int strength = 0;       // signal strength, 0 to 3000
    double temperature = 0; // °C
    bool lost = false;      // no target: the device answers with an error
};

// A target that moves to and fro between about 0.3 m and 20 m, with a little noise and,
// for one second in every fifteen, no reflection at all. The same seed gives the same run.
class CDistanceProfile
{
public:
    explicit CDistanceProfile(std::uint32_t seed);

    // Advances the device's clock by seconds and measures.
    CSample Measure(double seconds);

    // A target that steps 1 mm further with every measurement, from 1 mm up to 9999.999 m and
    // round again, never lost: whoever receives the measurements can tell whether one is
    // missing.
    void SetCounting(bool counting) { m_bCounting = counting; }

    // The distance and the device's temperature now, without noise.
    double Distance() const;
    double Temperature() const;

private:
    double m_dTime = 0;   // s since the device started
    double m_dPhase = 0;  // rad: where in its path the target starts
    double m_dLostAt = 0; // s: where in the fifteen seconds the reflection is lost
    std::mt19937 m_random;
    bool m_bCounting = false;
    std::int64_t m_nCount = 0; // measurements while counting
};
