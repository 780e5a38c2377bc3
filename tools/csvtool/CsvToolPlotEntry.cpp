// The entry of the plot module that telvan-csv loads for plot alone: it brings Qt along.

#include "CsvToolPlot.h"

extern "C" __attribute__((visibility("default"))) int
TelvanCsvPlot(const CsvToolOptions& options, CsvToolPlotTable& table,
              const std::function<std::string()>& read, std::ostream& err)
{
    return PlotCsvTool(options, table, read, err);
}
