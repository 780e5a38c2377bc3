#pragma once

#include "CSV_API.h"
#include "Int64Time.h"

#include <cmath>
#include <cstdint>
#include <string>

// Running range of the values of a column or of the X values of a table. The table keeps
// m_bEmpty, m_Min and m_Max; the renderer writes the display fields before each drawing.
class CCSVAxis
{
public:
    bool m_bEmpty = true;
    double m_Min = 0;
    double m_Max = 0;
    double m_Low = 0;
    double m_High = 0;
    double m_Range = 0;
    double m_LogLow = 0;
    double m_LogHigh = 0;
    double m_LogRange = 0;
    double m_LogBase = 0;

    void AddValue(double value, bool reset)
    {
        if (reset)
            m_bEmpty = true;
        if (!std::isfinite(value))
            return;
        if (m_bEmpty) {
            m_Min = m_Max = value;
            m_bEmpty = false;
            return;
        }
        if (value > m_Max)
            m_Max = value;
        if (value < m_Min)
            m_Min = value;
    }

    void SetMinMax(double a, double b)
    {
        m_Min = a <= b ? a : b;
        m_Max = a <= b ? b : a;
    }

    void Merge(const CCSVAxis& other, bool reset)
    {
        if (reset) {
            m_Min = other.m_Min;
            m_Max = other.m_Max;
            return;
        }
        if (other.m_Max > m_Max)
            m_Max = other.m_Max;
        if (other.m_Min < m_Min)
            m_Min = other.m_Min;
    }
};

// The range of a table's time stamps, with the steps and labels of a time axis.
class CSV_API CCSVTimeScale
{
public:
    bool m_bEmpty = true;
    std::int64_t m_Min = 0;
    std::int64_t m_Max = 0;
    std::int64_t m_Low = 0;
    std::int64_t m_High = 0;
    std::int64_t m_Range = 0;
    std::int64_t m_LogLow = 0;
    std::int64_t m_LogHigh = 0;
    std::int64_t m_LogRange = 0;
    std::int64_t m_LogBase = 0;

    void AddValue(std::int64_t value, bool reset)
    {
        if (reset)
            m_bEmpty = true;
        if (m_bEmpty) {
            m_Min = m_Max = value;
            m_bEmpty = false;
            return;
        }
        if (value > m_Max)
            m_Max = value;
        if (value < m_Min)
            m_Min = value;
    }

    void SetMinMax(std::int64_t a, std::int64_t b)
    {
        m_Min = a <= b ? a : b;
        m_Max = a <= b ? b : a;
    }

    void Merge(const CCSVTimeScale& other, bool reset)
    {
        if (reset) {
            m_Min = other.m_Min;
            m_Max = other.m_Max;
            return;
        }
        if (other.m_Max > m_Max)
            m_Max = other.m_Max;
        if (other.m_Min < m_Min)
            m_Min = other.m_Min;
    }

    // The step between ticks of an axis over the displayed range with about ticks ticks,
    // its unit, and the first and last tick inside the displayed bounds. Ticks of calendar
    // times are the multiples of the step on the local clock (local midnights for days);
    // ticks of durations (m_Min 0) the multiples of the step.
    std::int64_t GetScaleSteps(int ticks, TimeScaleUnit& unit, std::int64_t* first,
                               std::int64_t* last) const;
    // The tick after time. Across a change of the local clock it is not time + step: an hour
    // or a day is shorter or longer there. INT64_MAX when there is none.
    std::int64_t GetNextStep(std::int64_t time, std::int64_t step) const;
    // The label of a tick, from the tick's own time: a duration when the data start at 0, else
    // local date and time.
    void FormatStep(std::int64_t time, TimeScaleUnit unit, std::string& dateText,
                    std::string& timeText) const;
};
