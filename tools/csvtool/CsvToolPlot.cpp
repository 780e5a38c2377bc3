#include "CsvToolPlot.h"

#include "CSVGraph.h"
#include "CSVTabs.h"
#include "CsvToolCommands.h"

#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <future>
#include <ostream>
#include <vector>

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

int PlotCsvTool(const CsvToolOptions& options, CsvToolPlotTable& plotTable,
                const std::function<std::string()>& read, std::ostream& err)
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
    // The texts make the drawing library start Qt without a display; its warnings about the
    // missing desktop mean nothing here, errors still show.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "telvan-csv: %s\n", qPrintable(message));
    });
    // Qt's start and the fonts of the texts take as long as reading a large file: a graph of
    // no lines, drawn while the file is read, has them ready for the graph of the file.
    {
        CCSVTable noLines(plotTable.m_Table.m_FormatType);
        CCSVTable2Graph graph(&noLines);
        graph.SetSize(options.width, options.height);
        CCSVGraph2Image image;
        graph.Draw(&image);
    }
    // A picture that cannot be written goes before what the file lacks, as it is told first.
    if (const std::string error = read(); !error.empty()) {
        ReportCsvToolError(err, error);
        return CsvToolError;
    }
    CCSVTable2Graph graph(&plotTable.m_Table);
    graph.SetSize(options.width, options.height);
    CCSVGraph2Image image;
    graph.Draw(&image);
    if (!image.IsValid()) {
        ReportCsvToolError(err, "cannot make a picture of " + std::to_string(graph.m_nWidth) + "x" +
                                    std::to_string(graph.m_nHeight) + " pixels");
        return CsvToolError;
    }
    // Drawn, the table's values are done with: they are given back beside the writing of the
    // picture rather than after it.
    const auto release = std::async(std::launch::async | std::launch::deferred,
                                    [&table = plotTable.m_Table] {
                                        table.DeleteAll();
                                        std::vector<double>().swap(table.m_XValues);
                                        std::vector<std::int64_t>().swap(table.m_TimeStamps);
                                    });
    if (!image.Save(picture.c_str(), static_cast<std::uint32_t>(format))) {
        ReportCsvToolError(err, "cannot write \"" + picture + "\"");
        return CsvToolError;
    }
    return CsvToolDone;
}
