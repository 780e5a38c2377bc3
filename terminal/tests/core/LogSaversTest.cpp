#include "LogSavers.h"
#include "LineList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CRowCase
{
    std::string entry;
    std::string row; // empty: no row
};

std::string RowsZL(const std::vector<std::string>& entries)
{
    std::string rows, row;
    int n = 0;
    for (const std::string& entry : entries)
        if (ExcelRowZL(entry, n, row))
            rows += row;
    return rows;
}

TEST(ExcelRowZL, EveryLayoutFillsItsColumns)
{
    const std::vector<CRowCase> cases = {
        {"D+0012.345", "1;;;+0012,345;;\r\n"},
        {"D-0001.250 +0012.345", "1;;-0001,250;+0012,345;;\r\n"},
        {"D+0012.345 01500 +29.9", "1;;;+0012,345;01500;+29,9\r\n"},
        {"D-0001.250 +0012.345 01500 +29.9", "1;;-0001,250;+0012,345;01500;+29,9\r\n"},
        {"D+0012.345 +29.9", "1;;;+0012,345;;+29,9\r\n"},
        {"D+0012.345 -01.5", "1;;;+0012,345;;-01,5\r\n"},
        {"D+0012.345 01500", "1;;;+0012,345;01500;\r\n"},
        {"D-0001.250 +0012.345 +29.9", "1;;-0001,250;+0012,345;;+29,9\r\n"},
        {"D-0001.250 +0012.345 01500", "1;;-0001,250;+0012,345;01500;\r\n"},
        {"DE02      ", "1;;E02;E02;;\r\n"},
        {"DE04", "1;;E04;E04;;\r\n"},
        {"DE", "1;;E;E;;\r\n"},
        {"D+12.3", "1;;;;;\r\n"},
        {"D", "1;;;;;\r\n"},
        {"14:03:07:042>> D+0012.345", "1;14:03:07:042;;+0012,345;;\r\n"},
        {"14:03:07:042>> DE02      ", "1;14:03:07:042;E02;E02;;\r\n"},
    };
    for (const CRowCase& test : cases) {
        int n = 0;
        std::string row;
        EXPECT_TRUE(ExcelRowZL(test.entry, n, row)) << test.entry;
        EXPECT_EQ(row, test.row) << test.entry;
        EXPECT_EQ(n, 1) << test.entry;
    }
}

TEST(ExcelRowZL, OnlyDecimalMeasurementsMakeRows)
{
    for (const std::string entry : {"H000ABC 0123", "B100000010000001000000011", "ID 4711", "PA",
                                    "14:03:07:042>> H000ABC", "", "14:03:07:042>> "}) {
        int n = 5;
        std::string row = "untouched";
        EXPECT_FALSE(ExcelRowZL(entry, n, row)) << entry;
        EXPECT_EQ(n, 5);
    }
    EXPECT_EQ(RowsZL({"D+0001.000", "H000ABC", "B1000", "D+0002.000"}),
              "1;;;+0001,000;;\r\n2;;;+0002,000;;\r\n");
}

TEST(ExcelRowQR, ReadingsAndErrorsMakeRows)
{
    const std::vector<CRowCase> cases = {
        {"012.345", "1;;012,345\r\n"},
        {"E16", "1;;E16\r\n"},
        {"E16 long text", "1;;E16\r\n"},
        {"E", "1;;E\r\n"},
        {"14:03:07:042>> 012.345", "1;14:03:07:042;012,345\r\n"},
        {"R12.345", ""},
        {"12.3456x", ""},
        {"ID", ""},
    };
    for (const CRowCase& test : cases) {
        int n = 0;
        std::string row;
        EXPECT_EQ(ExcelRowQR(test.entry, n, row), !test.row.empty()) << test.entry;
        if (!test.row.empty()) {
            EXPECT_EQ(row, test.row) << test.entry;
            EXPECT_EQ(n, 1);
        } else {
            EXPECT_EQ(n, 0);
        }
    }
}

