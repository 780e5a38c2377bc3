#pragma once

#include <string>

// The number conversions of the parameter controls, listings and files. Each reads the leading
// number of a text after white space and stops at the first character that does not fit; a
// text without one gives 0. Independent of the C locale, so "." is the decimal point for any
// operator's language.

// A decimal integer, saturated to the int range.
int ReadDecimalInt(const std::string& text);
// A decimal real.
double ReadDecimalReal(const std::string& text);
// A decimal real truncated toward zero, saturated to the int range (NaN gives 0).
int ReadTruncatedInt(const std::string& text);
// value truncated toward zero, saturated to the int range (NaN gives 0).
int TruncateToInt(double value);
