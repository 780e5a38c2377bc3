#include "CSVAxis.h"

#include "Strings.h"

#include <cinttypes>
#include <cmath>

namespace {

// Multiplied one after another into a step that starts at 1 ms: 10 ms, 100 ms, 1 s, 2 s,
// 10 s, 30 s, 1 min, 2 min, 10 min, 30 min, 1 h, 2 h, 6 h, 12 h, 1 d, 7 d.
constexpr int StepFactors[] = {10, 10, 10, 2, 5, 3, 2, 2, 5, 3, 2, 2, 3, 2, 2, 7};

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
    const auto stepValue = static_cast<double>(step);
    if (first)
        *first = static_cast<std::int64_t>(std::ceil(static_cast<double>(m_Low) / stepValue) *
                                           stepValue);
    if (last)
        *last = static_cast<std::int64_t>(std::floor(static_cast<double>(m_High) / stepValue) *
                                          stepValue);
    return step;
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
        timeText = s.strHours + ":00";
        break;
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
