#include "CSVTable.h"
#include "CSVLine.h"
#include "CSVRange.h"
#include "Strings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CSVAxis, NonFiniteValuesKeepTheRangeEmpty)
{
    CCSVAxis axis;
    axis.AddValue(dbl_nan, true);
    axis.AddValue(INFINITY, false);
    EXPECT_TRUE(axis.m_bEmpty);
    EXPECT_EQ(axis.m_Min, 0);
    EXPECT_EQ(axis.m_Max, 0);
    axis.AddValue(5, false);
    axis.AddValue(-2, false);
    axis.AddValue(3, false);
    EXPECT_FALSE(axis.m_bEmpty);
    EXPECT_EQ(axis.m_Min, -2);
    EXPECT_EQ(axis.m_Max, 5);
    axis.AddValue(10, true);
    EXPECT_EQ(axis.m_Min, 10);
    EXPECT_EQ(axis.m_Max, 10);
}

TEST(CSVAxis, SetMinMaxAndMerge)
{
    CCSVAxis axis;
    axis.SetMinMax(4, -1);
    EXPECT_EQ(axis.m_Min, -1);
    EXPECT_EQ(axis.m_Max, 4);
    EXPECT_TRUE(axis.m_bEmpty);

    CCSVAxis other;
    other.SetMinMax(2, 9);
    axis.Merge(other, false);
    EXPECT_EQ(axis.m_Min, -1);
    EXPECT_EQ(axis.m_Max, 9);
    axis.Merge(other, true);
    EXPECT_EQ(axis.m_Min, 2);
    EXPECT_EQ(axis.m_Max, 9);

    CCSVTimeScale scale;
    scale.AddValue(300, false);
    scale.AddValue(100, false);
    EXPECT_EQ(scale.m_Min, 100);
    EXPECT_EQ(scale.m_Max, 300);
}

