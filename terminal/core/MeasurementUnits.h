#pragma once

#include <string_view>

// Unit labels of the display pages (UTF-8), chosen by the scale factor SF, which the device
// multiplies into every value. Only the known factors, with either sign, name a unit.

// Decimal output: "Yard", "feet", "x100 inch", "dm", "m", or empty for any other factor.
std::string_view DistanceUnit(double SF);
// Decimal output: the distance unit per second, or empty.
std::string_view SpeedUnit(double SF);

// Hexadecimal output counts in millimetres, and names them only when SF is 1 or -1.
std::string_view HexDistanceUnit(double SF);
std::string_view HexSpeedUnit(double SF);

inline constexpr std::string_view TemperatureUnit = "°C";
inline constexpr std::string_view HexTemperatureUnit = "x0,1°C";
