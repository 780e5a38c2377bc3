#include "CsvToolCommands.h"

#include "CSVGraph.h"
#include "CSVTabs.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <streambuf>

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string ShownName(const CTextStream& file)
{
    return file.IsPipe() ? "standard input" : Quoted(file.m_strName);
}

// Opens the file of spec for the processor; the error, empty when it is open.
std::string Open(CCSVStream& file, const std::string& spec, const CsvToolOptions& options,
                 CTextStreamProcessor* processor = nullptr)
{
    errno = 0;
    if (file.OpenStream(spec, options.separator, options.decimal, processor))
        return {};
    const int error = errno;
    return "cannot open " + ShownName(file) +
           (error ? ": " + std::string(std::strerror(error)) : "");
}

// Passes a summary on to another stream buffer once a record follows its header line, so that
// a summary without records writes nothing.
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
    HeaderHeldBack summary(out.rdbuf());
    std::ostream records(&summary);
    if (!file.CSVSummarize(options.byLines ? 1 : 0, options.length, records, err))
        return CsvToolFailed;
    records.flush();
    // A header alone would look like the summary of nothing.
    if (!summary.HasRecords()) {
        ReportCsvToolError(err, ShownName(file) + (options.byLines
                                                       ? " has no data lines"
                                                       : " has no line with a date and a time "
                                                         "(such as 24.12.2010 and 18:30:00)"));
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
        if (const std::string error = Open(*file, spec, options); !error.empty()) {
            ReportCsvToolError(err, error);
            return CsvToolError;
        }
    }
    return files.CSVCompile(options.master - 1, options.names ? 1 : 0, out, err) ? CsvToolDone
                                                                                 : CsvToolFailed;
}

CSVFormatType FormatType(PlotXAxis xAxis)
{
    switch (xAxis) {
    case PlotXAxis::Time:
        return CSVFormatTime;
    case PlotXAxis::RelativeTime:
        return CSVFormatRelativeTime;
    case PlotXAxis::LineNumber:
        return CSVFormatLineNumber;
    case PlotXAxis::Values:
        break;
    }
    return CSVFormatXY;
}

// Hands each line on to the table and then drops it from the stream, which would otherwise
// keep every line of the file.
class LineDropper : public CTextStreamProcessor
{
public:
    explicit LineDropper(CCSVStream& stream) : m_Stream(stream) {}

    int ProcessStreamLine(CTextStream*, std::string&) override
    {
        m_Stream.m_pLine = nullptr;
        m_Stream.m_LineBuffer.RemoveAll();
        return 1;
    }

private:
    CCSVStream& m_Stream;
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

int Plot(const CsvToolOptions& options, std::ostream& err)
{
    const std::string& picture = options.picture;
    const std::string ending = std::filesystem::path(picture).extension().string();
    const int format = FilenameEnding2CxImageFormat(ending.c_str());
    if (format == CXIMAGE_FORMAT_UNKNOWN) {
        ReportCsvToolError(err, Quoted(picture) +
                                    " has no known picture ending; use .png, .bmp or .jpg");
        return CsvToolError;
    }
    if (!CxImage::CanSave(format)) {
        ReportCsvToolError(err, "cannot write " + Upper(ending.substr(1)) +
                                    " pictures; use .png, .bmp or .jpg");
        return CsvToolError;
    }

    CCSVStream file;
    LineDropper dropper(file);
    CCSVTable table(FormatType(options.xAxis), &dropper);
    if (const std::string error = Open(file, options.specs.front(), options, &table);
        !error.empty()) {
        ReportCsvToolError(err, error);
        return CsvToolError;
    }
    file.ProcessStream();
    if (table.m_XValues.empty() && table.m_TimeStamps.empty()) {
        ReportCsvToolError(err, ShownName(file) + " has no lines to plot");
        return CsvToolError;
    }
    if (table.IsEmpty()) {
        ReportCsvToolError(err, ShownName(file) +
                                    " selects no column to plot: add items such as 3L after "
                                    "the date and time columns, or *; see --help");
        return CsvToolError;
    }

    // Texts need fonts, and fonts a graphical application: one without a display. Its
    // warnings about the missing desktop mean nothing here; errors still show.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "telvan-csv: %s\n", qPrintable(message));
    });
    int argc = 1;
    char name[] = "telvan-csv";
    char* argv[] = {name, nullptr};
    // A caller that runs an application already keeps it: there can only be one.
    std::optional<QGuiApplication> application;
    if (!QGuiApplication::instance())
        application.emplace(argc, argv);
    CCSVTable2Graph graph(&table);
    graph.SetSize(options.width, options.height);
    CCSVGraph2Image image;
    graph.Draw(&image);
    if (!image.IsValid()) {
        ReportCsvToolError(err, "cannot make a picture of " + std::to_string(graph.m_nWidth) + "x" +
                                    std::to_string(graph.m_nHeight) + " pixels");
        return CsvToolError;
    }
    if (!image.Save(picture.c_str(), static_cast<std::uint32_t>(format))) {
        ReportCsvToolError(err, "cannot write " + Quoted(picture));
        return CsvToolError;
    }
    return CsvToolDone;
}

} // namespace

int RunCsvTool(const CsvToolOptions& options, std::ostream& out, std::ostream& err)
{
    switch (options.command) {
    case CsvToolCommand::Summary:
        return Summary(options, out, err);
    case CsvToolCommand::Merge:
        return Merge(options, out, err);
    case CsvToolCommand::Plot:
        return Plot(options, err);
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
