#pragma once

#include <ctime>
#include <string_view>

// Calendar fields of the date and time texts of CSV files, read without copies.

// Day, month and year of "DD.MM.YY" (years below 70 are 20xx) or "DD.MM.YYYY", "/" in
// place of "." too; false, and nothing changed, for any other length.
bool ParseDate(std::string_view text, std::tm& tm);

// Hour, minute, second and milliseconds of "HH:MM:SS", "HH:MM:SS.fff" or "HH:MM:SS:fff"
// (".2" is 200 ms, ".25" 250 ms); false, and nothing changed, below 8 characters.
bool ParseTime(std::string_view text, std::tm& tm, int& millisecond);
