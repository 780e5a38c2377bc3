#include "LeadingNumber.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Past the blanks and the sign; negative tells whether the sign was "-".
const char* SkipBlanksAndSign(const char* p, const char* end, bool& negative)
{
    while (p != end && IsBlank(*p))
        ++p;
    negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    return p;
}

// Magnitudes beyond the double range, which from_chars refuses to convert.
double ConvertOutOfRange(const char* begin, const char* end)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string text(begin, end);
    return strtod_l(text.c_str(), nullptr, cLocale);
}

} // namespace

double LeadingNumber(std::string_view text)
{
    std::size_t used = 0;
    return LeadingNumber(text, used);
}

double LeadingNumber(std::string_view text, std::size_t& used)
{
    used = 0;
    const char* end = text.data() + text.size();
    bool negative = false;
    const char* p = SkipBlanksAndSign(text.data(), end, negative);
    // Only digits or a point before a digit start a number: no "inf", "nan" or hex here.
    const bool startsNumber =
        p != end && (IsDigit(*p) || (*p == '.' && p + 1 != end && IsDigit(p[1])));
    if (!startsNumber)
        return 0.0;
    double value = 0.0;
    const auto [last, error] = std::from_chars(p, end, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        value = ConvertOutOfRange(p, last);
    used = static_cast<std::size_t>(last - text.data());
    return negative ? -value : value;
}

int LeadingInteger(std::string_view text)
{
    const char* end = text.data() + text.size();
    bool negative = false;
    const char* p = SkipBlanksAndSign(text.data(), end, negative);
    long long value = 0;
    for (; p != end && IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        return value > static_cast<long long>(INT_MAX) ? INT_MIN : static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
