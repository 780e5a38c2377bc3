#include "CSVFile.h"
#include "BadFiles.h"
#include "Strings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

namespace {

std::string DayLines(const std::vector<std::pair<const char*, const char*>>& lines,
                     const char* separator = ";")
{
    std::string text;
    for (const auto& [time, value] : lines)
        text += std::string("24.12.2010") + separator + time + separator + value + "\n";
    return text;
}

struct Summary
{
    int result = 0;
    std::string out;
    std::string err;
};

Summary Summarize(CCSVFile& file, int byLines, std::int64_t length)
{
    std::ostringstream out;
    std::ostringstream err;
    const int result = file.CSVSummarize(byLines, length, out, err);
    return {result, out.str(), err.str()};
}

} // namespace

TEST(CSVSummary, AllFunctionsByLines)
{
    TempDir dir;
    const std::string file = dir.Write("v.csv", DayLines({{"18:30:00", "1"},
                                                          {"18:30:01", "2"},
                                                          {"18:30:02", "3"},
                                                          {"18:30:03", "4"},
                                                          {"18:30:04", "10"}}));
    const std::string spec = file + ",1,2,3A,3N,3X,3S,3D,3C,3L";
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(spec, ";", ",", nullptr), 1);
    const Summary s = Summarize(csv, 1, 4);
    EXPECT_EQ(s.result, 1);
    EXPECT_EQ(s.out,
              "Date;Time;Timestamp;Average of Column 3;Minimum of Column 3;Maximum of Column 3;"
              "Sum of Column 3;Stddev of Column 3;Count of Column 3;Last of Column 3\n"
              "24.12.2010;18:30:00:000;0;2,500000e+00;1,000000e+00;4,000000e+00;1,000000e+01;"
              "1,118034e+00;4,000000e+00;4\n"
              "24.12.2010;18:30:04:000;4000;1,000000e+01;1,000000e+01;1,000000e+01;1,000000e+01;"
              "0,000000e+00;1,000000e+00;10\n");
    EXPECT_EQ(s.err, "Parameters:\n" + spec +
                         "\n\n24.12.2010 / 18:30:00:000\n"
                         "24.12.2010 / 18:30:04:000\n");
}

TEST(CSVSummary, TimeRangesSkipGapsQuickly)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("g.csv", DayLines({{"18:30:00", "1"},
                                                          {"18:30:01", "3"},
                                                          {"18:30:02", "5"},
                                                          {"22:40:00", "7"},
                                                          {"22:40:01", "9"}})) +
                                 ",1,2,3A",
                             ";", ",", nullptr),
              1);
    const Summary s = Summarize(csv, 0, 2000);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Average of Column 3\n"
                     "24.12.2010;18:30:00:000;0;2,000000e+00\n"
                     "24.12.2010;18:30:02:000;2000;5,000000e+00\n"
                     "24.12.2010;22:40:00:000;15000000;8,000000e+00\n");
}

TEST(CSVSummary, TimeRangesStartAtTheFirstLineWithATime)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("u.csv", "Date;Time;V\n" + DayLines({{"18:30:00", "1"},
                                                                            {"18:30:03", "3"}})) +
                                 ",1,2,3C",
                             ";", ",", nullptr),
              1);
    const Summary s = Summarize(csv, 0, 2000);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Count of Column 3\n"
                     "24.12.2010;18:30:00:000;0;1,000000e+00\n"
                     "24.12.2010;18:30:03:000;3000;1,000000e+00\n");
}

