#include "CSVAxis.h"

#include "LocalTime.h"
#include "Strings.h"

#include <cinttypes>

namespace {

// Multiplied one after another into a step that starts at 1 ms: 10 ms, 100 ms, 1 s, 2 s,
// 10 s, 30 s, 1 min, 2 min, 10 min, 30 min, 1 h, 2 h, 6 h, 12 h, 1 d, 7 d.
constexpr int StepFactors[] = {10, 10, 10, 2, 5, 3, 2, 2, 5, 3, 2, 2, 3, 2, 2, 7};

// A zone changes its offset a few times a year at most; a search that meets more changes than
// this between two ticks gives up.
constexpr int MaxOffsetChanges = 4;

// Saturating where the int64 range ends, so that no time makes the arithmetic overflow.
std::int64_t Add(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

std::int64_t Times(std::int64_t quotient, std::int64_t step)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(quotient, step, &product))
        return quotient > 0 ? INT64_MAX : INT64_MIN;
    return product;
}

// The multiples of a positive step at or below, and at or above, a value.
std::int64_t FloorMultiple(std::int64_t value, std::int64_t step)
{
    return Times(value / step - (value % step < 0 ? 1 : 0), step);
}

std::int64_t CeilMultiple(std::int64_t value, std::int64_t step)
{
    return Times(value / step + (value % step > 0 ? 1 : 0), step);
}

// Milliseconds the local clock is ahead of UTC at the time.
std::int64_t OffsetAt(std::int64_t time)
{
    std::tm tm{};
    const std::int64_t seconds = time / 1000 - (time % 1000 < 0 ? 1 : 0);
    return LocalBreakDown(static_cast<std::time_t>(seconds), tm) ? tm.tm_gmtoff * 1000LL : 0;
}

// The first whole second after from whose offset is not offset; to must have another one.
std::int64_t NextOffsetChange(std::int64_t from, std::int64_t to, std::int64_t offset)
{
    std::int64_t same = FloorMultiple(from, 1000) / 1000;
    std::int64_t other = CeilMultiple(to, 1000) / 1000;
    while (other - same > 1) {
        const std::int64_t middle = same + (other - same) / 2;
        if (OffsetAt(middle * 1000) == offset)
            same = middle;
        else
            other = middle;
    }
    return other * 1000;
}

// The first tick at or after from: for calendar times a multiple of the step on the local clock,
// also where the clock is put forward or back in between; for durations a multiple of the step.
std::int64_t FirstTick(std::int64_t from, std::int64_t step, bool calendar)
{
    if (!calendar)
        return CeilMultiple(from, step);
    std::int64_t offset = OffsetAt(from);
    std::int64_t tick = Add(CeilMultiple(Add(from, offset), step), -offset);
    for (int change = 0; change < MaxOffsetChanges && OffsetAt(tick) != offset; ++change) {
        // The clock changes before the tick: the first multiple follows on the new clock.
        from = NextOffsetChange(from, tick, offset);
        offset = OffsetAt(from);
        tick = Add(CeilMultiple(Add(from, offset), step), -offset);
    }
    return tick;
}

// The last tick at or before to.
std::int64_t LastTick(std::int64_t to, std::int64_t step, bool calendar)
{
    if (!calendar)
        return FloorMultiple(to, step);
    std::int64_t offset = OffsetAt(to);
    std::int64_t tick = Add(FloorMultiple(Add(to, offset), step), -offset);
    for (int change = 0; change < MaxOffsetChanges; ++change) {
        const std::int64_t tickOffset = OffsetAt(tick);
        if (tickOffset == offset)
            break;
        // The clock changed after the tick: the last multiple lies on the clock before.
        to = Add(NextOffsetChange(tick, to, tickOffset), -1);
        offset = OffsetAt(to);
        tick = Add(FloorMultiple(Add(to, offset), step), -offset);
    }
    return tick;
}

} // namespace

std::int64_t CCSVTimeScale::GetScaleSteps(int ticks, TimeScaleUnit& unit, std::int64_t* first,
                                          std::int64_t* last) const
{
    std::int64_t step = 1;
    int unitIndex = TimeScaleMilliseconds;
    int countdown = 3;
    for (const int factor : StepFactors) {
        if (static_cast<double>(ticks) * static_cast<double>(step) >= static_cast<double>(m_Range))
            break;
        step *= factor;
        if (--countdown == 0) {
            ++unitIndex;
            countdown = 4;
        }
    }
    unit = static_cast<TimeScaleUnit>(unitIndex);
    // Durations count from zero; calendar times step on the local clock.
    const bool calendar = m_Min != 0;
    if (first)
        *first = FirstTick(m_Low, step, calendar);
    if (last)
        *last = LastTick(m_High, step, calendar);
    return step;
}

std::int64_t CCSVTimeScale::GetNextStep(std::int64_t time, std::int64_t step) const
{
    if (time == INT64_MAX || step <= 0)
        return INT64_MAX;
    return FirstTick(time + 1, step, m_Min != 0);
}

void CCSVTimeScale::FormatStep(std::int64_t time, TimeScaleUnit unit, std::string& dateText,
                               std::string& timeText) const
{
    const int unitIndex = unit >= TimeScaleMilliseconds && unit <= TimeScaleDays ? unit : 0;
    if (m_Min == 0) {
        dateText.clear();
        timeText = FormatString("%" PRId64 "%s", time / TimeScaleUnitMultipliers[unitIndex],
                                TimeScaleUnitNames[unitIndex]);
        return;
    }
    TimeStrings s;
    ExpandInt64(&time, &s);
    dateText = ExportDate(time);
    switch (unitIndex) {
    case TimeScaleDays:
        timeText.clear();
        break;
    case TimeScaleHours:
    case TimeScaleMinutes:
        timeText = s.strHours + ":" + s.strMinutes;
        break;
    case TimeScaleSeconds:
        timeText = s.strHours + ":" + s.strMinutes + ":" + s.strSeconds;
        break;
    default:
        timeText = s.strHours + ":" + s.strMinutes + ":" + s.strSeconds + "." + s.strMilliseconds;
        break;
    }
}
