#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class CsvToolCommand
{
    Help,
    Summary,
    Merge,
    Plot,
};

// Where plot takes the X coordinate of each line from.
enum class PlotXAxis
{
    Values,       // --xy: the first selected column
    Time,         // --time: the date and time
    RelativeTime, // --relative: the time since the first line
    LineNumber,   // --lines: the line's number
};

// What the command line of telvan-csv asks for.
struct CsvToolOptions
{
    CsvToolCommand command = CsvToolCommand::Help;
    bool byLines = false;    // summary: ranges of length lines, else of length milliseconds
    std::int64_t length = 0; // summary
    int master = 1;          // merge: 1-based index into specs
    bool names = false;      // merge: function names in the header
    std::string picture;     // plot: the file to write
    int width = 800;         // plot
    int height = 600;        // plot
    PlotXAxis xAxis = PlotXAxis::Values;
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
