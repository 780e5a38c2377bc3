#include "CsvToolRun.h"
#include "BadFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

// The lines of a text, each without its "\n".
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find('\n', begin);
        lines.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos)
            break;
        begin = end + 1;
    }
    return lines;
}

constexpr const char* Measurements = "01.02.2024;10:00:00;1,5;10\n"
                                     "01.02.2024;10:00:01;2,5;20\n"
                                     "01.02.2024;10:00:02;3,5;30\n"
                                     "01.02.2024;10:00:03;4,5;40\n"
                                     "01.02.2024;10:00:04;5,5;50\n";

// Date and time in one field, with milliseconds and a gap of several seconds.
constexpr const char* Readings = "01.02.2024 10:00:00.250;1\n"
                                 "01.02.2024 10:00:00.750;2\n"
                                 "01.02.2024 10:00:01.100;3\n"
                                 "01.02.2024 10:00:01.300;5\n"
                                 "01.02.2024 10:00:03.000;4\n"
                                 "01.02.2024 10:00:07.000;6\n";

constexpr const char* Master = "Date;Time;Level\n"
                               "01.02.2024;10:00:00;1\n"
                               "01.02.2024;10:00:10;2\n"
                               "01.02.2024;10:00:20;3\n";

constexpr const char* Meter = "01.02.2024;10:00:01;5\n"
                              "01.02.2024;10:00:04;7\n"
                              "01.02.2024;10:00:12;9\n"
                              "01.02.2024;10:00:19;11\n";

} // namespace

TEST_F(CsvToolRun, SummaryByLinesGivesEveryFunctionPerRange)
{
    Write("data.csv", Measurements);
    const ProgramRun run =
        Run({"summary", "--lines", "2", "data.csv,1,2,3A,3N,3X,3S,3D,3C,4L[Level]"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{
                  "Date;Time;Timestamp;Average of Column 3;Minimum of Column 3;Maximum of "
                  "Column 3;Sum of Column 3;Stddev of Column 3;Count of Column 3;Last of Level",
                  "01.02.2024;10:00:00:000;0;2,000000e+00;1,500000e+00;2,500000e+00;"
                  "4,000000e+00;5,000000e-01;2,000000e+00;20",
                  "01.02.2024;10:00:02:000;2000;4,000000e+00;3,500000e+00;4,500000e+00;"
                  "8,000000e+00;5,000000e-01;2,000000e+00;40",
                  "01.02.2024;10:00:04:000;4000;5,500000e+00;5,500000e+00;5,500000e+00;"
                  "5,500000e+00;0,000000e+00;1,000000e+00;50",
              }));
    EXPECT_TRUE(run.err.starts_with("Parameters:\n")) << run.err;
}

TEST_F(CsvToolRun, SummaryByTimeSkipsEmptyRanges)
{
    Write("readings.csv", Readings);
    const ProgramRun run = Run({"summary", "--ms", "1000", "readings.csv,1,1,2A,2C"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "Date;Time;Timestamp;Average of Column 2;Count of Column 2",
                                  "01.02.2024;10:00:00:250;0;2,000000e+00;3,000000e+00",
                                  "01.02.2024;10:00:01:300;1050;5,000000e+00;1,000000e+00",
                                  "01.02.2024;10:00:03:000;2750;4,000000e+00;1,000000e+00",
                                  "01.02.2024;10:00:07:000;6750;6,000000e+00;1,000000e+00",
                              }));
}

TEST_F(CsvToolRun, SummaryReadsStandardInputWithAHeader)
{
    const ProgramRun run = Run({"summary", "--lines", "10", "-,1,2,3X,[]"},
                               std::string("Date;Time;Distance\n") + Measurements);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "Date;Time;Timestamp;Maximum of Distance",
                                  "01.02.2024;10:00:00:000;0;5,500000e+00",
                              }));
}

