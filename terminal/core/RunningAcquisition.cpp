#include "RunningAcquisition.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr char kEscape = '\x1b';
constexpr std::array<std::string_view, 6> kContinuous = {"DT", "DF", "VT", "DS", "DW", "DX"};

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

void CRunningAcquisition::Wrote(std::string_view bytes)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == kEscape) {
            m_strCommand.clear();
            start = i + 1;
        } else if (bytes[i] == '\r') {
            TakeLine(Trimmed(bytes.substr(start, i - start)));
            start = i + 1;
        }
    }
}

void CRunningAcquisition::TakeLine(std::string_view line)
{
    if (line.size() != 2)
        return;
    std::string key(line);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (key == "DR")
        m_strCommand.clear();
    else if (std::find(kContinuous.begin(), kContinuous.end(), key) != kContinuous.end())
        m_strCommand = key + '\r';
}
