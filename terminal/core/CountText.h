#pragma once

#include <charconv>
#include <cstdint>
#include <string>

// A count as the count boxes show it ("%d"), written into text's own buffer.
inline void SetCountText(std::string& text, std::int64_t count)
{
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, count);
    text.assign(digits, end);
}
