#include "DecimalText.h"

#include "Strings.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <locale.h>
#include <stdlib.h>

namespace {

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

} // namespace

int ReadDecimalInt(const std::string& text)
{
    const std::int64_t value = AtoI(text.c_str());
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double ReadDecimalReal(const std::string& text)
{
    const char* end = nullptr;
    return ParseLeadingReal(text.c_str(), &end);
}

int ReadTruncatedInt(const std::string& text)
{
    return TruncateToInt(ReadDecimalReal(text));
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

double ParseLeadingReal(const char* begin, const char** end)
{
    char* stop = nullptr;
    const double value = strtod_l(begin, &stop, CLocale());
    *end = stop;
    return value;
}
