#pragma once

#include <cstdint>
#include <ctime>
#include <string_view>

// Calendar fields of the date and time texts of CSV files, read without copies.

// Day, month and year of "DD.MM.YY" (years below 70 are 20xx) or "DD.MM.YYYY", "/" in
// place of "." too; false, and nothing changed, for any other length.
bool ParseDate(std::string_view text, std::tm& tm);

// Hour, minute, second and milliseconds of "HH:MM:SS", "HH:MM:SS.fff" or "HH:MM:SS:fff"
// (".2" is 200 ms, ".25" 250 ms); false, and nothing changed, below 8 characters.
bool ParseTime(std::string_view text, std::tm& tm, int& millisecond);

// Which columns a line's time comes from, as CCSVLine::m_nTimeMode tells it: 3 no date column,
// 0 a date column alone, 2 date and time in one column, 1 separate columns.
int TimeModeOf(int dateColumn, int timeColumn);

// The time stamp of a line from the texts of its date and time columns (each clamped into the
// line's fields; in mode 2 the one field holds "date time"): the local date (today in mode 3) at
// the clock time (midnight in mode 0); 0 when the texts are not a date and a time.
std::int64_t LineTimeStamp(int mode, std::string_view dateText, std::string_view timeText);
