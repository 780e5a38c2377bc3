#include "DeviceText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitBlanks(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (position < text.size()) {
        const auto begin = text.find_first_not_of(" \t", position);
        if (begin == std::string_view::npos)
            break;
        auto end = text.find_first_of(" \t", begin);
        if (end == std::string_view::npos)
            end = text.size();
        words.push_back(text.substr(begin, end - begin));
        position = end;
    }
    return words;
}

std::string UpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits after an optional sign; with allowPoint also one decimal point. At least one digit.
bool IsNumber(std::string_view text, bool allowPoint)
{
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i]))
            digit = true;
        else if (text[i] == '.' && allowPoint && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

} // namespace

std::optional<long long> ParseInteger(std::string_view text)
{
    if (!IsNumber(text, false) || text.size() > 18)
        return std::nullopt;
    return std::strtoll(std::string(text).c_str(), nullptr, 10);
}

std::optional<double> ParseDecimal(std::string_view text, int decimals)
{
    if (!IsNumber(text, true) || text.size() > 24)
        return std::nullopt;
    const double scale = std::pow(10.0, decimals);
    // Integer units over a power of ten is the double nearest to the decimal the device
    // lists, so the value reads back from the listing bit for bit.
    return std::round(std::strtod(std::string(text).c_str(), nullptr) * scale) / scale;
}

std::string FormatDecimal(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string FormatPadded(double value, int width, int decimals, bool plusSign)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    std::string sign = rounded < 0 ? "-" : (plusSign ? "+" : "");
    char digits[64];
    std::snprintf(digits, sizeof digits, "%0*.*f",
                  std::max(width - static_cast<int>(sign.size()), 1), decimals, std::fabs(rounded));
    return sign + digits;
}

std::string FormatHex(std::int64_t value, int digits)
{
    const auto bits = static_cast<std::uint64_t>(value) & ((std::uint64_t{1} << (4 * digits)) - 1);
    char text[32];
    std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<unsigned long long>(bits));
    return text;
}

bool FitsSigned(std::int64_t value, int bits)
{
    const std::int64_t limit = std::int64_t{1} << (bits - 1);
    return value >= -limit && value < limit;
}

std::string Labelled(std::string_view head, char anchor, std::size_t skip)
{
    std::string text(head);
    text.resize(head.find(anchor) + skip - 2, ' ');
    return text + ": ";
}

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
