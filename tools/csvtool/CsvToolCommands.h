#pragma once

#include "CsvToolOptions.h"

#include <iosfwd>

// Exit statuses of telvan-csv.
enum CsvToolExit
{
    CsvToolDone = 0,
    CsvToolFailed = 1, // the library did not process the input
    CsvToolError = 2,  // bad arguments or unreadable files
};

// Runs the command: records to out, the library's messages and one-line errors to err. The
// exit status.
int RunCsvTool(const CsvToolOptions& options, std::ostream& out, std::ostream& err);

// The one-line form of every error of telvan-csv.
void ReportCsvToolError(std::ostream& err, const std::string& error);