// Line ranges take their lines in the file's order, time ranges in time order; where the times
// step back, a line starts the time range that holds it. No line is lost, none is kept.
TEST(CSVSummary, TimesThatStepBackLoseNoLine)
{
    TempDir dir;
    std::string text = DayLines({{"18:30:05", "1"}, {"18:30:02", "2"}, {"18:30:07", "3"}});
    for (int i = 0; i < 5000; ++i)
        text += "24.12.2010;18:30:06;4\n";
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("o.csv", text) + ",1,2,3L,3C", ";", ",", nullptr), 1);
    Summary s = Summarize(csv, 1, 1000000);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Last of Column 3;Count of Column 3\n"
                     "24.12.2010;18:30:05:000;0;4;5,003000e+03\n");
    EXPECT_LE(csv.m_LineBuffer.GetSize(), 1);
    s = Summarize(csv, 0, 1000);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Last of Column 3;Count of Column 3\n"
                     "24.12.2010;18:30:05:000;0;1;1,000000e+00\n"
                     "24.12.2010;18:30:02:000;-3000;2;1,000000e+00\n"
                     "24.12.2010;18:30:07:000;2000;3;1,000000e+00\n"
                     "24.12.2010;18:30:06:000;1000;4;5,000000e+03\n");
}

namespace {

// The date of the day after a "DD.MM.YYYY" date.
std::string DayAfter(const std::string& date)
{
    std::tm tm{};
    tm.tm_mday = std::stoi(date.substr(0, 2)) + 1;
    tm.tm_mon = std::stoi(date.substr(3, 2)) - 1;
    tm.tm_year = std::stoi(date.substr(6)) - 1900;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    std::time_t time = std::mktime(&tm);
    return ExportDate(&time);
}

} // namespace

// A log with a time column and no date column that runs over midnight goes on into the next
// day, so that no line after midnight is dropped or counted before the first.
TEST(CSVSummary, MidnightWithoutADateGoesOnToTheNextDay)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("m.csv", "Time;V\n23:59:58;1\n23:59:59;2\n00:00:00;3\n"
                                                "00:00:01;4\n12:00:00;5\n") +
                                 ",0,1,2L,2C,[]",
                             ";", ",", nullptr),
              1);
    Summary s = Summarize(csv, 1, 2);
    const std::string today = s.out.substr(s.out.find('\n') + 1, 10);
    const std::string tomorrow = DayAfter(today);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Last of V;Count of V\n" + today +
                         ";23:59:58:000;0;2;2,000000e+00\n" + tomorrow +
                         ";00:00:00:000;2000;4;2,000000e+00\n" + tomorrow +
                         ";12:00:00:000;43202000;5;1,000000e+00\n");
    s = Summarize(csv, 0, 2000);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Last of V;Count of V\n" + today +
                         ";23:59:58:000;0;2;2,000000e+00\n" + tomorrow +
                         ";00:00:00:000;2000;4;2,000000e+00\n" + tomorrow +
                         ";12:00:00:000;43202000;5;1,000000e+00\n");
}

// A field without a number (empty, an error code, the last fields a line leaves out) is a
// missing value: it counts in no function, and a range without numbers has none to show.
TEST(CSVSummary, FieldsWithoutANumberAreMissing)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(
        csv.OpenStream(dir.Write("e.csv", "Date;Time;V;W\n" + DayLines({{"10:00:00", "1;5"},
                                                                        {"10:00:01", ""},
                                                                        {"10:00:02", "E02"},
                                                                        {"10:00:03", "3"},
                                                                        {"10:00:04", ";7"},
                                                                        {"10:00:05", "E02"}})) +
                           ",1,2,3A,3S,3N,3X,3D,3C,3L,4A,[]",
                       ";", ",", nullptr),
        1);
    Summary s = Summarize(csv, 1, 4);
    EXPECT_EQ(s.out.substr(s.out.find('\n') + 1),
              "24.12.2010;10:00:00:000;0;2,000000e+00;4,000000e+00;1,000000e+00;3,000000e+00;"
              "1,000000e+00;2,000000e+00;3;5,000000e+00\n"
              "24.12.2010;10:00:04:000;4000;;0,000000e+00;;;;0,000000e+00;E02;7,000000e+00\n");
}

