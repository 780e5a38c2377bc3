#include "Strings.h"

#include "CLocale.h"

#include <cctype>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdlib.h>

std::string GetNextCSV(const std::string& text, const char* separator, int& position)
{
    const auto length = static_cast<int>(text.size());
    if (position < 0)
        position = 0;
    if (position >= length) {
        position = length;
        return {};
    }
    const std::size_t sepLength = separator ? std::strlen(separator) : 0;
    const std::size_t found =
        sepLength ? text.find(separator, static_cast<std::size_t>(position), sepLength)
                  : std::string::npos;
    if (found == std::string::npos) {
        std::string rest = text.substr(static_cast<std::size_t>(position));
        position = length;
        return rest;
    }
    std::string field =
        text.substr(static_cast<std::size_t>(position), found - static_cast<std::size_t>(position));
    position = static_cast<int>(found + sepLength);
    return field;
}

std::string GetRemainingCSV(const std::string& text, int& position)
{
    if (position < 0)
        return text;
    if (static_cast<std::size_t>(position) >= text.size())
        return {};
    return text.substr(static_cast<std::size_t>(position));
}

std::string MoveToNextCSV(std::string& text, const char* separator)
{
    const std::size_t sepLength = separator ? std::strlen(separator) : 0;
    const std::size_t found = sepLength ? text.find(separator, 0, sepLength) : std::string::npos;
    if (found == std::string::npos) {
        std::string all;
        all.swap(text);
        return all;
    }
    std::string field = text.substr(0, found);
    text.erase(0, found + sepLength);
    return field;
}

namespace {

const char* SkipBlanks(const char* text)
{
    while (*text && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    return text;
}

// The leading floating-point number of text as atof reads it, without the locale.
double ParseDouble(const char* text)
{
    const char* begin = SkipBlanks(text);
    if (*begin == '+' && begin[1] != '-')
        ++begin;
    const char* end = begin + std::strlen(begin);
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone out of range; atof gives infinity or zero.
        return strtod_l(begin, nullptr, CLocaleHandle());
    }
    return result.ec == std::errc() ? value : 0.0;
}

} // namespace

std::int64_t AtoI(const char* text)
{
    if (!text)
        return 0;
    const char* begin = SkipBlanks(text);
    bool negative = false;
    if (*begin == '+' || *begin == '-') {
        negative = *begin == '-';
        ++begin;
    }
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; std::isdigit(static_cast<unsigned char>(*begin)); ++begin) {
        const auto digit = static_cast<std::uint64_t>(*begin - '0');
        if (magnitude > (UINT64_MAX - digit) / 10)
            overflow = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    constexpr auto maxPositive = static_cast<std::uint64_t>(INT64_MAX);
    if (negative)
        return overflow || magnitude > maxPositive + 1 ? INT64_MIN
                                                       : static_cast<std::int64_t>(0 - magnitude);
    return overflow || magnitude > maxPositive ? INT64_MAX : static_cast<std::int64_t>(magnitude);
}

double AtoV(const char* text, const char* decimal)
{
    if (!text || !*text)
        return dbl_nan;
    if (decimal && *decimal && std::strcmp(decimal, ".") != 0 && std::strstr(text, decimal)) {
        std::string copy(text);
        ReplaceAll(copy, decimal, ".");
        return ParseDouble(copy.c_str());
    }
    if (std::strchr(text, '.'))
        return ParseDouble(text);
    return static_cast<double>(AtoI(text));
}

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number's text in the form from_chars reads: "." as the point, no "+".
class NumberText
{
public:
    void Put(char c)
    {
        if (m_nLength < sizeof m_Fixed)
            m_Fixed[m_nLength] = c;
        else
            Spill().push_back(c);
        ++m_nLength;
    }
    const char* Begin() const { return m_nLength <= sizeof m_Fixed ? m_Fixed : m_Long.data(); }
    const char* End() const { return Begin() + m_nLength; }

private:
    std::string& Spill()
    {
        if (m_Long.empty())
            m_Long.assign(m_Fixed, sizeof m_Fixed);
        return m_Long;
    }

    char m_Fixed[64];
    std::size_t m_nLength = 0;
    std::string m_Long;
};

} // namespace

bool ParseNumber(std::string_view text, const char* decimal, double& value)
{
    value = dbl_nan;
    const std::string_view point(decimal && *decimal ? decimal : ".");
    const auto isBlank = [&text](std::size_t i) {
        return text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r');
    };
    std::size_t i = 0;
    while (i < text.size() && isBlank(i))
        ++i;
    NumberText number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number.Put('-');
        ++i;
    }
    bool digits = false;
    bool pointSeen = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            number.Put(text[i++]);
            digits = true;
        } else if (!pointSeen && text[i] == '.') {
            number.Put('.');
            pointSeen = true;
            ++i;
        } else if (!pointSeen && text.substr(i, point.size()) == point) {
            number.Put('.');
            pointSeen = true;
            i += point.size();
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool sign = text[j] == '+' || text[j] == '-';
        if (sign)
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            number.Put('e');
            if (sign && text[i + 1] == '-')
                number.Put('-');
            while (j < text.size() && IsDigit(text[j]))
                number.Put(text[j++]);
            i = j;
        }
    }
    while (i < text.size() && isBlank(i))
        ++i;
    if (i < text.size())
        return false;
    const auto result = std::from_chars(number.Begin(), number.End(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone out of range; strtod gives infinity or zero.
        const std::string copy(number.Begin(), number.End());
        value = strtod_l(copy.c_str(), nullptr, CLocaleHandle());
    }
    return true;
}

int ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return 0;
    int count = 0;
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

std::string FormatString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string result = FormatStringV(format, args);
    va_end(args);
    return result;
}

std::string FormatStringV(const char* format, va_list args)
{
    CLocaleC locale;
    char buffer[256];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    std::string result;
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof buffer) {
        result.assign(buffer, static_cast<std::size_t>(length));
    } else if (length > 0) {
        result.resize(static_cast<std::size_t>(length));
        std::vsnprintf(result.data(), result.size() + 1, format, again);
    }
    va_end(again);
    return result;
}
