#include "DecimalText.h"

#include "LeadingNumber.h"

#include <climits>
#include <cmath>

int ReadDecimalInt(const std::string& text)
{
    return LeadingInteger(text);
}

double ReadDecimalReal(const std::string& text)
{
    return LeadingNumber(text);
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
