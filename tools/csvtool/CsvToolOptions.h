#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class CsvToolCommand
{
    Help,
    Summary,
    Merge,
};

// What the command line of telvan-csv asks for.
struct CsvToolOptions
{
    CsvToolCommand command = CsvToolCommand::Help;
    bool byLines = false;    // summary: ranges of length lines, else of length milliseconds
    std::int64_t length = 0; // summary
    int master = 1;          // merge: 1-based index into specs
    bool names = false;      // merge: function names in the header
    std::string separator = ";";
    std::string decimal = ",";
    // File specifications as OpenStream takes them: a "-" name is already the empty one.
    std::vector<std::string> specs;
};

struct CsvToolArguments
{
    CsvToolOptions options;
    std::string error; // empty when the arguments are valid
};

// Parses the arguments after the program name.
CsvToolArguments ParseCsvToolArguments(const std::vector<std::string>& args);

std::string CsvToolUsage();