TEST(CSVSummary, HeaderLineIsNotData)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(
        csv.OpenStream(dir.Write("h.csv", "Date;Time;Distance\n" + DayLines({{"10:00:00", "1,5"},
                                                                             {"10:00:01", "2,5"},
                                                                             {"10:00:02", "4"}})) +
                           ",1,2,3X[Peak],[]",
                       ";", ",", nullptr),
        1);
    const Summary s = Summarize(csv, 1, 2);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Maximum of Peak\n"
                     "24.12.2010;10:00:00:000;0;2,500000e+00\n"
                     "24.12.2010;10:00:02:000;2000;4,000000e+00\n");
}

TEST(CSVSummary, WithoutFunctionsNothingIsSummarized)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("n.csv", DayLines({{"10:00:00", "1"}})) + ",1,2", ";", ",",
                             nullptr),
              1);
    const Summary s = Summarize(csv, 1, 10);
    EXPECT_EQ(s.result, 0);
    EXPECT_EQ(s.out, "");
}

TEST(CSVSummary, FromStandardInput)
{
    TempDir dir;
    StdinFromFile input(dir.Write("in.csv", DayLines({{"10:00:00", "1"}, {"10:00:01", "3"}})));
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(",1,2,3A,3C", ";", ",", nullptr), 1);
    const Summary s = Summarize(csv, 1, 100);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Average of Column 3;Count of Column 3\n"
                     "24.12.2010;10:00:00:000;0;2,000000e+00;2,000000e+00\n");
    EXPECT_EQ(csv.GetHeader(1, 0), ";stdin/Column 3;stdin/Column 3");
}

// A damaged file is summarised as far as its lines hold a date and a time: none of a file
// without a line end or in UTF-16 without its mark, all of one whose UTF-16 has the mark or
// whose header holds Latin-1 letters.
TEST(CSVSummary, DamagedFilesGiveTheRecordsOfTheirReadableLines)
{
    const std::string good = "Date;Time;Distance;Level\n"
                             "01.02.2024;10:00:00;1,5;10\n"
                             "01.02.2024;10:00:01;2,5;20\n"
                             "01.02.2024;10:00:02;3,5;30\n"
                             "01.02.2024;10:00:03;4,5;40\n";
    const std::string goodRecords = "01.02.2024;10:00:00:000;0;1,500000e+00;1,000000e+01\n"
                                    "01.02.2024;10:00:01:000;1000;2,500000e+00;2,000000e+01\n"
                                    "01.02.2024;10:00:02:000;2000;3,500000e+00;3,000000e+01\n"
                                    "01.02.2024;10:00:03:000;3000;4,500000e+00;4,000000e+01\n";
    const struct
    {
        const char* name;
        std::string records; // after the header
    } expected[] = {
        {"cut off in a line", goodRecords.substr(0, goodRecords.find('\n') + 1)},
        {"random bytes", ""},
        {"zero bytes", ""},
        {"a zero byte inside", goodRecords},
        {"one line of 10 MB", ""},
        {"10 MB without a line end after the text", goodRecords},
        {"UTF-16 with byte-order mark", goodRecords},
        {"UTF-16 without byte-order mark", ""},
        {"Latin-1 letters in the first line", goodRecords},
    };
    TempDir dir;
    for (const CBadFile& bad : BadFiles(good)) {
        SCOPED_TRACE(bad.name);
        CCSVFile csv;
        ASSERT_EQ(
            csv.OpenStream(dir.Write("bad.csv", bad.bytes) + ",1,2,3A,4X,[]", ";", ",", nullptr),
            1);
        const Summary s = Summarize(csv, 0, 1000);
        if (bad.bytes.empty()) {
            // The selection is read with the first line: nothing is selected.
            EXPECT_EQ(s.result, 0);
            continue;
        }
        EXPECT_EQ(s.result, 1);
        const auto it = std::find_if(std::begin(expected), std::end(expected),
                                     [&](const auto& e) { return bad.name == e.name; });
        ASSERT_NE(it, std::end(expected));
        EXPECT_EQ(s.out.substr(s.out.find('\n') + 1), it->records);
    }
}

