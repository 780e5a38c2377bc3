#pragma once

#include <cstddef>
#include <string_view>

// Numbers as the device's texts carry them. Only the leading part that forms a number is
// read, so an error text such as "E02" is 0. Independent of the C locale.

// Blanks, an optional sign, digits with an optional fraction and an optional exponent;
// 0 when the text does not start with a number. Too large magnitudes give infinity.
double LeadingNumber(std::string_view text);
// The same, telling how many characters the number took (0 when there was none).
double LeadingNumber(std::string_view text, std::size_t& used);

// Blanks, an optional sign and digits; 0 when there are none. Saturates at the int range.
int LeadingInteger(std::string_view text);
