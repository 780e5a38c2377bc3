#include "CsvToolPlot.h"

#include "CSVGraph.h"
#include "CSVTabs.h"
#include "CsvToolCommands.h"

#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <ostream>

namespace {

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

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Why a file gave the table no line: what its X axis needs.
std::string NoLinesToPlot(const CsvToolOptions& options, const CCSVStream& file)
{
    switch (options.xAxis) {
    case PlotXAxis::Time:
    case PlotXAxis::RelativeTime:
        return NoDateAndTime;
    case PlotXAxis::LineNumber:
        return " has no data lines";
    case PlotXAxis::Values:
        break;
    }
    const int column = file.m_bAllColumns || file.m_Functions.IsEmpty()
                           ? 1
                           : file.m_Functions[0]->m_pColumn->m_nIndex + 1;
    return " has no line with a number in its X column (" + std::to_string(column) + ")";
}

} // namespace

int PlotCsvTool(const CsvToolOptions& options, std::ostream& err)
{
    const std::string& picture = options.picture;
    const std::string ending = std::filesystem::path(picture).extension().string();
    const int format = FilenameEnding2CxImageFormat(ending.c_str());
    if (format == CXIMAGE_FORMAT_UNKNOWN) {
        ReportCsvToolError(err, "\"" + picture +
                                    "\" has no known picture ending; use .png, .bmp or .jpg");
        return CsvToolError;
    }
    if (!CxImage::CanSave(format)) {
        ReportCsvToolError(err, "cannot write " + Upper(ending.substr(1)) +
                                    " pictures; use .png, .bmp or .jpg");
        return CsvToolError;
    }

    // The table keeps the values; the stream keeps no line but the current one.
    CCSVStream file;
    file.m_bKeepLines = 0;
    CCSVTable table(FormatType(options.xAxis));
    if (const std::string error = OpenCsvToolFile(file, options.specs.front(), options, &table);
        !error.empty()) {
        ReportCsvToolError(err, error);
        return CsvToolError;
    }
    file.ProcessStream();
    if (!file.GetLine()) {
        ReportCsvToolError(err, CsvToolFileName(file) + " is empty");
        return CsvToolError;
    }
    if (table.GetLineCount() == 0) {
        ReportCsvToolError(err, CsvToolFileName(file) + NoLinesToPlot(options, file));
        return CsvToolError;
    }
    if (table.IsEmpty()) {
        ReportCsvToolError(err, CsvToolFileName(file) +
                                    " selects no column to plot: add items such as 3L after "
                                    "the date and time columns, or *; see --help");
        return CsvToolError;
    }

    // The texts make the drawing library start Qt without a display; its warnings about the
    // missing desktop mean nothing here, errors still show.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "telvan-csv: %s\n", qPrintable(message));
    });
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
        ReportCsvToolError(err, "cannot write \"" + picture + "\"");
        return CsvToolError;
    }
    return CsvToolDone;
}
