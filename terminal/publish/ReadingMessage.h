#pragma once

#include "IsoTime.h"
#include "Reading.h"

#include <string>
#include <string_view>

// A reading as the small JSON object a subscriber receives, for example
//   {"time":"2024-05-17T14:03:27.125+02:00","distance":12.345,"unit":"m","strength":1500,
//    "temperature":29.9,"temperatureUnit":"°C","q1":false,"q2":true,"current":13.876,
//    "line":"+0012.345 01500 +29.9"}
// Only the values the reading has are present; "error" holds the device's error code. The
// text is UTF-8; the device's bytes in "line" are taken as Latin-1.
class CReadingMessage
{
public:
    // Valid until the next call; allocates nothing once the text has grown.
    const std::string& Json(const CReading& reading);

private:
    void Number(std::string_view key, const std::optional<double>& value, int decimals);
    void Text(std::string_view key, std::string_view value, bool latin1 = false);
    void Flag(std::string_view key, const std::optional<bool>& value);
    void Key(std::string_view key);

    CIsoTime m_time;
    std::string m_strJson;
};
