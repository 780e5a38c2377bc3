#pragma once

// The analog output of both families drives 4 mA at one distance and 20 mA at another; the
// gauge shows 3 to 21 mA, and the device's error states sit at the two ends.
inline constexpr double MinimumCurrent = 3.0;
inline constexpr double MaximumCurrent = 21.0;

// Below the minimum (or not a number) the minimum, above the maximum the maximum.
double LimitCurrent(double current);

// The limited current for a value on the line through (at4mA, 4 mA) and (at20mA, 20 mA).
// Equal ends give no line: then the minimum, as for any other reading without a current.
double AnalogOutputCurrent(double value, double at4mA, double at20mA);
