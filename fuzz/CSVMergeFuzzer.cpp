// Two CSV files merged along the time lines of one of them, as "telvan-csv merge" does it. Byte 1
// chooses the decimal point, the master and whether function names head the columns; the next
// two lines are the files' selections ("1,2,3L,[]", "0,2,*"), the rest the two files, parted
// by a form feed. Fields are separated by ";", so that no field can hold one: every record
// must have exactly as many fields as the header.

#include "CSVFile.h"
#include "FuzzFile.h"
#include "FuzzInput.h"
#include "FuzzTimeZone.h"

#include <algorithm>
#include <sstream>
#include <string>

namespace {

constexpr const char* kDecimals[] = {",", "."};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    UseDaylightSavingZone();
    static const CFuzzFile first(".csv");
    static const CFuzzFile second(".csv");
    CFuzzInput input(data, size);
    const std::uint8_t settings = input.Byte();
    const std::string selections[] = {std::string(input.Line()), std::string(input.Line())};
    const std::string_view files = input.Rest();
    const std::size_t part = std::min(files.find('\f'), files.size());
    if (!first.Write(files.substr(0, part)) ||
        !second.Write(files.substr(std::min(part + 1, files.size()))))
        return 0;

    CCSVFilesEx merged;
    const std::string* selection = selections;
    for (const CFuzzFile* file : {&first, &second}) {
        auto* csv = new CCSVFile;
        merged.Add(csv);
        csv->OpenStream(file->Path() + "," + *selection++, ";", kDecimals[settings & 1], nullptr);
    }
    std::ostringstream out;
    std::ostringstream err;
    merged.CSVCompile(settings >> 1 & 1, settings >> 2 & 1, out, err);

    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    const auto fields = std::count(line.begin(), line.end(), ';');
    while (std::getline(lines, line))
        FUZZ_CHECK(std::count(line.begin(), line.end(), ';') == fields);
    return 0;
}
