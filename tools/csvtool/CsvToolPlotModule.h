#pragma once

#include "CsvToolOptions.h"

#include <iosfwd>

// The plot module (telvan-csv-plot.so), found relative to the program as it is installed and
// as it is built. Loaded on the first plot, so that summary and merge start without Qt.
class CsvToolPlotModule
{
public:
    // Plots through the module; an error and CsvToolError when it cannot be loaded.
    static int Plot(const CsvToolOptions& options, std::ostream& err);
};