TEST_F(CsvToolRun, SummaryUsesTheGivenSeparatorAndDecimalPoint)
{
    Write("points.csv", "01/02/2024,23:59:59.5,1.25\n02/02/2024,00:00:00.5,2.75\n");
    const ProgramRun run = Run(
        {"summary", "--separator", ",", "--decimal", ".", "--ms", "60000", "points.csv,1,2,3S"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "Date;Time;Timestamp;Sum of Column 3",
                                  "01.02.2024;23:59:59:500;0;4,000000e+00",
                              }));
}

TEST_F(CsvToolRun, MergeGivesOneRecordPerMasterLine)
{
    Write("master.csv", Master);
    Write("meter.csv", Meter);
    const ProgramRun plain = Run({"merge", "master.csv,1,2,3L,[]", "meter.csv,1,2,3A[Mean],3C"});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(Lines(plain.out), (std::vector<std::string>{
                                    "Date;Time;master/Level;meter/Mean;meter/Mean",
                                    "01.02.2024;10:00:10:000;1;6,000000e+00;2,000000e+00",
                                    "01.02.2024;10:00:20:000;2;1,000000e+01;2,000000e+00",
                                }));

    const ProgramRun named =
        Run({"merge", "--names", "master.csv,1,2,*,[]", "meter.csv,1,2,3A[Mean],3C"});
    EXPECT_EQ(named.status, 0);
    EXPECT_EQ(Lines(named.out),
              (std::vector<std::string>{
                  "Date;Time;master/Date;master/Time;master/Level;meter/Average of Mean;"
                  "meter/Count of Mean",
                  "01.02.2024;10:00:10:000;01.02.2024;10:00:00;1;6,000000e+00;2,000000e+00",
                  "01.02.2024;10:00:20:000;01.02.2024;10:00:10;2;1,000000e+01;2,000000e+00",
              }));
}

// Master times that repeat or step back still give one record per master line after the first,
// in order, each with its own master value.
TEST_F(CsvToolRun, MergeKeepsEveryMasterLineInOrder)
{
    Write("master.csv", "Date;Time;Level\n"
                        "01.02.2024;10:00:00;1\n"
                        "01.02.2024;10:00:10;2\n"
                        "01.02.2024;10:00:10;3\n"
                        "01.02.2024;10:00:20;4\n"
                        "01.02.2024;10:00:30;5\n"
                        "01.02.2024;10:00:25;6\n"
                        "01.02.2024;10:00:40;7\n");
    Write("meter.csv", "Date;Time;V\n"
                       "01.02.2024;10:00:05;5\n"
                       "01.02.2024;10:00:15;15\n"
                       "01.02.2024;10:00:25;25\n"
                       "01.02.2024;10:00:35;35\n");
    const ProgramRun run = Run({"merge", "master.csv,1,2,3L,[]", "meter.csv,1,2,3L,[]"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "Date;Time;master/Level;meter/V",
                                  "01.02.2024;10:00:10:000;1;5",
                                  "01.02.2024;10:00:10:000;2;",
                                  "01.02.2024;10:00:20:000;3;15",
                                  "01.02.2024;10:00:30:000;4;25",
                                  "01.02.2024;10:00:25:000;5;",
                                  "01.02.2024;10:00:40:000;6;35",
                              }));
}

TEST_F(CsvToolRun, MergeTakesTheMasterFromStandardInput)
{
    Write("master.csv", Master);
    const ProgramRun run =
        Run({"merge", "--master", "2", "master.csv,1,2,3L,[]", "-,1,2,3S"}, Meter);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                  "Date;Time;master/Level;stdin/Column 3",
                                  "01.02.2024;10:00:04:000;;5,000000e+00",
                                  "01.02.2024;10:00:12:000;2;7,000000e+00",
                                  "01.02.2024;10:00:19:000;;9,000000e+00",
                              }));
}

