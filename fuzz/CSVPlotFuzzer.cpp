// A CSV file drawn by "telvan-csv plot" into a picture, without a display. Byte 1 chooses the
// X axis, separator and decimal point, bytes 2 and 3 the picture's size; the first line after
// them is the selection ("1,2,3L[Distance],[]"), the rest the file.

#include "CsvToolCommands.h"
#include "CsvToolPlot.h"
#include "FuzzFile.h"
#include "FuzzInput.h"
#include "FuzzTimeZone.h"

#include <sstream>
#include <string>

namespace {

constexpr PlotXAxis kXAxes[] = {PlotXAxis::Values, PlotXAxis::Time, PlotXAxis::RelativeTime,
                                PlotXAxis::LineNumber};
constexpr const char* kSeparators[] = {";", ",", "\t", " "};
constexpr const char* kDecimals[] = {",", "."};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    UseDaylightSavingZone();
    static const CFuzzFile file(".csv");
    static const CFuzzFile picture(".bmp");
    CFuzzInput input(data, size);
    const std::uint8_t settings = input.Byte();
    CsvToolOptions options;
    options.command = CsvToolCommand::Plot;
    options.xAxis = kXAxes[settings & 3];
    options.separator = kSeparators[settings >> 2 & 3];
    options.decimal = kDecimals[settings >> 4 & 1];
    options.width = input.Byte() + 1;
    options.height = input.Byte() + 1;
    options.picture = picture.Path();
    options.specs = {file.Path() + "," + std::string(input.Line())};
    if (!file.Write(input.Rest()))
        return 0;
    std::ostringstream out;
    std::ostringstream err;
    // The table is read when the drawing asks for it, on the one thread.
    RunCsvTool(options, out, err, [](const CsvToolOptions& plot, std::ostream& errors) {
        CsvToolPlotTable table(plot);
        const auto read = [&] { return table.Read(plot); };
        return PlotCsvTool(plot, table, read, errors);
    });
    return 0;
}
