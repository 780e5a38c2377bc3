#pragma once

#include "CsvToolOptions.h"
#include "CsvToolPlotTable.h"

#include <functional>
#include <iosfwd>
#include <string>

// Draws the table read from the file of options.specs into options.picture: the plot command.
// The table is read elsewhere while Qt starts here; read waits for it and gives the error of
// reading, reported after those of the picture's name. One-line errors to err; the exit status.
int PlotCsvTool(const CsvToolOptions& options, CsvToolPlotTable& table,
                const std::function<std::string()>& read, std::ostream& err);
