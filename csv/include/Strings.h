#pragma once

#include "CSV_API.h"

#include <cstdarg>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Quiet NaN: the value of an empty field.
inline constexpr double dbl_nan = std::numeric_limits<double>::quiet_NaN();

// Field splitting. No quoting is recognised: a separator inside quotes still splits.

// The text from position up to the next occurrence of the whole separator; position moves
// past that separator, or to the text's length when none follows.
CSV_API std::string GetNextCSV(const std::string& text, const char* separator, int& position);
// The text from position to the end; the whole text for a negative position.
CSV_API std::string GetRemainingCSV(const std::string& text, int& position);
// The text before the first separator; that part and the separator leave text.
CSV_API std::string MoveToNextCSV(std::string& text, const char* separator);

// The leading integer of a text (blanks, sign, digits), 0 when there is none; saturates.
CSV_API std::int64_t AtoI(const char* text);
// A number as CSV fields hold it: NaN for an empty text, a floating-point number when the
// text holds the decimal text (any occurrence read as ".") or ".", else an integer.
// Independent of the C locale.
CSV_API double AtoV(const char* text, const char* decimal);

// The number a CSV field holds: a sign, digits with "." or the decimal text as the point, an
// exponent, blanks around. False, and NaN, when the field is no number: empty, text such as an
// error code or a caption, a date or a time. Independent of the C locale.
CSV_API bool ParseNumber(std::string_view text, const char* decimal, double& value);

// Every occurrence of from in text replaced by to; returns the number of replacements.
CSV_API int ReplaceAll(std::string& text, const std::string& from, const std::string& to);

// printf into a std::string, with "." as the decimal point whatever the locale.
CSV_API std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
CSV_API std::string FormatStringV(const char* format, va_list args)
    __attribute__((format(printf, 1, 0)));