class LogSavers : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "logsaversXXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        for (const char* entry : {"ID 4711", "D+0012.345 01500 +29.9", "14:03:07:042>> DE02      ",
                                  "H000ABC", "D-0001.250 +0012.345"})
            entries.Add(entry);
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string Read(const fs::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& file : fs::directory_iterator(folder))
            names.push_back(file.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
    CLineList entries;
};

TEST_F(LogSavers, TextFileHoldsTheMarkedStretch)
{
    const fs::path path = folder / "Log.txt";
    EXPECT_EQ(SaveLog(path, LogFileKind::Text, entries, 1, 3), "");
    EXPECT_EQ(Read(path), "D+0012.345 01500 +29.9\r\n14:03:07:042>> DE02      \r\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Log.txt"}));
}

TEST_F(LogSavers, ExcelFilesHaveHeaderAndNumberedRows)
{
    EXPECT_EQ(SaveLog(folder / "Log Excel.csv", LogFileKind::ExcelZL, entries, 0, 5), "");
    EXPECT_EQ(Read(folder / "Log Excel.csv"),
              "Point number;Time;Speed;Distance;Strength;Temperature\r\n"
              "1;;;+0012,345;01500;+29,9\r\n"
              "2;14:03:07:042;E02;E02;;\r\n"
              "3;;-0001,250;+0012,345;;\r\n");
    CLineList quorin;
    for (const char* entry : {"012.345", "R12.345", "14:03:07:042>> E16", "PA"})
        quorin.Add(entry);
    EXPECT_EQ(SaveLog(folder / "LogQR Excel.csv", LogFileKind::ExcelQR, quorin, 0, 4), "");
    EXPECT_EQ(Read(folder / "LogQR Excel.csv"),
              "Point Number;Time;Distance\r\n1;;012,345\r\n2;14:03:07:042;E16\r\n");
}

TEST_F(LogSavers, StretchOutsideTheListIsLimitedOrEmpty)
{
    EXPECT_EQ(SaveLog(folder / "a.csv", LogFileKind::ExcelZL, entries, 3, 1), "");
    EXPECT_EQ(Read(folder / "a.csv"), "Point number;Time;Speed;Distance;Strength;Temperature\r\n");
    EXPECT_EQ(SaveLog(folder / "b.txt", LogFileKind::Text, entries, 4, 99), "");
    EXPECT_EQ(Read(folder / "b.txt"), "D-0001.250 +0012.345\r\n");
    EXPECT_EQ(SaveLog(folder / "c.txt", LogFileKind::Text, entries, 99, 120), "");
    EXPECT_EQ(Read(folder / "c.txt"), "");
}

TEST_F(LogSavers, SavingReplacesAnExistingFile)
{
    const fs::path path = folder / "Log.txt";
    std::ofstream(path) << "an older and longer log that must be replaced as a whole\n";
    std::ofstream(folder / "Log.txt.part0") << "a left-over of someone else";
    EXPECT_EQ(SaveLog(path, LogFileKind::Text, entries, 0, 1), "");
    EXPECT_EQ(Read(path), "ID 4711\r\n");
    EXPECT_EQ(Read(folder / "Log.txt.part0"), "a left-over of someone else");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Log.txt", "Log.txt.part0"}));
}

TEST_F(LogSavers, FailedSaveReportsAndLeavesNothingBehind)
{
    EXPECT_EQ(SaveLog(folder / "missing" / "Log.txt", LogFileKind::Text, entries, 0, 5),
              "Can not save file!");
    // A folder in the way cannot be replaced; it stays as it was.
    fs::create_directory(folder / "Log.txt");
    std::ofstream(folder / "Log.txt" / "inside") << "kept";
    EXPECT_EQ(SaveLog(folder / "Log.txt", LogFileKind::ExcelZL, entries, 0, 5),
              "Can not save file!");
    EXPECT_EQ(Read(folder / "Log.txt" / "inside"), "kept");
    EXPECT_EQ(Files(), (std::vector<std::string>{"Log.txt"}));
}

} // namespace
