#include "CsvToolPlotTable.h"

#include "CsvToolCommands.h"

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

CsvToolPlotTable::CsvToolPlotTable(const CsvToolOptions& options)
    : m_Table(FormatType(options.xAxis))
{
    // The table keeps the values; the stream keeps no line but the current one.
    m_File.m_bKeepLines = 0;
}

std::string CsvToolPlotTable::Read(const CsvToolOptions& options)
{
    if (std::string error = OpenCsvToolFile(m_File, options.specs.front(), options, &m_Table);
        !error.empty())
        return error;
    m_File.ProcessStream();
    if (!m_File.GetLine())
        return CsvToolFileName(m_File) + " is empty";
    if (m_Table.GetLineCount() == 0)
        return CsvToolFileName(m_File) + NoLinesToPlot(options, m_File);
    if (m_Table.IsEmpty())
        return CsvToolFileName(m_File) +
               " selects no column to plot: add items such as 3L after the date and time "
               "columns, or *; see --help";
    return {};
}
