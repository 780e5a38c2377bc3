#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers of the emulated devices: they read what an operator types and write numbers in
// the fixed widths of the replies.

std::string_view TrimBlanks(std::string_view text);
std::vector<std::string_view> SplitBlanks(std::string_view text);
std::string UpperCase(std::string_view text);

// A whole decimal integer with an optional sign, nothing else.
std::optional<long long> ParseInteger(std::string_view text);

// A decimal number (optional sign, digits, optional point and digits), rounded to the given
// number of decimals as the device stores it.
std::optional<double> ParseDecimal(std::string_view text, int decimals);

// "%.*f": with the decimals a value was rounded to, this writes it back exactly.
std::string FormatDecimal(double value, int decimals);

// The value zero-padded to width characters in all, behind a "-" when negative and, with
// plusSign, behind a "+" otherwise.
std::string FormatPadded(double value, int width, int decimals, bool plusSign);

// The low digits hexadecimal digits of value in two's complement, upper case.
std::string FormatHex(std::int64_t value, int digits);

// True when value fits into bits bits of two's complement.
bool FitsSigned(std::int64_t value, int bits);

// A listing line's head, padded with blanks and closed by ": " so that its value starts skip
// characters behind the first anchor character, where the terminal's listing parse looks.
std::string Labelled(std::string_view head, char anchor, std::size_t skip);

// The lines, each closed by CR LF as the devices end their replies.
std::string Lines(std::initializer_list<std::string> lines);