// The terminal's spreadsheet export: no date column, rows that end in empty fields, an error
// code in the measurement columns, and a recording that runs over midnight.
constexpr const char* ExcelLog = "Point number;Time;Speed;Distance;Strength;Temperature\n"
                                 "1;23:59:58:000;;+0012,345;01500;+29,9\n"
                                 "2;23:59:59:000;E02;E02;;\n"
                                 "3;00:00:00:000;;+0012,355;01500;+29,9\n"
                                 "4;00:00:01:000;;+0012,365;01500;+29,9\n";

TEST_F(CsvToolRun, TheTerminalsExportLosesAndShiftsNothing)
{
    Write("Log Excel.csv", ExcelLog);
    // Per second: the error row counts in no number, and the lines after midnight follow on.
    const ProgramRun summary =
        Run({"summary", "--ms", "2000", "Log Excel.csv,0,2,4A[Distance],4C,5L,[]"});
    EXPECT_EQ(summary.status, 0);
    const std::vector<std::string> records = Lines(summary.out);
    ASSERT_EQ(records.size(), 3u) << summary.out;
    EXPECT_EQ(records[0],
              "Date;Time;Timestamp;Average of Distance;Count of Distance;Last of Strength");
    EXPECT_TRUE(records[1].ends_with(";23:59:58:000;0;1,234500e+01;1,000000e+00;")) << records[1];
    EXPECT_TRUE(records[2].ends_with(";00:00:00:000;2000;1,236000e+01;2,000000e+00;01500"))
        << records[2];
    EXPECT_NE(records[1].substr(0, 10), records[2].substr(0, 10));

    // By lines, the ranges after midnight are stamped after the first, on the next day.
    const ProgramRun byLines = Run({"summary", "--lines", "2", "Log Excel.csv,0,2,4A,[]"});
    EXPECT_EQ(byLines.status, 0);
    const std::vector<std::string> ranges = Lines(byLines.out);
    ASSERT_EQ(ranges.size(), 3u) << byLines.out;
    EXPECT_TRUE(ranges[1].ends_with(";23:59:58:000;0;1,234500e+01")) << ranges[1];
    EXPECT_TRUE(ranges[2].ends_with(";00:00:00:000;2000;1,236000e+01")) << ranges[2];
    EXPECT_NE(ranges[1].substr(0, 10), ranges[2].substr(0, 10));

    // Merged with "*", each row keeps its six fields, the error row with its empty ones too:
    // the next file's value stays under its own header.
    Write("meter.csv", "Time;Level\n23:59:58:500;6\n23:59:59:500;7\n00:00:01:500;8\n");
    const ProgramRun merge = Run({"merge", "meter.csv,0,1,2L,[]", "Log Excel.csv,0,2,*,[]",
                                  "Log Excel.csv,0,2,6L[Temperature],[]"});
    EXPECT_EQ(merge.status, 0);
    const std::vector<std::string> merged = Lines(merge.out);
    ASSERT_EQ(merged.size(), 3u) << merge.out;
    EXPECT_EQ(merged[0], "Date;Time;meter/Level;Log Excel/Point number;Log Excel/Time;"
                         "Log Excel/Speed;Log Excel/Distance;Log Excel/Strength;"
                         "Log Excel/Temperature;Log Excel/Temperature");
    EXPECT_TRUE(merged[1].ends_with(";23:59:59:500;6;2;23:59:59:000;E02;E02;;;")) << merged[1];
    EXPECT_TRUE(merged[2].ends_with(";00:00:01:500;7;4;00:00:01:000;;+0012,365;01500;+29,9;+29,9"))
        << merged[2];
    for (const std::string& record : merged)
        EXPECT_EQ(std::count(record.begin(), record.end(), ';'), 9) << record;
}

