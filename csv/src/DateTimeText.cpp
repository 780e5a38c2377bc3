#include "DateTimeText.h"

#include "Int64Time.h"
#include "LocalTime.h"

#include <climits>

namespace {

// The text from position up to the next separator; position moves past it.
std::string_view NextField(std::string_view text, char separator, std::size_t& position)
{
    if (position >= text.size())
        return {};
    const std::size_t found = text.find(separator, position);
    const std::size_t end = found == std::string_view::npos ? text.size() : found;
    const std::string_view field = text.substr(position, end - position);
    position = found == std::string_view::npos ? text.size() : found + 1;
    return field;
}

// The leading integer of a field as atoi reads it.
int LeadingInt(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    long long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        if (value < INT_MAX)
            value = value * 10 + (field[i] - '0');
    }
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

// Milliseconds of the digits after the seconds; digits past the third are below one.
int Fraction(std::string_view digits)
{
    int value = 0;
    int count = 0;
    for (; count < 3 && count < static_cast<int>(digits.size()) && digits[count] >= '0' &&
           digits[count] <= '9';
         ++count)
        value = value * 10 + (digits[count] - '0');
    for (int scale = count; scale < 3; ++scale)
        value *= 10;
    return value;
}

// The number of two digits at position; -1 when they are not both digits.
int TwoDigits(std::string_view text, std::size_t position)
{
    const char tens = text[position];
    const char ones = text[position + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return -1;
    return (tens - '0') * 10 + (ones - '0');
}

} // namespace

bool ParseDate(std::string_view text, std::tm& tm)
{
    if (text.size() != 8 && text.size() != 10)
        return false;
    const char separator = text[2] == '/' ? '/' : '.';
    // The common DD.MM.YYYY, read at once; the same as what follows reads of it.
    if (text.size() == 10 && text[2] == separator && text[5] == separator) {
        const int day = TwoDigits(text, 0);
        const int month = TwoDigits(text, 3);
        const int century = TwoDigits(text, 6);
        const int year = TwoDigits(text, 8);
        if (day >= 0 && month >= 0 && century >= 0 && year >= 0) {
            tm.tm_mday = day;
            tm.tm_mon = month - 1;
            tm.tm_year = century * 100 + year - 1900;
            return true;
        }
    }
    std::size_t position = 0;
    const int day = LeadingInt(NextField(text, separator, position));
    const int month = LeadingInt(NextField(text, separator, position));
    const int year = LeadingInt(NextField(text, separator, position));
    tm.tm_mday = day;
    tm.tm_mon = month - 1;
    if (text.size() == 8)
        tm.tm_year = year < 70 ? year + 100 : year;
    else
        tm.tm_year = year - 1900;
    return true;
}

bool ParseTime(std::string_view text, std::tm& tm, int& millisecond)
{
    if (text.size() < 8)
        return false;
    // The common HH:MM:SS, with its fraction, read at once; the same as what follows reads.
    const int hour = TwoDigits(text, 0);
    const int minute = TwoDigits(text, 3);
    const int second = TwoDigits(text, 6);
    if (hour >= 0 && minute >= 0 && second >= 0 && text[2] == ':' && text[5] == ':') {
        const char secondEnd = text.find('.', 8) != std::string_view::npos ? '.' : ':';
        if (text.size() == 8 || text[8] == secondEnd) {
            tm.tm_hour = hour;
            tm.tm_min = minute;
            tm.tm_sec = second;
            millisecond = text.size() == 8 ? 0 : Fraction(text.substr(9));
            return true;
        }
    }
    std::size_t position = 0;
    tm.tm_hour = LeadingInt(NextField(text, ':', position));
    tm.tm_min = LeadingInt(NextField(text, ':', position));
    if (text.size() == 8) {
        tm.tm_sec = LeadingInt(NextField(text, ':', position));
        millisecond = 0;
        return true;
    }
    const char secondEnd = text.find('.') != std::string_view::npos ? '.' : ':';
    tm.tm_sec = LeadingInt(NextField(text, secondEnd, position));
    millisecond = Fraction(text.substr(position));
    return true;
}

namespace {

bool StartsWithDigit(std::string_view text)
{
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

bool IsDateText(std::string_view text)
{
    return text.size() >= 10 && StartsWithDigit(text) &&
           ((text[2] == '.' && text[5] == '.') || (text[2] == '/' && text[5] == '/'));
}

bool IsTimeText(std::string_view text)
{
    return text.size() >= 8 && StartsWithDigit(text) && text[2] == ':' && text[5] == ':';
}

} // namespace

int TimeModeOf(int dateColumn, int timeColumn)
{
    if (dateColumn < 0)
        return 3;
    if (timeColumn < 0)
        return 0;
    return dateColumn == timeColumn ? 2 : 1;
}

std::int64_t LineTimeStamp(int mode, std::string_view dateText, std::string_view timeText)
{
    if (mode == 2) {
        const std::size_t blank = dateText.find(' ');
        timeText =
            blank == std::string_view::npos ? std::string_view() : dateText.substr(blank + 1);
        dateText = dateText.substr(0, blank);
    }
    // Only the texts the mode uses are checked, so a date alone and a time alone count.
    const bool usesDate = mode != 3;
    const bool usesTime = mode != 0;
    if ((usesDate && !IsDateText(dateText)) || (usesTime && !IsTimeText(timeText)))
        return 0;

    std::tm tm{};
    int millisecond = 0;
    if (usesDate) {
        // Only the DD.MM.YYYY at the start counts; a trailing blank must not turn into 1970.
        ParseDate(dateText.substr(0, 10), tm);
    } else {
        std::tm today{};
        LocalBreakDown(std::time(nullptr), today);
        tm.tm_year = today.tm_year;
        tm.tm_mon = today.tm_mon;
        tm.tm_mday = today.tm_mday;
    }
    if (usesTime)
        ParseTime(timeText, tm, millisecond);
    tm.tm_isdst = -1;
    std::int64_t time = 0;
    TmToInt64(&tm, &time);
    return time != 0 ? time + millisecond : 0;
}
