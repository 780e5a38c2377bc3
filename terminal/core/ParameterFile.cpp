#include "ParameterFile.h"

#include "DecimalText.h"
#include "LeadingNumber.h"
#include "ReplacingFile.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <type_traits>

namespace {

constexpr std::size_t MaxFileBytes = 64 * 1024;

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void SkipBlanks(const std::string& text, std::size_t& position)
{
    while (position < text.size() && IsBlank(text[position]))
        ++position;
}

bool ReadInt(const std::string& text, std::size_t& position, int& value)
{
    std::size_t at = position;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at])))
        return false;
    long long magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data() + at, text.data() + text.size(), magnitude);
    const long long read = negative ? -magnitude : magnitude;
    if (error != std::errc() || read < INT_MIN || read > INT_MAX)
        return false;
    value = static_cast<int>(read);
    position = static_cast<std::size_t>(end - text.data());
    return true;
}

// A number beyond the range of double ("1e400") is malformed: its infinity would show as "inf"
// in the edit, and "inf" reads back as 0.
bool ReadReal(const std::string& text, std::size_t& position, double& value)
{
    std::size_t used = 0;
    const double read = LeadingNumber(std::string_view(text).substr(position), used);
    if (used == 0 || !std::isfinite(read))
        return false;
    value = read;
    position += used;
    return true;
}

template <class T>
bool Scan(const std::string& text, std::size_t& position, const char* format, T& value)
{
    const char* conversion = std::is_same_v<T, int> ? "%d" : "%lf";
    std::size_t at = position;
    bool converted = false;
    for (const char* f = format; *f;) {
        if (IsBlank(*f)) {
            SkipBlanks(text, at);
            ++f;
        } else if (*f == '%') {
            const std::size_t length = std::char_traits<char>::length(conversion);
            if (converted || std::char_traits<char>::compare(f, conversion, length) != 0)
                return false;
            SkipBlanks(text, at);
            bool read = false;
            if constexpr (std::is_same_v<T, int>)
                read = ReadInt(text, at, value);
            else
                read = ReadReal(text, at, value);
            if (!read)
                return false;
            converted = true;
            f += length;
        } else {
            if (at >= text.size() || text[at] != *f)
                return false;
            ++at;
            ++f;
        }
    }
    position = at;
    return converted;
}

} // namespace

bool ScanParameterValue(const std::string& text, std::size_t& position, const char* format,
                        int& value)
{
    return Scan(text, position, format, value);
}

bool ScanParameterValue(const std::string& text, std::size_t& position, const char* format,
                        double& value)
{
    return Scan(text, position, format, value);
}

bool WriteParameterFile(const std::string& path, const std::string& text)
{
    return WriteFileReplacing(path, text);
}

std::optional<std::string> ReadParameterFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text(MaxFileBytes, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        return std::nullopt;
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}
