#include "ReadingText.h"

#include <array>
#include <charconv>

void AppendFixed(std::string& text, double value, int decimals, char point)
{
    std::array<char, 400> digits; // room for the largest double in full
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::fixed, decimals);
    if (error != std::errc())
        return;
    text.append(digits.data(), end);
    if (point != '.' && decimals > 0)
        text[text.size() - static_cast<std::size_t>(decimals) - 1] = point;
}
