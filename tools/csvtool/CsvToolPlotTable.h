#pragma once

#include "CSVStream.h"
#include "CSVTable.h"
#include "CsvToolOptions.h"

#include <string>

// The table the plot command draws, read from the file of options.specs with the X axis that
// the options choose. Read without Qt, so that it can be read while Qt loads.
class CsvToolPlotTable
{
public:
    explicit CsvToolPlotTable(const CsvToolOptions& options);

    // Reads the file; the one-line error, empty when the table has lines and columns to plot.
    std::string Read(const CsvToolOptions& options);

    // Declared before the table: the table's columns point at the stream's descriptors.
    CCSVStream m_File;
    CCSVTable m_Table;
};