// A field without a number (empty, text, an error code) is a missing value: Count counts the
// numbers, and no other field, 0 or NaN stands in for it.
TEST_F(CsvToolRun, FieldsWithoutNumbersAreMissingValues)
{
    Write("values.csv", "Date;Time;V\n"
                        "01.02.2024;10:00:00;1\n"
                        "01.02.2024;10:00:01;\n"
                        "01.02.2024;10:00:02;3\n"
                        "01.02.2024;10:00:03;E02\n"
                        "01.02.2024;10:00:04\n");
    const ProgramRun run = Run({"summary", "--lines", "10", "values.csv,1,2,3A,3S,3D,3N,3X,3C,[]"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{
                  "Date;Time;Timestamp;Average of V;Sum of V;Stddev of V;Minimum of V;"
                  "Maximum of V;Count of V",
                  "01.02.2024;10:00:00:000;0;2,000000e+00;4,000000e+00;1,000000e+00;"
                  "1,000000e+00;3,000000e+00;2,000000e+00",
              }));
}

TEST_F(CsvToolRun, HelpExplainsTheSelection)
{
    const ProgramRun run = Run({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("usage: telvan-csv summary (--lines N | --ms N) "
                                    "[--separator S] [--decimal D] SPEC\n"));
    EXPECT_NE(run.out.find("'data.csv,1,2,3A,5X[Peak]'"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST_F(CsvToolRun, BadArgumentsExitWithOneLine)
{
    ExpectError({}, "missing command (summary, merge or plot); see --help");
    ExpectError({"summary", "--lines", "0", "data.csv,1,2,3A"},
                "--lines needs a positive whole number, not \"0\"");
    ExpectError({"summary", "--lines", "1", "--ms", "1", "data.csv,1,2,3A"},
                "--lines and --ms exclude each other");
    ExpectError({"merge", "--bogus", "data.csv"},
                "unknown option \"--bogus\" for merge; see --help");
    ExpectError({"merge", "-,1,2,3A", ",1,2,3C"}, "only one SPEC may read standard input");
}

TEST_F(CsvToolRun, UnreadableFilesExitWithOneLineNamingThem)
{
    Write("data.csv", Measurements);
    std::filesystem::create_directory(m_Folder / "folder");
    Write("empty.csv", "");
    ExpectError({"summary", "--lines", "2", "missing.csv,1,2,3A"},
                "cannot open \"missing.csv\": No such file or directory");
    ExpectError({"merge", "data.csv,1,2,3A", "missing.csv,1,2,3A"},
                "cannot open \"missing.csv\": No such file or directory");
    ExpectError({"summary", "--lines", "2", "folder,1,2,3A"},
                "cannot open \"folder\": Is a directory");
    ExpectError({"summary", "--lines", "2", "empty.csv,1,2,3A"}, "\"empty.csv\" is empty");
}

// A file without what the command needs gives one line that says why and exit status 2, never
// a header alone with status 0.
TEST_F(CsvToolRun, NoRecordsSayWhy)
{
    Write("header.csv", "Date;Time;Distance\n");
    Write("iso.csv", "2024-02-01;10:00:00;1,5\n2024-02-01;10:00:01;2,5\n");
    Write("once.csv", "01.02.2024;10:00:00;1,5\n2024-02-01;10:00:01;2,5\n");
    Write("text.csv", "X;Y\nnone;1\nE02;2\n");
    const std::string iso =
        "\"iso.csv\" has no line with a date and a time (such as 24.12.2010 and 18:30:00)";
    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"summary", "--lines", "2", "header.csv,1,2,3A,[]"},
              "\"header.csv\" has no data lines"},
             {{"summary", "--ms", "1000", "iso.csv,1,2,3A"}, iso},
             {{"merge", "iso.csv,1,2,3A", "header.csv,1,2,3L"},
              "the master \"iso.csv\" has no two lines with a date and a time (such as "
              "24.12.2010 and 18:30:00)"},
             {{"merge", "--master", "2", "iso.csv,1,2,3A", "once.csv,1,2,3L"},
              "the master \"once.csv\" has no two lines with a date and a time (such as "
              "24.12.2010 and 18:30:00)"},
             {{"plot", "--time", "iso.csv,1,2,3L", "-o", "iso.png"}, iso},
             {{"plot", "--relative", "iso.csv,1,2,3L", "-o", "iso.png"}, iso},
             {{"plot", "text.csv,0,0,1L,2L,[]", "-o", "text.png"},
              "\"text.csv\" has no line with a number in its X column (1)"},
             {{"plot", "--lines", "header.csv,1,2,3L,[]", "-o", "header.png"},
              "\"header.csv\" has no data lines"},
         }) {
        SCOPED_TRACE(message);
        const ProgramRun run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(("\n" + run.err).ends_with("\ntelvan-csv: " + message + "\n")) << run.err;
    }
}

