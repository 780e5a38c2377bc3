#pragma once

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

class CCSVAxis;
class CCSVTimeScale;

// The scaling of graph axes: their displayed bounds, the nice steps of their ticks and the
// mapping of values to pixels.

// An axis with more ticks than this gets none: it would be a solid grid at any size.
inline constexpr double MaxTicks = 10000;

// The value itself for base 0, else its logarithm to the base (0 for values not above 0).
inline double AxisTransform(double value, double base)
{
    if (base == 0)
        return value;
    if (value <= 0)
        return 0;
    return std::log(value) / std::log(base);
}
std::int64_t AxisTransform(std::int64_t value, std::int64_t base);

// The base of a time scale: the X axis' base truncated, saturating at the 64-bit limits.
std::int64_t TimeScaleBase(double base);

std::int64_t SaturatingDifference(std::int64_t a, std::int64_t b);

struct AxisSettings
{
    double logBase = 0;
    int ticks = 1;
    bool includeZero = false;
    bool fixedRange = false;
    double fixedLow = 0;
    double fixedHigh = 0;
};

// Displayed bounds: the data extremes (or the fixed range), widened to include zero when asked,
// with a margin of 1.3 ticks' worth of range on either side.
void PrepareAxis(CCSVAxis& axis, const AxisSettings& settings);
// Displayed bounds of a time scale: its data extremes, without margin.
void PrepareTimeScale(CCSVTimeScale& scale, std::int64_t base);

// Ticks at the multiples of a step of 1, 5 or 2 times a power of ten inside an axis'
// displayed bounds, labelled with the step's number of decimals. No ticks: first > last.
struct NiceSteps
{
    double step = 1;
    int decimals = 0;
    double first = 0;
    double last = -1;
};

NiceSteps FindNiceSteps(const CCSVAxis& axis, int ticks);
std::string FormatTick(double value, int decimals);

// Visits the tick values first, first + step, ... up to last, advanced by repeated addition.
template <class Visit> void ForEachTick(const NiceSteps& steps, Visit visit)
{
    if (!((steps.last - steps.first) / steps.step <= MaxTicks))
        return;
    for (double value = steps.first; value <= steps.last;) {
        visit(value);
        const double next = value + steps.step;
        if (!(next > value))
            return;
        value = next;
    }
}

// Where a transformed value lies between an axis' transformed bounds: 0 at the lower one,
// 1 at the upper one; the middle for a range of 0 or a range that is not finite.
class AxisFraction
{
public:
    AxisFraction(double logLow, double logRange);
    explicit AxisFraction(const CCSVAxis& axis);

    double operator()(double transformed) const
    {
        if (m_bDegenerate)
            return 0.5;
        const double fraction = (transformed - m_LogLow) / m_LogRange;
        return std::isnan(fraction) ? 0.5 : fraction;
    }

private:
    double m_LogLow;
    double m_LogRange;
    bool m_bDegenerate;
};

// The same for a time scale; the difference is formed in 64-bit integers.
class TimeFraction
{
public:
    explicit TimeFraction(const CCSVTimeScale& scale);

    double operator()(std::int64_t transformed) const
    {
        if (m_LogRange == 0)
            return 0.5;
        return static_cast<double>(SaturatingDifference(transformed, m_LogLow)) /
               static_cast<double>(m_LogRange);
    }

private:
    std::int64_t m_LogLow;
    std::int64_t m_LogRange;
};

// A pixel coordinate of origin + fraction * extent, clamped to the int range, truncated.
inline int ToPixel(double fraction, double origin, double extent)
{
    const double coordinate = fraction * extent + origin;
    if (!(coordinate > INT_MIN))
        return INT_MIN;
    if (coordinate >= INT_MAX)
        return INT_MAX;
    return static_cast<int>(coordinate);
}
