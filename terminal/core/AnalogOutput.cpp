#include "AnalogOutput.h"

double LimitCurrent(double current)
{
    if (!(current >= MinimumCurrent))
        return MinimumCurrent;
    if (current > MaximumCurrent)
        return MaximumCurrent;
    return current;
}

double AnalogOutputCurrent(double value, double at4mA, double at20mA)
{
    if (at20mA == at4mA)
        return MinimumCurrent;
    return LimitCurrent((value - at4mA) * 16 / (at20mA - at4mA) + 4);
}
