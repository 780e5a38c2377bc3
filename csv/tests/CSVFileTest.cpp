#include "CSVFile.h"
#include "BadFiles.h"
#include "Strings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

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

TEST(CSVSummary, EarliestAndLatestLinesOfARangeStandForIt)
{
    TempDir dir;
    std::string text = DayLines({{"18:30:05", "1"}, {"18:30:02", "2"}, {"18:30:07", "3"}});
    for (int i = 0; i < 5000; ++i)
        text += "24.12.2010;18:30:06;4\n";
    CCSVFile csv;
    ASSERT_EQ(csv.OpenStream(dir.Write("o.csv", text) + ",1,2,3L,3C", ";", ",", nullptr), 1);
    const Summary s = Summarize(csv, 1, 1000000);
    EXPECT_EQ(s.out, "Date;Time;Timestamp;Last of Column 3;Count of Column 3\n"
                     "24.12.2010;18:30:02:000;-3000;3;5,003000e+03\n");
    // However long the range, only its earliest and latest lines were kept.
    EXPECT_LE(csv.m_LineBuffer.GetSize(), 2);
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
