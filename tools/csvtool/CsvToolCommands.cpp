#include "CsvToolCommands.h"

#include "CSVTabs.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <streambuf>

namespace {

// Passes records on to another stream buffer once one follows their header line, so that a
// summary or merge without records writes nothing.
class HeaderHeldBack : public std::streambuf
{
public:
    explicit HeaderHeldBack(std::streambuf* target) : m_Target(target) {}

    bool HasRecords() const { return m_bPassing; }

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char text = traits_type::to_char_type(c);
        return xsputn(&text, 1) == 1 ? c : traits_type::eof();
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        if (m_bPassing)
            return m_Target->sputn(text, count);
        m_Header.append(text, static_cast<std::size_t>(count));
        const std::size_t end = m_Header.find('\n');
        if (end != std::string::npos && end + 1 < m_Header.size()) {
            m_bPassing = true;
            const auto size = static_cast<std::streamsize>(m_Header.size());
            if (m_Target->sputn(m_Header.data(), size) != size)
                return 0;
        }
        return count;
    }

    int sync() override { return m_Target->pubsync(); }

private:
    std::streambuf* m_Target;
    std::string m_Header;
    bool m_bPassing = false;
};

int Summary(const CsvToolOptions& options, std::ostream& out, std::ostream& err)
{
    CCSVFile file;
    if (const std::string error = OpenCsvToolFile(file, options.specs.front(), options);
        !error.empty()) {
        ReportCsvToolError(err, error);
        return CsvToolError;
    }
    // The selection is only read once the file has a first line.
    if (!file.GetLine()) {
        ReportCsvToolError(err, CsvToolFileName(file) + " is empty");
        return CsvToolError;
    }
    if (file.m_Functions.IsEmpty()) {
        ReportCsvToolError(err, CsvToolFileName(file) +
                                    " selects no function: add items such as 3A after the date "
                                    "and time columns; see --help");
        return CsvToolError;
    }
    HeaderHeldBack summary(out.rdbuf());
    std::ostream records(&summary);
    if (!file.CSVSummarize(options.byLines ? 1 : 0, options.length, records, err))
        return CsvToolFailed;
    records.flush();
    // A header alone would look like the summary of nothing.
    if (!summary.HasRecords()) {
        ReportCsvToolError(err, CsvToolFileName(file) +
                                    (options.byLines ? " has no data lines" : NoDateAndTime));
        return CsvToolError;
    }
    return CsvToolDone;
}

int Merge(const CsvToolOptions& options, std::ostream& out, std::ostream& err)
{
    CCSVFilesEx files;
    for (const std::string& spec : options.specs) {
        auto* file = new CCSVFile;
        files.Add(file);
        if (const std::string error = OpenCsvToolFile(*file, spec, options); !error.empty()) {
            ReportCsvToolError(err, error);
            return CsvToolError;
        }
    }
    HeaderHeldBack merged(out.rdbuf());
    std::ostream records(&merged);
    if (!files.CSVCompile(options.master - 1, options.names ? 1 : 0, records, err))
        return CsvToolFailed;
    records.flush();
    // Each record covers the time from one master line to the next.
    if (!merged.HasRecords()) {
        ReportCsvToolError(err, "the master " + CsvToolFileName(*files[options.master - 1]) +
                                    " has no two lines with a date and a time (such as "
                                    "24.12.2010 and 18:30:00)");
        return CsvToolError;
    }
    return CsvToolDone;
}

} // namespace

int RunCsvTool(const CsvToolOptions& options, std::ostream& out, std::ostream& err,
               const CsvToolPlotter& plot)
{
    switch (options.command) {
    case CsvToolCommand::Summary:
        return Summary(options, out, err);
    case CsvToolCommand::Merge:
        return Merge(options, out, err);
    case CsvToolCommand::Plot:
        return plot(options, err);
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

std::string CsvToolFileName(const CTextStream& file)
{
    return file.IsPipe() ? "standard input" : "\"" + file.m_strName + "\"";
}

std::string OpenCsvToolFile(CCSVStream& file, const std::string& spec,
                            const CsvToolOptions& options, CTextStreamProcessor* processor)
{
    errno = 0;
    if (file.OpenStream(spec, options.separator, options.decimal, processor))
        return {};
    const int error = errno;
    return "cannot open " + CsvToolFileName(file) +
           (error ? ": " + std::string(std::strerror(error)) : "");
}
