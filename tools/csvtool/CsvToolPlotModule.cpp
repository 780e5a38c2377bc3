#include "CsvToolPlotModule.h"

#include "CsvToolCommands.h"

#include <dlfcn.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

int CsvToolPlotModule::Plot(const CsvToolOptions& options, std::ostream& err)
{
    using Entry = int (*)(const CsvToolOptions&, std::ostream&);
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
    return entry(options, err);
}
