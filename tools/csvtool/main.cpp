#include "CsvToolCommands.h"
#include "CsvToolOptions.h"
#include "CsvToolPlotModule.h"

#include <cstdlib>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    // The library reads standard input through stdio, never through std::cin, and the
    // records need no interleaving with stdio output: unsynchronised streams are faster.
    std::ios::sync_with_stdio(false);
    // Without TZ, glibc's mktime checks /etc/localtime with a stat call on every call, and
    // the library makes local times for the lines it reads; a zone named in TZ is read once.
    setenv("TZ", ":/etc/localtime", 0);
    try {
        const CsvToolArguments arguments = ParseCsvToolArguments({argv + 1, argv + argc});
        if (!arguments.error.empty()) {
            ReportCsvToolError(std::cerr, arguments.error);
            return CsvToolError;
        }
        return RunCsvTool(arguments.options, std::cout, std::cerr, CsvToolPlotModule::Plot);
    } catch (const std::exception& e) {
        ReportCsvToolError(std::cerr, e.what());
        return CsvToolError;
    }
}
