#include "CsvToolCommands.h"

#include "CSVTabs.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace {

std::string ShownName(const CCSVFile& file)
{
    return file.IsPipe() ? "standard input" : "\"" + file.m_strName + "\"";
}

// Opens the file of spec; the error, empty when it is open.
std::string Open(CCSVFile& file, const std::string& spec, const CsvToolOptions& options)
{
    errno = 0;
    if (file.OpenStream(spec, options.separator, options.decimal, nullptr))
        return {};
    const int error = errno;
    return "cannot open " + ShownName(file) +
           (error ? ": " + std::string(std::strerror(error)) : "");
}

int Summary(const CsvToolOptions& options, std::ostream& out, std::ostream& err)
{
    CCSVFile file;
    if (const std::string error = Open(file, options.specs.front(), options); !error.empty()) {
        ReportCsvToolError(err, error);
        return CsvToolError;
    }
    // The selection is only read once the file has a first line.
    if (!file.GetLine()) {
        ReportCsvToolError(err, ShownName(file) + " is empty");
        return CsvToolError;
    }
    if (file.m_Functions.IsEmpty()) {
        ReportCsvToolError(err, ShownName(file) +
                                    " selects no function: add items such as 3A after the date "
                                    "and time columns; see --help");
        return CsvToolError;
    }
    return file.CSVSummarize(options.byLines ? 1 : 0, options.length, out, err) ? CsvToolDone
                                                                                : CsvToolFailed;
}

int Merge(const CsvToolOptions& options, std::ostream& out, std::ostream& err)
{
    CCSVFilesEx files;
    for (const std::string& spec : options.specs) {
        auto* file = new CCSVFile;
        files.Add(file);
        if (const std::string error = Open(*file, spec, options); !error.empty()) {
            ReportCsvToolError(err, error);
            return CsvToolError;
        }
    }
    return files.CSVCompile(options.master - 1, options.names ? 1 : 0, out, err) ? CsvToolDone
                                                                                 : CsvToolFailed;
}

} // namespace

int RunCsvTool(const CsvToolOptions& options, std::ostream& out, std::ostream& err)
{
    switch (options.command) {
    case CsvToolCommand::Summary:
        return Summary(options, out, err);
    case CsvToolCommand::Merge:
        return Merge(options, out, err);
    case CsvToolCommand::Help:
        break;
    }
    out << CsvToolUsage();
    return CsvToolDone;
}

void ReportCsvToolError(std::ostream& err, const std::string& error)
{
    err << "telvan-csv: " << error << "\n";
}
