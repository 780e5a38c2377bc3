#include "GraphScale.h"

#include "CSVAxis.h"
#include "Strings.h"

#include <cmath>
#include <limits>
#include <type_traits>

namespace {

// The nice-step search gives up after this many rounds, for ranges it cannot reach.
constexpr int MaxStepRounds = 64;

template <class Axis> void SetLogBounds(Axis& axis)
{
    axis.m_LogLow = AxisTransform(axis.m_Low, axis.m_LogBase);
    axis.m_LogHigh = AxisTransform(axis.m_High, axis.m_LogBase);
    if constexpr (std::is_integral_v<decltype(axis.m_LogLow)>)
        axis.m_LogRange = SaturatingDifference(axis.m_LogHigh, axis.m_LogLow);
    else
        axis.m_LogRange = axis.m_LogHigh - axis.m_LogLow;
}

std::int64_t TruncateToInt64(double value)
{
    // 2^63 is exact as a double; everything from there on saturates.
    constexpr double limit = 9223372036854775808.0;
    if (!(value == value))
        return 0;
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

} // namespace

std::int64_t AxisTransform(std::int64_t value, std::int64_t base)
{
    if (base == 0)
        return value;
    if (value <= 0)
        return 0;
    return TruncateToInt64(std::log(static_cast<double>(value)) /
                           std::log(static_cast<double>(base)));
}

std::int64_t TimeScaleBase(double base)
{
    return TruncateToInt64(base);
}

std::int64_t SaturatingDifference(std::int64_t a, std::int64_t b)
{
    std::int64_t difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference))
        return difference;
    return b < 0 ? std::numeric_limits<std::int64_t>::max()
                 : std::numeric_limits<std::int64_t>::min();
}

void PrepareAxis(CCSVAxis& axis, const AxisSettings& settings)
{
    axis.m_LogBase = settings.logBase;
    axis.m_Low = settings.fixedRange ? settings.fixedLow : axis.m_Min;
    axis.m_High = settings.fixedRange ? settings.fixedHigh : axis.m_Max;
    // Zero joins a fixed range as it joins the data's.
    if (settings.includeZero) {
        if (axis.m_Low > 0)
            axis.m_Low = 0;
        else if (axis.m_High < 0)
            axis.m_High = 0;
    }
    axis.m_Range = axis.m_High - axis.m_Low;
    if (axis.m_Range == 0)
        axis.m_Range = 1;
    const double margin = (1.3 / settings.ticks) * axis.m_Range;
    axis.m_Low -= margin;
    axis.m_High += margin;
    axis.m_Range = axis.m_High - axis.m_Low;
    SetLogBounds(axis);
}

void PrepareTimeScale(CCSVTimeScale& scale, std::int64_t base)
{
    scale.m_LogBase = base;
    scale.m_Low = scale.m_Min;
    scale.m_High = scale.m_Max;
    scale.m_Range = SaturatingDifference(scale.m_High, scale.m_Low);
    if (scale.m_Range == 0)
        scale.m_Range = 1;
    SetLogBounds(scale);
}

NiceSteps FindNiceSteps(const CCSVAxis& axis, int ticks)
{
    NiceSteps steps;
    const double range = axis.m_Range;
    if (!std::isfinite(range) || !std::isfinite(axis.m_Low) || !std::isfinite(axis.m_High))
        return steps;
    const double k = ticks;
    bool toggle = false;
    if (k > range) {
        for (int round = 0; round < MaxStepRounds; ++round) {
            if (!toggle) {
                steps.step *= 0.5;
                ++steps.decimals;
            } else {
                steps.step *= 0.2;
            }
            toggle = !toggle;
            if (!(k * steps.step > range))
                break;
        }
    } else if (2 * k < range) {
        for (int round = 0; round < MaxStepRounds; ++round) {
            toggle = !toggle;
            steps.step *= toggle ? 5 : 2;
            if (!(2 * k * steps.step < range))
                break;
        }
    }
    steps.first = std::ceil(axis.m_Low / steps.step) * steps.step;
    steps.last = std::floor(axis.m_High / steps.step) * steps.step;
    return steps;
}

std::string FormatTick(double value, int decimals)
{
    std::string text = FormatString("%.*f", decimals, value);
    // Ticks at or next to zero (-0 from ceil, -1e-18 from repeated addition) read "0".
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

AxisFraction::AxisFraction(double logLow, double logRange)
    : m_LogLow(logLow), m_LogRange(logRange),
      m_bDegenerate(logRange == 0 || !std::isfinite(logRange))
{
}

AxisFraction::AxisFraction(const CCSVAxis& axis) : AxisFraction(axis.m_LogLow, axis.m_LogRange) {}

TimeFraction::TimeFraction(const CCSVTimeScale& scale)
    : m_LogLow(scale.m_LogLow), m_LogRange(scale.m_LogRange)
{
}
