#pragma once

#include <string>

// How the files and messages made from readings write their values: a fixed number of
// decimals each, whatever the C locale, so that the same reading gives the same text in every
// file and message.
inline constexpr int kDistanceDecimals = 3; // distance and speed, as the device sends them
inline constexpr int kStrengthDecimals = 0;
inline constexpr int kTemperatureDecimals = 1;
inline constexpr int kCurrentDecimals = 3;

// Appends value with the decimals, point as the decimal separator.
void AppendFixed(std::string& text, double value, int decimals, char point = '.');
