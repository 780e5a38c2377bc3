#pragma once

#include "CsvToolOptions.h"

#include <iosfwd>

// Draws the columns of the file of options.specs as a graph into options.picture: the plot
// command. One-line errors to err; the exit status.
int PlotCsvTool(const CsvToolOptions& options, std::ostream& err);
