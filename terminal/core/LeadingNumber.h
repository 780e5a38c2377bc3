#pragma once

#include <string_view>

// Numbers as the device's texts carry them. Only the leading part that forms a number is
// read, so an error text such as "E02" is 0. Independent of the C locale.

// Blanks, an optional sign, digits with an optional fraction and an optional exponent;
// 0 when the text does not start with a number. Too large magnitudes give infinity.
double LeadingNumber(std::string_view text);

// Blanks, an optional sign and digits; 0 when there are none. Saturates at the int range.
int LeadingInteger(std::string_view text);