TEST(CSVRangeReading, KeepsOnlyTheLinesOfTheCurrentRange)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += std::to_string(i) + "\n";
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("r.csv", text) + ",0,0,1S", ";", ",", nullptr), 1);
    ASSERT_TRUE(csv.StartData());
    CCSVRange range;
    range.SetLineDiff(0, 100);
    std::string value;
    int ranges = 0;
    while (csv.CSVReadNextLines(&range) > 0) {
        ASSERT_LE(csv.m_LineBuffer.GetSize(), 101);
        ASSERT_EQ(csv.CSVGetField(0, &range, value, 1), 1);
        const double first = ranges * 100.0;
        std::string expected = FormatString("%e", 100 * first + 4950);
        ReplaceAll(expected, ".", ",");
        EXPECT_EQ(value, expected);
        range.NextRange();
        ++ranges;
    }
    EXPECT_EQ(ranges, 100);
}

TEST(CSVRangeReading, FieldsOutsideTheSelection)
{
    TempDir dir;
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("f.csv", "1;a\n2;b\n3;c\n") + ",0,0,2L", ";", ",", nullptr),
              1);
    ASSERT_TRUE(csv.StartData());
    CCSVRange range;
    range.SetLineRange(0, 1);
    std::string value = "old";
    EXPECT_EQ(csv.CSVGetField(1, &range, value, 0), 0);
    EXPECT_EQ(value, "");
    EXPECT_EQ(csv.CSVGetField(-1, &range, value, 1), 1);
    EXPECT_EQ(value, "2;b");
    EXPECT_EQ(csv.CSVGetField(0, &range, value, 1), 1);
    EXPECT_EQ(value, "b");
    range.SetLineRange(50, 60);
    EXPECT_EQ(csv.CSVGetField(0, &range, value, 0), 0);
}