TEST(CSVLine, FieldsAndClampedColumns)
{
    CCSVLine line(7, "a;;b", ";", ",", -1, -1);
    ASSERT_EQ(line.GetColumnCount(), 3);
    EXPECT_EQ(line.m_nLine, 7);
    EXPECT_EQ(line.GetLine(), "a;;b");
    std::string text;
    EXPECT_EQ(line.GetColumn(1, text), 1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(line.GetColumn(-3, text), 1);
    EXPECT_EQ(text, "a");
    EXPECT_EQ(line.GetColumn(99, text), 1);
    EXPECT_EQ(text, "b");

    EXPECT_EQ(CCSVLine(0, "a;b;", ";", ",", -1, -1).GetColumnCount(), 2);
    EXPECT_EQ(CCSVLine(0, "x::y:z", "::", ",", -1, -1).GetColumnCount(), 2);

    CCSVLine empty(0, "", ";", ",", -1, -1);
    EXPECT_EQ(empty.GetColumnCount(), 0);
    text = "old";
    EXPECT_EQ(empty.GetColumn(0, text), 0);
    EXPECT_EQ(text, "");
    double value = 0;
    EXPECT_EQ(empty.GetColumn(0, value), 0);
    EXPECT_TRUE(std::isnan(value));
}

TEST(CSVLine, ValuesWithTheLinesDecimalPoint)
{
    CCSVLine line(0, "1,5;2.25;;7", ";", ",", -1, -1);
    double value = 0;
    line.GetColumn(0, value);
    EXPECT_DOUBLE_EQ(value, 1.5);
    line.GetColumn(1, value);
    EXPECT_DOUBLE_EQ(value, 2.25);
    EXPECT_EQ(line.GetColumn(2, value), 1);
    EXPECT_TRUE(std::isnan(value));
    line.GetColumn(3, value);
    EXPECT_DOUBLE_EQ(value, 7);
}

TEST(CSVLine, DateAndTimeInEveryMode)
{
    const std::int64_t expected = LocalMs(2010, 12, 24, 18, 30, 5) + 250;

    CCSVLine separate(0, "24.12.2010;18:30:05.250;1", ";", ",", 0, 1);
    EXPECT_EQ(separate.m_nTimeMode, 1);
    EXPECT_EQ(separate.GetTimeStamp(), expected);

    CCSVLine together(0, "x;24.12.2010 18:30:05.250", ";", ",", 1, 1);
    EXPECT_EQ(together.m_nTimeMode, 2);
    EXPECT_EQ(together.GetTimeStamp(), expected);

    CCSVLine slashes(0, "24/12/2010;18:30:05.250", ";", ",", 0, 1);
    EXPECT_EQ(slashes.GetTimeStamp(), expected);

    CCSVLine dateOnly(0, "1;24.12.2010", ";", ",", 1, -1);
    EXPECT_EQ(dateOnly.m_nTimeMode, 0);
    EXPECT_EQ(dateOnly.GetTimeStamp(), LocalMs(2010, 12, 24, 0, 0, 0));

    // Without a date: today with the line's time of day.
    CCSVLine timeOnly(0, "18:30:05;3", ";", ",", -1, 0);
    EXPECT_EQ(timeOnly.m_nTimeMode, 3);
    std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    EXPECT_EQ(timeOnly.GetTimeStamp(),
              LocalMs(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday, 18, 30, 5));
}

TEST(CSVLine, TextsThatAreNotDateAndTimeGiveZero)
{
    EXPECT_EQ(CCSVLine(0, "2010-12-24;18:30:05", ";", ",", 0, 1).GetTimeStamp(), 0);
    EXPECT_EQ(CCSVLine(0, "24.12.2010;18.30.05", ";", ",", 0, 1).GetTimeStamp(), 0);
    EXPECT_EQ(CCSVLine(0, "24.12.10;18:30:05", ";", ",", 0, 1).GetTimeStamp(), 0);
    EXPECT_EQ(CCSVLine(0, "24.12.2010;8:30:05", ";", ",", 0, 1).GetTimeStamp(), 0);
    EXPECT_EQ(CCSVLine(0, "", ";", ",", 0, 1).GetTimeStamp(), 0);
    // A blank after the date does not make the date 1970.
    EXPECT_EQ(CCSVLine(0, "24.12.2010 ;18:30:05", ";", ",", 0, 1).GetTimeStamp(),
              LocalMs(2010, 12, 24, 18, 30, 5));
}

TEST(CSVLines, InsertKeepsTimeOrderAndInsertionOrderOfEqualStamps)
{
    CCSVLines lines;
    const auto make = [](int number, const char* time) {
        return new CCSVLine(number, std::string("01.01.2010;") + time, ";", ",", 0, 1);
    };
    lines.Insert(make(0, "10:00:00"));
    lines.Insert(make(1, "12:00:00"));
    lines.Insert(make(2, "11:00:00"));
    lines.Insert(make(3, "11:00:00"));
    lines.Insert(make(4, "09:00:00"));
    lines.Insert(nullptr);
    ASSERT_EQ(lines.GetSize(), 5);
    const int order[] = {4, 0, 2, 3, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(lines[i]->m_nLine, order[i]);
}

TEST(CSVRange, SpansAtLeastTwoUnits)
{
    CCSVRange range;
    range.SetLineRange(5, 5);
    EXPECT_EQ(range.m_End, 6);
    EXPECT_EQ(range.m_Count, 2);
    range.SetLineDiff(5, 0);
    EXPECT_EQ(range.m_End, 5);
    EXPECT_EQ(range.m_Count, 1);
    range.SetLineRange(-10, 20);
    EXPECT_EQ(range.m_Begin, 0);
    EXPECT_EQ(range.m_Count, 21);
    range.NextRange();
    EXPECT_EQ(range.m_Begin, 21);
    EXPECT_EQ(range.m_End, 41);
    // Times before 1970 are negative.
    range.SetTimeRange(-10, 20);
    EXPECT_EQ(range.m_bTimeRange, 1);
    EXPECT_EQ(range.m_Begin, -10);
    EXPECT_EQ(range.m_Count, 31);
    range.SetTimeDiff(INT64_MAX - 1, 100);
    EXPECT_EQ(range.m_End, INT64_MAX);
}

TEST(CSVRange, PositionOfALine)
{
    CCSVRange range;
    range.SetLineDiff(10, 5);
    const auto at = [&](int number) {
        CCSVLine line(number, "x", ";", ",", -1, -1);
        return range.GetLinePosition(&line);
    };
    EXPECT_EQ(at(9), -1);
    EXPECT_EQ(at(10), 0);
    EXPECT_EQ(at(14), 0);
    EXPECT_EQ(at(15), 1);
    EXPECT_EQ(at(-1), -2);
    EXPECT_EQ(range.GetLinePosition(nullptr), -2);

    CCSVLine timed(3, "01.01.2010;00:00:01", ";", ",", 0, 1);
    range.SetTimeDiff(timed.GetTimeStamp(), 1000);
    EXPECT_TRUE(range.InRange(&timed));
    range.NextRange();
    EXPECT_EQ(range.GetLinePosition(&timed), -1);
    CCSVLine old(4, "01.01.1960;00:00:01", ";", ",", 0, 1);
    range.SetTimeDiff(old.GetTimeStamp(), 1000);
    EXPECT_TRUE(range.InRange(&old));
    // A line without a time has no place in a time range.
    const CCSVLine untimed(5, "x", ";", ",", 0, 1);
    EXPECT_EQ(range.GetLinePosition(&untimed), -2);
}

TEST(CSVTable, FilledDirectlyAsAGraphPageDoes)
{
    CSVColumn format;
    format.m_strCaption = "Distance (m)";
    CCSVTable table(CSVFormatXY, nullptr);
    auto* column = new CCSVColumn;
    column->m_pFormat = &format;
    table.Add(column);
    for (int i = 0; i < 3; ++i) {
        table.m_XValues.push_back(i);
        table.m_XAxis.AddValue(i, i == 0);
        column->m_Values.push_back(i * 1.5);
        column->AddValue(i * 1.5, i == 0);
    }
    table.m_ValueAxis.Merge(*column, true);
    EXPECT_EQ(table.GetSize(), 1);
    EXPECT_EQ(table[0]->m_pFormat->m_strCaption, "Distance (m)");
    EXPECT_EQ(table.m_ValueAxis.m_Max, 3.0);
    EXPECT_EQ(table.m_XAxis.m_Max, 2.0);

    table.DeleteAll();
    EXPECT_EQ(table.GetSize(), 0);
    EXPECT_EQ(table.m_XValues.size(), 3u);
}
