// One line of a CSV file through the field splitting, number reading and date and time
// reading of the CSV library. Byte 1 chooses the separator and the decimal point, byte 2 the
// date and time columns; the rest is the line.

#include "CSVLine.h"
#include "FuzzInput.h"
#include "FuzzTimeZone.h"
#include "Int64Time.h"
#include "Strings.h"
#include "TimeStamp.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kSeparators[] = {";", ",", "\t", " ", "; ", "::", ""};
constexpr const char* kDecimals[] = {",", ".", "", ",,"};

template <std::size_t N> const char* Pick(const char* const (&choices)[N], unsigned bits)
{
    return choices[bits % N];
}

std::vector<std::string> SplitByGetNext(const std::string& text, const char* separator)
{
    std::vector<std::string> fields;
    int position = 0;
    while (position < static_cast<int>(text.size())) {
        const int before = position;
        fields.push_back(GetNextCSV(text, separator, position));
        FUZZ_CHECK(position > before);
    }
    int past = position;
    FUZZ_CHECK(GetRemainingCSV(text, past).empty());
    return fields;
}

std::vector<std::string> SplitByMove(std::string text, const char* separator)
{
    std::vector<std::string> fields;
    while (!text.empty()) {
        const std::size_t before = text.size();
        fields.push_back(MoveToNextCSV(text, separator));
        FUZZ_CHECK(text.size() < before);
    }
    return fields;
}

void ReadDatesAndTimes(const std::string& text, const char* separator)
{
    std::tm tm{};
    UpdateDate(text.c_str(), &tm);
    UpdateTime(text.c_str(), &tm);
    std::time_t timet = 86400 * 365;
    UpdateDate(text.c_str(), &timet);
    UpdateTime(text.c_str(), &timet);
    _timeb timeb{};
    ImportDateTime(text.c_str(), &timeb, separator);
    FUZZ_CHECK(timeb.millitm < 1000);
    ExportDate(&timeb);
    ExportTime(&timeb);
    CTimeStamp stamp;
    stamp.UpdateDate(text.c_str());
    stamp.UpdateTime(text.c_str());
    stamp.ExportDateTime(separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    UseDaylightSavingZone();
    CFuzzInput input(data, size);
    const std::uint8_t format = input.Byte();
    const std::uint8_t columns = input.Byte();
    const char* separator = Pick(kSeparators, format & 15);
    const char* decimal = Pick(kDecimals, format >> 4);
    const std::string text(input.Rest());

    const std::vector<std::string> fields = SplitByGetNext(text, separator);
    FUZZ_CHECK(SplitByMove(text, separator) == fields);
    const int dateColumn = (columns & 7) - 1;
    const int timeColumn = (columns >> 3 & 7) - 1;
    CCSVLine line(1, text, separator, decimal, dateColumn, timeColumn);
    FUZZ_CHECK(line.m_Fields == fields);

    for (int i = -1; i <= line.GetColumnCount(); ++i) {
        double value = 0;
        std::string field;
        line.GetColumn(i, value);
        line.GetColumn(i, field);
        AtoI(field.c_str());
    }
    const std::int64_t stamp = line.GetTimeStamp();
    ExportDateTime(stamp, separator);
    for (const std::string& field : fields)
        ReadDatesAndTimes(field, separator);
    ReadDatesAndTimes(text, separator);
    return 0;
}