TEST(CSVMerge, FunctionsOfEveryFileOverTheMasterIntervals)
{
    TempDir dir;
    const std::string a = dir.Write(
        "a.csv", DayLines({{"18:30:00", "100"}, {"18:30:10", "110"}, {"18:30:20", "120"}}));
    const std::string b = dir.Write(
        "b.csv",
        DayLines({{"18:30:05", "1"}, {"18:30:12", "2"}, {"18:30:15", "3"}, {"18:30:25", "4"}}));
    CCSVFilesEx files;
    for (const std::string& spec : {a + ",1,2,3L", b + ",1,2,3A,3C"}) {
        auto* file = new CCSVFile;
        ASSERT_EQ(file->OpenStream(spec, ";", ",", nullptr), 1);
        files.Add(file);
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(files.CSVCompile(0, 1, out, err), 1);
    EXPECT_EQ(out.str(), "Date;Time;a/Last of Column 3;b/Average of Column 3;b/Count of Column 3\n"
                         "24.12.2010;18:30:10:000;100;1,000000e+00;1,000000e+00\n"
                         "24.12.2010;18:30:20:000;110;2,500000e+00;2,000000e+00\n");
    EXPECT_EQ(err.str(), "Parameters:\n \"" + a + ",1,2,3L\" \"" + b +
                             ",1,2,3A,3C\" -MASTER=1 -FS=\";\" -DP=\",\"\n");
}

TEST(CSVMerge, AllColumnFilesInTheSpreadsheetConvention)
{
    TempDir dir;
    const std::string master =
        dir.Write("m.csv", DayLines({{"18:30:00", "1"}, {"18:30:10", "2"}, {"18:30:20", "3"}}));
    const std::string other =
        dir.Write("c.csv", "24.12.2010,18:30:05,1.5,2\n24.12.2010,18:30:06,2.5,3\n");
    CCSVFilesEx files;
    auto* first = new CCSVFile;
    files.Add(first);
    ASSERT_EQ(first->OpenStream(master + ",1,2", ";", ",", nullptr), 1);
    auto* second = new CCSVFile;
    files.Add(second);
    ASSERT_EQ(second->OpenStream(other + ",1,2,*", ",", ".", nullptr), 1);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(files.CSVCompile(0, 0, out, err), 1);
    EXPECT_EQ(out.str(), "Date;Time;c/Column 1;c/Column 2;c/Column 3;c/Column 4\n"
                         "24.12.2010;18:30:10:000;24.12.2010;18:30:06;2,5;3\n"
                         "24.12.2010;18:30:20:000;;;;\n");
}

namespace {

std::string Merge(const std::vector<std::pair<std::string, std::string>>& specs, int master = 0)
{
    CCSVFilesEx files;
    for (const auto& [spec, separator] : specs) {
        auto* file = new CCSVFile;
        files.Add(file);
        EXPECT_EQ(file->OpenStream(spec, separator, separator == ";" ? "," : ".", nullptr), 1);
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(files.CSVCompile(master, 0, out, err), 1);
    return out.str();
}

} // namespace

// Every master line after the first gives one record, in order, with the master's line before
// it, also where the master's times repeat or step back; the other files' lines count once.
TEST(CSVMerge, EveryMasterLineGivesOneRecord)
{
    TempDir dir;
    const std::string master = dir.Write("m.csv", DayLines({{"10:00:00", "1"},
                                                            {"10:00:10", "2"},
                                                            {"10:00:10", "3"},
                                                            {"10:00:20", "4"},
                                                            {"10:00:15", "5"},
                                                            {"10:00:30", "6"}}));
    const std::string other = dir.Write(
        "o.csv",
        DayLines({{"10:00:05", "1"}, {"10:00:12", "2"}, {"10:00:17", "4"}, {"10:00:25", "8"}}));
    EXPECT_EQ(Merge({{master + ",1,2,3L", ";"}, {other + ",1,2,3S,3C", ";"}}),
              "Date;Time;m/Column 3;o/Column 3;o/Column 3\n"
              "24.12.2010;10:00:10:000;1;1,000000e+00;1,000000e+00\n"
              "24.12.2010;10:00:10:000;2;;\n"
              "24.12.2010;10:00:20:000;3;6,000000e+00;2,000000e+00\n"
              "24.12.2010;10:00:15:000;4;;\n"
              "24.12.2010;10:00:30:000;5;8,000000e+00;1,000000e+00\n");
}

// The terminal's spreadsheet rows end in empty fields; merged with "*" each keeps its place, so
// the next file's fields stay under their own headers.
TEST(CSVMerge, AllColumnsKeepTheirEmptyFields)
{
    TempDir dir;
    const std::string log =
        dir.Write("Log.csv", "Point number;Time;Speed;Distance;Strength;Temperature\n"
                             "1;10:00:01:000;;+0012,345;01500;+29,9\n"
                             "2;10:00:02:200;E02;E02;;\n"
                             "3;10:00:03:000;;+0012,400;01500;+29,9\n");
    const std::string meter =
        dir.Write("meter.csv", "Time;Level\n10:00:02:000;7\n10:00:02:900;8\n");
    const std::string merged = Merge({{meter + ",0,1,2L,[]", ";"}, {log + ",0,2,*,[]", ";"}});
    // Without a date the master's lines are today's.
    EXPECT_EQ(merged.substr(merged.find('\n') + 11), ";10:00:02:900;7;2;10:00:02:200;E02;E02;;\n");
    EXPECT_EQ(merged.substr(0, merged.find('\n')),
              "Date;Time;meter/Level;Log/Point number;Log/Time;Log/Speed;Log/Distance;"
              "Log/Strength;Log/Temperature");
}

TEST(CSVMerge, NegativeMasterIsRefused)
{
    TempDir dir;
    CCSVFilesEx files;
    auto* file = new CCSVFile;
    files.Add(file);
    ASSERT_EQ(file->OpenStream(dir.Write("a.csv", "x\n") + ",1,2,3A", ";", ",", nullptr), 1);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(files.CSVCompile(-1, 1, out, err), 0);
    EXPECT_TRUE(err.str().ends_with("Error: Not implemented yet!\n"));
    std::ostringstream err2;
    EXPECT_EQ(files.CSVCompile(3, 1, out, err2), 0);
    EXPECT_TRUE(err2.str().ends_with("Error: there is no master file 4!\n"));
}
