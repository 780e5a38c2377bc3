#include "Device.h"

#include "DeviceText.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr char kEscape = '\x1b';
constexpr std::size_t kLongestLine = 256; // a longer line is noise: the rest is dropped
constexpr int kUnknownCommand = 61;
constexpr int kInvalidValue = 62;

} // namespace

std::string CDevice::Receive(std::string_view bytes)
{
    std::string replies;
    for (const char c : bytes) {
        if (c == kEscape) {
            m_strLine.clear();
            StopStream();
        } else if (c == '\r') {
            replies += Command(m_strLine);
            m_strLine.clear();
        } else if (c != '\n' && m_strLine.size() < kLongestLine) {
            m_strLine += c;
        }
    }
    return replies;
}

std::string CDevice::NextStreamLine()
{
    return Measure(m_strStream, TakeError());
}

std::string CDevice::InjectError(int code)
{
    if (Streaming()) {
        m_nError = code;
        return {};
    }
    return Measure("DM", code);
}

void CDevice::AddCommand(std::string key, std::function<std::string()> handler)
{
    m_commands.emplace(std::move(key), std::move(handler));
}

void CDevice::AddMeasuringCommands(std::initializer_list<const char*> streams,
                                   std::initializer_list<const char*> singles)
{
    for (const char* stream : streams)
        AddCommand(stream, [this, stream] {
            StartStream(stream);
            return std::string();
        });
    for (const char* single : singles)
        AddCommand(single, [this, single] { return Measure(single, TakeError()); });
}

void CDevice::AddSharedCommands(const double& scale, double& offset)
{
    AddCommand("TP",
               [this] { return "T" + FormatPadded(m_profile.Temperature(), 5, 1, true) + "\r\n"; });
    AddCommand("PA", [this] { return Listing(); });
    AddCommand("SO", [this, &scale, &offset] {
        offset = std::round(-m_profile.Distance() * scale * 1000) / 1000;
        return "OF " + m_parameterTable.Values("OF") + "\r\n";
    });
}

int CDevice::TakeError()
{
    return std::exchange(m_nError, 0);
}

std::string CDevice::Command(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty())
        return {};
    const std::string key = UpperCase(line.substr(0, 2));
    const std::string_view argument =
        TrimBlanks(line.substr(std::min<std::size_t>(2, line.size())));
    if (m_parameterTable.Has(key)) {
        if (!argument.empty() && !m_parameterTable.Apply(key, argument))
            return ErrorReply(kInvalidValue);
        return key + ' ' + m_parameterTable.Values(key) + "\r\n";
    }
    const auto command = m_commands.find(key);
    if (command == m_commands.end())
        return ErrorReply(kUnknownCommand);
    if (!argument.empty())
        return ErrorReply(kInvalidValue);
    return command->second();
}
