#include "CsvToolPlotModule.h"

#include "CsvToolCommands.h"
#include "CsvToolPlotTable.h"

#include <dlfcn.h>

#include <filesystem>
#include <functional>
#include <future>
#include <ostream>
#include <string>
#include <system_error>

int CsvToolPlotModule::Plot(const CsvToolOptions& options, std::ostream& err)
{
    using Entry = int (*)(const CsvToolOptions&, CsvToolPlotTable&,
                          const std::function<std::string()>&, std::ostream&);
    // Loading Qt and starting it take about as long as reading a large file: the file is read
    // beside, on threads of its own, as Qt wants the first thread; without a thread to spare
    // it is read when the drawing asks for it.
    CsvToolPlotTable table(options);
    auto reading = std::async(std::launch::async | std::launch::deferred,
                              [&table, &options] { return table.Read(options); });

    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string path = (program.parent_path() / TELVAN_CSV_PLOT_MODULE).lexically_normal();
    // Kept loaded to the end of the program: Qt's application lives as long.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry = module ? reinterpret_cast<Entry>(dlsym(module, "TelvanCsvPlot")) : nullptr;
    if (!entry) {
        ReportCsvToolError(err, "cannot load the plot module: " + std::string(dlerror()));
        return CsvToolError;
    }
    const auto read = [&reading] { return reading.get(); };
    return entry(options, table, read, err);
}
