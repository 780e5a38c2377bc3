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

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Powers of ten that a double holds exactly.
constexpr double ExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common field of a data file, such as "-12.3456": an optional minus, digits, a point and
// digits, no more than 15 digits in all, so that the integer of them is below 2^53 and the
// one division by an exact power of ten rounds correctly. False for anything else.
bool ParsePlainNumber(std::string_view text, double& value)
{
    const char* c = text.data();
    const char* const end = c + text.size();
    const bool negative = c != end && *c == '-';
    c += negative;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    for (; c != end && IsDigit(*c); ++c, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(*c - '0');
    if (c != end && *c == '.') {
        const char* const point = ++c;
        for (; c != end && IsDigit(*c); ++c, ++digits)
            mantissa = mantissa * 10 + static_cast<unsigned>(*c - '0');
        fraction = static_cast<int>(c - point);
    }
    if (c != end || digits == 0 || digits > 15)
        return false;
    const double magnitude = static_cast<double>(mantissa) / ExactPowers[fraction];
    value = negative ? -magnitude : magnitude;
    return true;
}

// Every other form: blanks, "+", the decimal text, exponents, many digits. Apart, so that the
// short way does not pay for its frame.
[[gnu::noinline]] bool ParseOtherNumber(std::string_view text, const char* decimal, double& value)
{
    value = dbl_nan;
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size && IsBlank(text[i]))
        ++i;
    const std::size_t begin = i;
    const bool negative = i < size && text[i] == '-';
    if (i < size && (text[i] == '+' || text[i] == '-'))
        ++i;
    // The digits as an integer, with the count of those after the point, while they fit.
    std::uint64_t mantissa = 0;
    int significant = 0;
    int fraction = 0;
    bool digits = false;
    const auto takeDigits = [&](bool afterPoint) {
        for (; i < size; ++i) {
            const auto digit = static_cast<unsigned>(text[i] - '0');
            if (digit > 9)
                return;
            digits = true;
            if (significant < 19) {
                mantissa = mantissa * 10 + digit;
                significant += mantissa != 0;
                fraction += afterPoint;
            } else {
                significant = 20;
            }
        }
    };
    takeDigits(false);
    // "." or the decimal text, the first char of which is compared before the whole.
    std::size_t pointAt = std::string_view::npos;
    std::size_t pointLength = 0;
    if (i < size) {
        if (text[i] == '.') {
            pointLength = 1;
        } else if (decimal && *decimal && text[i] == *decimal) {
            const std::string_view point(decimal);
            pointLength = text.substr(i).starts_with(point) ? point.size() : 0;
        }
        if (pointLength) {
            pointAt = i;
            i += pointLength;
            takeDigits(true);
        }
    }
    if (!digits)
        return false;
    const std::size_t mantissaEnd = i;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (text[j] == '+' || text[j] == '-')
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const std::size_t end = i;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size())
        return false;
    // An integer below 2^53 over an exact power of ten: the one division is rounded correctly,
    // so the value is the one from_chars gives.
    if (end == mantissaEnd && significant <= 19 && mantissa < (std::uint64_t{1} << 53) &&
        fraction <= 22) {
        const double magnitude = static_cast<double>(mantissa) / ExactPowers[fraction];
        value = negative ? -magnitude : magnitude;
        return true;
    }
    // Anything else in the form from_chars reads: "." as the point, no "+".
    std::string number(text.substr(begin, end - begin));
    if (pointAt != std::string_view::npos)
        number.replace(pointAt - begin, pointLength, ".");
    if (!number.empty() && number[0] == '+')
        number.erase(0, 1);
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone out of range; strtod gives infinity or zero.
        value = strtod_l(number.c_str(), nullptr, CLocaleHandle());
    }
    return true;
}

} // namespace

bool ParseNumber(std::string_view text, const char* decimal, double& value)
{
    return ParsePlainNumber(text, value) || ParseOtherNumber(text, decimal, value);
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
