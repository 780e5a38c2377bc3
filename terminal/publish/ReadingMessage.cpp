#include "ReadingMessage.h"

#include "ReadingText.h"

#include <array>

namespace {

constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                             '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

void AppendEscaped(std::string& json, std::string_view text, bool latin1)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHexDigits[byte >> 4];
            json += kHexDigits[byte & 0xf];
        } else if (latin1 && byte >= 0x80) {
            json += static_cast<char>(0xc0 | byte >> 6);
            json += static_cast<char>(0x80 | (byte & 0x3f));
        } else {
            json += c;
        }
    }
}

} // namespace

const std::string& CReadingMessage::Json(const CReading& reading)
{
    m_strJson.assign("{");
    Text("time", m_time.Format(reading.timeMs));
    Number("distance", reading.distance, kDistanceDecimals);
    if (reading.distance)
        Text("unit", reading.distanceUnit);
    Number("speed", reading.speed, kDistanceDecimals);
    if (reading.speed)
        Text("speedUnit", reading.speedUnit);
    Number("strength", reading.strength, kStrengthDecimals);
    Number("temperature", reading.temperature, kTemperatureDecimals);
    if (reading.temperature)
        Text("temperatureUnit", reading.temperatureUnit);
    if (!reading.error.empty())
        Text("error", reading.error, true);
    Flag("q1", reading.q1);
    Flag("q2", reading.q2);
    Number("current", reading.current, kCurrentDecimals);
    Text("line", reading.line, true);
    m_strJson += '}';
    return m_strJson;
}

void CReadingMessage::Key(std::string_view key)
{
    if (m_strJson.size() > 1)
        m_strJson += ',';
    m_strJson += '"';
    m_strJson += key;
    m_strJson += "\":";
}

void CReadingMessage::Number(std::string_view key, const std::optional<double>& value,
                             int decimals)
{
    if (!value)
        return;
    Key(key);
    AppendFixed(m_strJson, *value, decimals);
}

void CReadingMessage::Text(std::string_view key, std::string_view value, bool latin1)
{
    if (value.empty())
        return;
    Key(key);
    m_strJson += '"';
    AppendEscaped(m_strJson, value, latin1);
    m_strJson += '"';
}

void CReadingMessage::Flag(std::string_view key, const std::optional<bool>& value)
{
    if (!value)
        return;
    Key(key);
    m_strJson += *value ? "true" : "false";
}
