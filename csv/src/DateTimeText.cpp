#include "DateTimeText.h"

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

} // namespace

bool ParseDate(std::string_view text, std::tm& tm)
{
    if (text.size() != 8 && text.size() != 10)
        return false;
    const char separator = text[2] == '/' ? '/' : '.';
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
