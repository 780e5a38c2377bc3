#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <string_view>

// Local times in ISO 8601 with milliseconds and the offset from UTC, such as
// "2024-05-17T14:03:27.125+02:00". The calendar is worked out once per second, so a time on
// every line stays cheap.
class CIsoTime
{
public:
    // The text of a time in milliseconds since 1970 UTC; valid until the next call.
    std::string_view Format(std::int64_t ms);

private:
    std::int64_t m_nSecond = INT64_MIN;
    std::array<char, 64> m_text{};
    std::size_t m_nMillisecondsAt = 0; // after "YYYY-MM-DDTHH:MM:SS."
    std::size_t m_nLength = 0;
};
