#include "IsoTime.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

std::string_view CIsoTime::Format(std::int64_t ms)
{
    // Floored, so that times before 1970 keep their milliseconds positive.
    std::int64_t second = ms / 1000;
    int millisecond = static_cast<int>(ms % 1000);
    if (millisecond < 0) {
        millisecond += 1000;
        --second;
    }
    if (second != m_nSecond) {
        const auto seconds = static_cast<std::time_t>(second);
        std::tm local{};
        localtime_r(&seconds, &local);
        const int date = std::snprintf(m_text.data(), m_text.size(), "%04d-%02d-%02dT%02d:%02d:%02d.",
                                       local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                       local.tm_hour, local.tm_min, local.tm_sec);
        m_nMillisecondsAt = static_cast<std::size_t>(date);
        const long minutes = std::labs(local.tm_gmtoff) / 60;
        const int zone = std::snprintf(m_text.data() + m_nMillisecondsAt + 3,
                                       m_text.size() - m_nMillisecondsAt - 3, "%c%02ld:%02ld",
                                       local.tm_gmtoff < 0 ? '-' : '+', minutes / 60, minutes % 60);
        m_nLength = m_nMillisecondsAt + 3 + static_cast<std::size_t>(zone);
        m_nSecond = second;
    }
    m_text[m_nMillisecondsAt] = static_cast<char>('0' + millisecond / 100);
    m_text[m_nMillisecondsAt + 1] = static_cast<char>('0' + millisecond / 10 % 10);
    m_text[m_nMillisecondsAt + 2] = static_cast<char>('0' + millisecond % 10);
    return {m_text.data(), m_nLength};
}
