// A CSV file opened with a column selection and summarised range by range, as the CSV summary
// does it. Byte 1 chooses separator, decimal point and ranges, and whether the selection is
// given at all; the first line after it is the selection ("1,2,3A,4X[Level],[]"), the rest
// the file.

#include "CSVFile.h"
#include "FuzzFile.h"
#include "FuzzInput.h"
#include "FuzzTimeZone.h"

#include <cstdint>
#include <sstream>
#include <string>

namespace {

constexpr const char* kSeparators[] = {";", ",", "\t", "; "};
constexpr const char* kDecimals[] = {",", "."};
// Range lengths the summary accepts: ranges of lines, or of milliseconds.
constexpr std::int64_t kLines[] = {1, 2, 3, 10};
constexpr std::int64_t kMilliseconds[] = {1, 1000, 60000, INT64_MAX};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    UseDaylightSavingZone();
    static const CFuzzFile file(".csv");
    CFuzzInput input(data, size);
    const std::uint8_t settings = input.Byte();
    const std::string selection(input.Line());
    if (!file.Write(input.Rest()))
        return 0;

    const bool byLines = settings & 16;
    const std::int64_t length =
        byLines ? kLines[settings >> 5 & 3] : kMilliseconds[settings >> 5 & 3];
    CCSVFile csv;
    const std::string spec = settings & 8 ? file.Path() : file.Path() + "," + selection;
    if (!csv.OpenStream(spec, kSeparators[settings & 3], kDecimals[settings >> 2 & 1], nullptr))
        return 0;
    csv.GetParams();
    csv.GetHeader(1, 1);
    std::ostringstream out;
    std::ostringstream err;
    csv.CSVSummarize(byLines ? 1 : 0, length, out, err);
    if (settings & 128 && csv.CSVRewind())
        csv.CSVSummarize(byLines ? 1 : 0, length, out, err);
    return 0;
}