TEST_F(CsvToolRun, SummaryWithoutFunctionsExitsWithOneLine)
{
    Write("data.csv", Measurements);
    const std::string hint =
        " selects no function: add items such as 3A after the date and time columns; see --help";
    ExpectError({"summary", "--lines", "2", "data.csv"}, "\"data.csv\"" + hint);
    ExpectError({"summary", "--lines", "2", "data.csv,1,2,[]"}, "\"data.csv\"" + hint);
    ExpectError({"summary", "--lines", "2", "data.csv,1,2,*"}, "\"data.csv\"" + hint);
    const ProgramRun run = Run({"summary", "--lines", "2", "-"}, Measurements);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "telvan-csv: standard input" + hint + "\n");
}

// A damaged file gives what its readable lines hold, or one line that says why there is
// nothing: never a crash, never an empty result that looks like success.
TEST_F(CsvToolRun, DamagedFilesGiveTheirReadableLinesOrOneLine)
{
    const std::string noDate = "\"bad.csv\" has no line with a date and a time (such as "
                               "24.12.2010 and 18:30:00)";
    const struct
    {
        const char* name;
        std::string summaryError; // empty: a summary
        std::string plotError;    // empty: a picture
    } expected[] = {
        {"empty", "\"bad.csv\" is empty", "\"bad.csv\" is empty"},
        {"cut off in a line", "", ""},
        {"random bytes", noDate, noDate},
        {"zero bytes", noDate, noDate},
        {"a zero byte inside", "", ""},
        {"one line of 10 MB", noDate, noDate},
        {"10 MB without a line end after the text", "", ""},
        {"UTF-16 with byte-order mark", "", ""},
        {"UTF-16 without byte-order mark", noDate, noDate},
        {"Latin-1 letters in the first line", "", ""},
    };
    const std::vector<CBadFile> files =
        BadFiles(std::string("Date;Time;Distance;Level\n") + Measurements);
    ASSERT_EQ(files.size(), std::size(expected));
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].name);
        ASSERT_EQ(files[i].name, expected[i].name);
        Write("bad.csv", files[i].bytes);
        const ProgramRun summary = Run({"summary", "--ms", "1000", "bad.csv,1,2,3A,4X,[]"});
        if (expected[i].summaryError.empty()) {
            EXPECT_EQ(summary.status, 0);
            EXPECT_GE(Lines(summary.out).size(), 2u);
        } else {
            EXPECT_EQ(summary.status, 2);
            EXPECT_EQ(summary.out, "");
            EXPECT_TRUE(summary.err.ends_with("telvan-csv: " + expected[i].summaryError + "\n"))
                << summary.err;
        }
        std::filesystem::remove(m_Folder / "bad.png");
        const ProgramRun plot = Run({"plot", "--time", "bad.csv,1,2,3L,4L,[]", "-o", "bad.png"});
        if (expected[i].plotError.empty()) {
            EXPECT_EQ(plot.status, 0);
            EXPECT_TRUE(std::filesystem::exists(m_Folder / "bad.png"));
        } else {
            EXPECT_EQ(plot.status, 2);
            EXPECT_EQ(plot.err, "telvan-csv: " + expected[i].plotError + "\n");
            EXPECT_FALSE(std::filesystem::exists(m_Folder / "bad.png"));
        }
    }
}
