#pragma once

#include "CsvToolOptions.h"

#include <functional>
#include <iosfwd>
#include <string>

class CCSVStream;
class CTextStream;
class CTextStreamProcessor;

// Exit statuses of telvan-csv.
enum CsvToolExit
{
    CsvToolDone = 0,
    CsvToolFailed = 1, // the library did not process the input
    CsvToolError = 2,  // bad arguments, unreadable files, or files without what the command needs
};

// The plot command, which lives apart: it needs Qt.
using CsvToolPlotter = std::function<int(const CsvToolOptions&, std::ostream& err)>;

// Runs the command: records to out, the library's messages and one-line errors to err. The
// exit status.
int RunCsvTool(const CsvToolOptions& options, std::ostream& out, std::ostream& err,
               const CsvToolPlotter& plot);

// The one-line form of every error of telvan-csv.
void ReportCsvToolError(std::ostream& err, const std::string& error);

// How errors name a file: its quoted name, or standard input.
std::string CsvToolFileName(const CTextStream& file);

// Opens the file of spec for the processor; the error, empty when it is open.
std::string OpenCsvToolFile(CCSVStream& file, const std::string& spec,
                            const CsvToolOptions& options,
                            CTextStreamProcessor* processor = nullptr);

// Why a file has no line with a time, in the words of every command.
inline constexpr const char* NoDateAndTime =
    " has no line with a date and a time (such as 24.12.2010 and 18:30:00)";
