#pragma once

#include "Strings.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

// One line of a parameter file: its printf format with one "%d" or "%lf", and the value it
// holds.
template <class Values> struct CParameterFileLine
{
    const char* format;
    std::variant<int Values::*, double Values::*> field;
};

// Reads one value at position as fscanf would with format: a blank in the format matches any
// run of white space, "%d" and "%lf" skip white space first; other characters must match.
// On success position moves past what was read.
bool ScanParameterValue(const std::string& text, std::size_t& position, const char* format,
                        int& value);
bool ScanParameterValue(const std::string& text, std::size_t& position, const char* format,
                        double& value);

// The file's text: each line's format filled with its value.
template <class Values, std::size_t N>
std::string FormatParameterFile(const Values& values,
                                const std::array<CParameterFileLine<Values>, N>& lines)
{
    std::string text;
    for (const auto& line : lines)
        std::visit([&](auto field) { text += FormatString(line.format, values.*field); },
                   line.field);
    return text;
}

// The values of a file's text read with the lines' formats in order; nothing when any line
// does not match.
template <class Values, std::size_t N>
std::optional<Values> ScanParameterFile(const std::string& text,
                                        const std::array<CParameterFileLine<Values>, N>& lines)
{
    Values values{};
    std::size_t position = 0;
    for (const auto& line : lines) {
        const bool read = std::visit(
            [&](auto field) {
                return ScanParameterValue(text, position, line.format, values.*field);
            },
            line.field);
        if (!read)
            return std::nullopt;
    }
    return values;
}

// Writes text to a temporary file beside path and renames it over path, so that a failed save
// leaves an existing file as it was. False when the file could not be written.
bool WriteParameterFile(const std::string& path, const std::string& text);
// The text of a parameter file; nothing when it cannot be read. A parameter file is small:
// only its first 64 KiB are read.
std::optional<std::string> ReadParameterFile(const std::string& path);
