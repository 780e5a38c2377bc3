#include "CSVStream.h"
#include "CSVTable.h"
#include "Strings.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Reads the file specification through a stream into the table.
void Fill(CCSVStream& stream, CCSVTable& table, const std::string& spec)
{
    ASSERT_EQ(stream.OpenStream(spec, ";", ",", &table), 1);
    stream.ProcessStream();
}

// Counts what reaches the next processor of a chain.
class Counter : public CTextStreamProcessor
{
public:
    int ProcessStreamStart(CTextStream*) override { return ++starts; }
    int ProcessStreamLine(CTextStream*, std::string& line) override
    {
        lastLine = line;
        return ++lines < stopAfter;
    }
    int ProcessStreamEnd(CTextStream*, std::string&) override { return ++ends; }
    int starts = 0;
    int lines = 0;
    int ends = 0;
    int stopAfter = 1000;
    std::string lastLine;
};

} // namespace

TEST(CSVStream, SelectionParsing)
{
    TempDir dir;
    const std::string file = dir.Write("data.csv", "d;t;a;b;c\n");
    CCSVStream stream;
    ASSERT_EQ(stream.OpenStream(file + ",1,2,3A,5X[Peak],4q,7", ";", ",", nullptr), 1);
    EXPECT_EQ(stream.m_nDateColumn, 0);
    EXPECT_EQ(stream.m_nTimeColumn, 1);
    ASSERT_EQ(stream.m_Functions.GetSize(), 4);
    EXPECT_EQ(stream.m_Functions[0]->m_nType, CSVFunctionAverage);
    EXPECT_EQ(stream.m_Functions[1]->m_nType, CSVFunctionMaximum);
    EXPECT_EQ(stream.m_Functions[1]->m_pColumn->m_strCaption, "Peak");
    EXPECT_EQ(stream.m_Functions[2]->m_nType, CSVFunctionLast);
    EXPECT_EQ(stream.m_Functions[2]->m_pColumn->m_nIndex, 3);
    // Column 7 lies past the first line's fields: empty columns are made up to it.
    EXPECT_EQ(stream.m_Format.GetSize(), 7);
    EXPECT_EQ(stream.m_Functions[3]->m_pColumn->m_nIndex, 6);
    // Without a header line the first line is data, so captions are numbered.
    EXPECT_EQ(stream.m_Format[0]->m_strCaption, "Column 1");
    EXPECT_EQ(stream.m_Format[4]->m_strCaption, "Peak");
    EXPECT_EQ(stream.GetParams(), file + ",1,2,3A,5X[Peak],4L,7L");
    EXPECT_EQ(stream.GetHeader(1, 1),
              ";data/Average of Column 3;data/Maximum of Peak;data/Last of Column 4;"
              "data/Last of Column 7");
    EXPECT_EQ(stream.GetHeader(0, 0), ";Column 3;Peak;Column 4;Column 7");
}

TEST(CSVStream, InvalidItemsAreIgnoredAndParamsReadBack)
{
    TempDir dir;
    const std::string file = dir.Write("x;y.csv", "d;t;v\n");
    CCSVStream stream;
    ASSERT_EQ(stream.OpenStream(file + ",0,x,3D[Spread],-4A,,99999999999S,[]", ";", ",", nullptr),
              1);
    EXPECT_EQ(stream.m_nDateColumn, -1);
    EXPECT_EQ(stream.m_nTimeColumn, -1);
    ASSERT_EQ(stream.m_Functions.GetSize(), 1);
    EXPECT_EQ(stream.m_bHeader, 1);
    EXPECT_EQ(stream.m_Format[0]->m_strCaption, "d");
    EXPECT_EQ(stream.GetHeader(1, 0), ";x_y/Spread");

    const std::string params = stream.GetParams();
    CCSVStream again;
    ASSERT_EQ(again.OpenStream(params, ";", ",", nullptr), 1);
    EXPECT_EQ(again.GetParams(), params);
    EXPECT_EQ(again.m_bHeader, 1);
}

TEST(CSVStream, WithoutSelectionTheFirstLineGivesCaptions)
{
    TempDir dir;
    CCSVStream stream;
    ASSERT_EQ(stream.OpenStream(dir.Write("h.csv", "Date;Time;Distance\n"), ";", ",", nullptr), 1);
    ASSERT_EQ(stream.m_Format.GetSize(), 3);
    EXPECT_EQ(stream.m_Format[2]->m_strCaption, "Distance");
    EXPECT_EQ(stream.m_Format[2]->m_strHeader, "Distance");
    EXPECT_EQ(stream.m_Format[2]->m_bHasCaption, 0);
}

TEST(CSVStream, MissingFileIsReported)
{
    TempDir dir;
    Counter counter;
    CCSVStream stream;
    EXPECT_EQ(stream.OpenStream(dir.Path("missing.csv") + ",1,2,3A", ";", ",", &counter), 0);
    EXPECT_EQ(stream.OpenStream(dir.Path(""), ";", ",", &counter), 0);
    EXPECT_EQ(counter.starts, 0);
    EXPECT_EQ(stream.GetLine(), nullptr);
}

TEST(CSVStream, FileNameWithTheDateOfOpening)
{
    TempDir dir;
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    std::strftime(today, sizeof today, "%Y%m%d", &tm);
    dir.Write(std::string("log") + today + "%.csv", "1;2\n");
    CCSVStream stream;
    ASSERT_EQ(stream.OpenStream(dir.Path("log%Y%m%d%%.csv"), ";", ",", nullptr), 1);
    EXPECT_EQ(stream.m_strName, dir.Path(std::string("log") + today + "%.csv"));
    EXPECT_EQ(stream.m_Format.GetSize(), 2);
}

TEST(CSVTableStream, XYWithOneColumnHasNoColumnsButXValues)
{
    // Without a selection the first line names the columns and is no data.
    TempDir dir;
    CCSVStream stream;
    CCSVTable table(CSVFormatXY, nullptr);
    Fill(stream, table, dir.Write("x.csv", "X\n1\n2\n3\n"));
    EXPECT_EQ(table.GetSize(), 0);
    EXPECT_EQ(table.m_XValues, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(table.m_strTitle, dir.Path("x.csv"));
}

TEST(CSVTableStream, XYSkipsLinesWithoutAnXValue)
{
    TempDir dir;
    CCSVStream stream;
    CCSVTable table(CSVFormatXY, nullptr);
    Fill(stream, table, dir.Write("xy.csv", "X;A;B\n;5;6\n1;;7\n2;3\n") + ",0,0,*,[]");
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(table.m_XValues, (std::vector<double>{1, 2}));
    const auto& a = table[0]->m_Values;
    ASSERT_EQ(a.size(), 2u);
    EXPECT_TRUE(std::isnan(a[0]));
    EXPECT_EQ(a[1], 3);
    // A line with fewer fields has no value for the column it lacks, not another field's.
    const auto& b = table[1]->m_Values;
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0], 7);
    EXPECT_TRUE(std::isnan(b[1]));
    EXPECT_FALSE(table[0]->m_bEmpty);
    EXPECT_EQ(table[0]->m_Min, 3);
    // The empty column's range does not pull 0 into the common range.
    EXPECT_EQ(table.m_ValueAxis.m_Min, 3);
    EXPECT_EQ(table.m_ValueAxis.m_Max, 7);
    EXPECT_EQ(table.m_XAxis.m_Min, 1);
    EXPECT_EQ(table.m_XAxis.m_Max, 2);
}

TEST(CSVTableStream, ColumnStaysEmptyUntilItsFirstFiniteValue)
{
    TempDir dir;
    {
        CCSVStream stream;
        CCSVTable table(CSVFormatLineNumber, nullptr);
        Fill(stream, table, dir.Write("n.csv", "A\n\n") + ",0,0,1L,[]");
        ASSERT_EQ(table.GetSize(), 1);
        EXPECT_TRUE(table[0]->m_bEmpty);
        EXPECT_EQ(table[0]->m_Min, 0);
        EXPECT_EQ(table[0]->m_Max, 0);
        EXPECT_TRUE(table.m_ValueAxis.m_bEmpty);
    }
    {
        CCSVStream stream;
        CCSVTable table(CSVFormatLineNumber, nullptr);
        Fill(stream, table, dir.Write("m.csv", "A\n\n3\n") + ",0,0,1L,[]");
        EXPECT_FALSE(table[0]->m_bEmpty);
        EXPECT_EQ(table[0]->m_Min, 3);
        EXPECT_EQ(table[0]->m_Max, 3);
        EXPECT_EQ(table.m_ValueAxis.m_Min, 3);
    }
}

TEST(CSVTableStream, XYTakesXFromFieldZeroWithoutFunctions)
{
    TempDir dir;
    CCSVStream stream;
    CCSVTable table(CSVFormatXY, nullptr);
    // With a selection but no header line the first line is data too.
    Fill(stream, table, dir.Write("x0.csv", "1;A\n4;5\n") + ",0,0");
    EXPECT_EQ(table.m_XValues, (std::vector<double>{1, 4}));
    EXPECT_EQ(table.GetSize(), 0);
}

TEST(CSVTableStream, LineNumbersAndSelectedFunctionColumns)
{
    TempDir dir;
    CCSVStream stream;
    CCSVTable table(CSVFormatLineNumber, nullptr);
    // With a selection but no header line the first line is data too.
    Fill(stream, table, dir.Write("l.csv", "1;10;100\n2;20;200\n3;30;300\n") + ",0,0,3L,1L");
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(table[0]->m_pFormat->m_strCaption, "Column 3");
    EXPECT_EQ(table[0]->m_Values, (std::vector<double>{100, 200, 300}));
    EXPECT_EQ(table[1]->m_Values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(table.m_XValues, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(table.m_XAxis.m_Min, 0);
    EXPECT_EQ(table.m_XAxis.m_Max, 2);
}

TEST(CSVTableStream, LineNumberRangeOfAStreamEndedAtLineZero)
{
    CCSVStream stream;
    stream.m_nLine = 0;
    CCSVTable table(CSVFormatLineNumber, nullptr);
    std::string text;
    table.ProcessStreamEnd(&stream, text);
    EXPECT_EQ(table.m_XAxis.m_Min, -1);
    EXPECT_EQ(table.m_XAxis.m_Max, 0);
}

TEST(CSVTableStream, TimeStampsAbsoluteAndRelative)
{
    TempDir dir;
    const std::string file = dir.Write("t.csv", "Date;Time;V\n24.12.2010;18:30:05;1\n"
                                                "bad;line;2\n24.12.2010;18:30:07.5;3\n"
                                                "24.12.2010;18:30:04;4\n");
    {
        CCSVStream stream;
        CCSVTable table(CSVFormatTime, nullptr);
        Fill(stream, table, file + ",1,2,*,[]");
        const std::int64_t t0 = LocalMs(2010, 12, 24, 18, 30, 5);
        EXPECT_EQ(table.m_TimeStamps, (std::vector<std::int64_t>{t0, t0 + 2000 + 500, t0 - 1000}));
        ASSERT_EQ(table.GetSize(), 3);
        EXPECT_EQ(table[2]->m_Values, (std::vector<double>{1, 3, 4}));
        EXPECT_EQ(table[2]->m_pFormat->m_strCaption, "V");
        EXPECT_EQ(table.m_TimeScale.m_Min, t0 - 1000);
    }
    {
        CCSVStream stream;
        CCSVTable table(CSVFormatRelativeTime, nullptr);
        Fill(stream, table, file + ",1,2,3L,[]");
        EXPECT_EQ(table.m_TimeStamps, (std::vector<std::int64_t>{1000, 3500, 0}));
        EXPECT_EQ(table.m_TimeScale.m_Min, 0);
        EXPECT_EQ(table.m_TimeScale.m_Max, 3500);
    }
}

// A second stream into the same table: its new columns are missing on the earlier lines, so
// element i of every array stays line i's, and the ranges take in every line drawn.
TEST(CSVTableStream, SecondStreamKeepsEveryColumnInStepWithTheLines)
{
    TempDir dir;
    CCSVTable table(CSVFormatLineNumber, nullptr);
    // The table's columns point at the streams' descriptors: both streams outlive it.
    CCSVStream first;
    CCSVStream second;
    Fill(first, table, dir.Write("a.csv", "1\n9\n") + ",0,0,1L");
    Fill(second, table, dir.Write("b.csv", "4\n5\n") + ",0,0,1L");
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(table.m_XValues.size(), 4u);
    EXPECT_EQ(table[0]->m_Values, (std::vector<double>{1, 9, 4, 5}));
    const auto& added = table[1]->m_Values;
    ASSERT_EQ(added.size(), 4u);
    EXPECT_TRUE(std::isnan(added[0]) && std::isnan(added[1]));
    EXPECT_EQ(added[2], 4);
    EXPECT_EQ(added[3], 5);
    EXPECT_EQ(table[0]->m_Min, 1);
    EXPECT_EQ(table[0]->m_Max, 9);
    EXPECT_EQ(table.m_ValueAxis.m_Min, 1);
    EXPECT_EQ(table.m_ValueAxis.m_Max, 9);

    // Relative times count from each stream's own earliest line.
    CCSVTable relative(CSVFormatRelativeTime, nullptr);
    CCSVStream third;
    CCSVStream fourth;
    Fill(third, relative,
         dir.Write("c.csv", "24.12.2010;18:30:05;1\n24.12.2010;18:30:07;2\n") + ",1,2,3L");
    Fill(fourth, relative,
         dir.Write("d.csv", "25.12.2010;08:00:00;3\n25.12.2010;08:00:04;4\n") + ",1,2,3L");
    EXPECT_EQ(relative.m_TimeStamps, (std::vector<std::int64_t>{0, 2000, 0, 4000}));
    EXPECT_EQ(relative.m_TimeScale.m_Min, 0);
    EXPECT_EQ(relative.m_TimeScale.m_Max, 4000);
}

// Streamed without keeping lines, the stream holds the current line alone, whatever the
// file's length, and every line still reaches the table whole.
TEST(CSVTableStream, WithoutKeptLinesOneLineIsHeld)
{
    class LinesHeld : public CTextStreamProcessor
    {
    public:
        explicit LinesHeld(const CCSVStream& stream) : m_Stream(stream) {}
        int ProcessStreamLine(CTextStream*, std::string&) override
        {
            most = std::max(most, m_Stream.m_LineBuffer.GetSize());
            return 1;
        }
        int most = 0;

    private:
        const CCSVStream& m_Stream;
    };
    TempDir dir;
    std::string text = "X;Name;Value\n";
    for (int i = 0; i < 20000; ++i)
        text += std::to_string(i) + ";a name longer than any short string;" +
                std::to_string(i % 7) + "\n";
    CCSVStream stream;
    stream.m_bKeepLines = 0;
    LinesHeld held(stream);
    CCSVTable table(CSVFormatXY, &held);
    Fill(stream, table, dir.Write("long.csv", text) + ",0,0,1L,3L,[]");
    EXPECT_EQ(held.most, 1);
    ASSERT_EQ(table.m_XValues.size(), 20000u);
    EXPECT_EQ(table.m_XValues.back(), 19999);
    EXPECT_EQ(table[0]->m_Values[19999], 19999 % 7);
    EXPECT_EQ(stream.GetLine()->GetLine(), "19999;a name longer than any short string;0");
}

namespace {

bool SameValue(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The same lines and the same ranges.
void ExpectSameTable(const CCSVTable& table, const CCSVTable& expected)
{
    EXPECT_EQ(table.m_TimeStamps, expected.m_TimeStamps);
    EXPECT_EQ(table.m_XValues, expected.m_XValues);
    ASSERT_EQ(table.GetSize(), expected.GetSize());
    for (int i = 0; i < table.GetSize(); ++i) {
        SCOPED_TRACE(i);
        const auto& values = table[i]->m_Values;
        const auto& expectedValues = expected[i]->m_Values;
        ASSERT_EQ(values.size(), expectedValues.size());
        EXPECT_TRUE(std::equal(values.begin(), values.end(), expectedValues.begin(), SameValue));
        EXPECT_EQ(table[i]->m_bEmpty, expected[i]->m_bEmpty);
        if (!expected[i]->m_bEmpty) {
            EXPECT_EQ(table[i]->m_Min, expected[i]->m_Min);
            EXPECT_EQ(table[i]->m_Max, expected[i]->m_Max);
        }
    }
    EXPECT_EQ(table.m_TimeScale.m_Min, expected.m_TimeScale.m_Min);
    EXPECT_EQ(table.m_TimeScale.m_Max, expected.m_TimeScale.m_Max);
    EXPECT_EQ(table.m_XAxis.m_Min, expected.m_XAxis.m_Min);
    EXPECT_EQ(table.m_XAxis.m_Max, expected.m_XAxis.m_Max);
    EXPECT_EQ(table.m_ValueAxis.m_bEmpty, expected.m_ValueAxis.m_bEmpty);
    EXPECT_EQ(table.m_ValueAxis.m_Min, expected.m_ValueAxis.m_Min);
    EXPECT_EQ(table.m_ValueAxis.m_Max, expected.m_ValueAxis.m_Max);
}

// The same current line, the one line held.
void ExpectSameLine(const CCSVStream& straight, const CCSVStream& kept)
{
    ASSERT_NE(straight.GetLine(), nullptr);
    EXPECT_EQ(straight.m_strText, kept.m_strText);
    EXPECT_EQ(straight.GetLine()->GetLine(), kept.GetLine()->GetLine());
    EXPECT_EQ(straight.GetLine()->m_nLine, kept.GetLine()->m_nLine);
    EXPECT_EQ(straight.GetLine()->GetTimeStamp(), kept.GetLine()->GetTimeStamp());
    EXPECT_EQ(straight.m_nLine, kept.m_nLine);
    EXPECT_EQ(straight.m_LineBuffer.GetSize(), 1);
}

// Reads the file specification into a table twice, line by line and straight from the text by a stream that
// keeps no lines; both give the same table and the same current line.
void ExpectStraightAsLineByLine(const std::string& spec, CSVFormatType type)
{
    CCSVStream kept;
    CCSVTable lineByLine(type, nullptr);
    Fill(kept, lineByLine, spec);
    CCSVStream straight;
    straight.m_bKeepLines = 0;
    CCSVTable table(type, nullptr);
    Fill(straight, table, spec);
    ExpectSameTable(table, lineByLine);
    ExpectSameLine(straight, kept);
}

} // namespace

// A table that passes nothing on takes the lines of a stream that keeps none straight from
// their text: the same table, the same last line, as line by line.
TEST(CSVTableStream, StraightFromTheTextAsLineByLine)
{
    TempDir dir;
    const std::string file = dir.Write("s.csv", "Time;X;V\n23:59:58;1;10\n23:59:59;2;E02\n"
                                                "00:00:00;x;12\n00:00:01;4\n00:00:02;5;1,5e1\n");
    for (const CSVFormatType type :
         {CSVFormatTime, CSVFormatRelativeTime, CSVFormatXY, CSVFormatLineNumber}) {
        SCOPED_TRACE(type);
        ExpectStraightAsLineByLine(file + ",0,1,2L,3L,[]", type);
    }
    CCSVStream straight;
    straight.m_bKeepLines = 0;
    CCSVTable table(CSVFormatXY, nullptr);
    Fill(straight, table, file + ",0,1,2L,3L,[]");
    EXPECT_EQ(straight.m_strText, "00:00:02;5;1,5e1");

    // Lines across the blocks the file is read in, CR LF, CR and LF ends and a last line
    // without one; a UTF-16 file.
    std::string text = "X;Name;V\r\n";
    for (int i = 0; text.size() < 300000; ++i)
        text += std::to_string(i) + ";" + std::string(static_cast<std::size_t>(i % 97), 'n') +
                ";" + std::to_string(i % 13) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r\n");
    text += "99999;last;7";
    ExpectStraightAsLineByLine(dir.Write("blocks.csv", text) + ",0,0,1L,3L,[]", CSVFormatXY);
    const std::u16string utf16 = u"X;V\r\n1;2,5\r\n2;\u00b0\r\n3;4";
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : utf16) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    ExpectStraightAsLineByLine(dir.Write("utf16.csv", bytes) + ",0,0,1L,2L,[]", CSVFormatXY);
}

// A large file's lines of X values are read in two halves at once: the halves join into the
// table that reading in order gives, whatever lies around the middle.
TEST(CSVTableStream, LargeFileReadInTwoHalvesAsInOrder)
{
    TempDir dir;
    // Lines without an X value or with missing values on both sides of the middle, a column
    // that gets its first value late, CR LF and LF ends, a last line without one.
    const auto lines = [](int count, const auto& line) {
        std::string text = "X;A;B\r\n";
        for (int i = 0; i < count; ++i)
            text += line(i) + (i % 2 ? "\r\n" : "\n");
        return text + "77;1;2";
    };
    const std::string missing = dir.Write("missing.csv", lines(40000, [](int i) {
        return (i % 11 == 0 ? std::string("x") : std::to_string(i % 5000) + ",25") + ";" +
               (i % 7 == 0 ? "" : std::to_string(-i)) + ";" +
               (i > 30000 ? std::to_string(i % 3) : "-");
    }));
    // The lines of the first half have no X value: the table's first line lies in the second.
    const std::string lateX = dir.Write("late.csv", lines(40000, [](int i) {
        return (i < 25000 ? std::string("none") : std::to_string(i)) + ";;" + std::to_string(i);
    }));
    // A line across several blocks of reading in the middle.
    const std::string wide = dir.Write("wide.csv", lines(3, [](int i) {
        return std::to_string(i) + ";" + std::string(200000, '5') + ";" + std::to_string(i);
    }));
    for (const std::string& file : {missing, lateX, wide}) {
        SCOPED_TRACE(file);
        ExpectStraightAsLineByLine(file + ",0,0,1L,2L,3L,[]", CSVFormatXY);
        ExpectStraightAsLineByLine(file + ",0,0,1L,3L,[]", CSVFormatXY);
        ExpectStraightAsLineByLine(file + ",0,0,1L,*,[]", CSVFormatXY);
    }

    // After an earlier stream the halves widen its ranges; a later stream follows on.
    const std::string small = dir.Write("small.csv", "1;90000;\n2;;\n");
    CCSVStream kept[3];
    CCSVTable lineByLine(CSVFormatXY, nullptr);
    CCSVStream straight[3];
    CCSVTable table(CSVFormatXY, nullptr);
    const std::string specs[3] = {small + ",0,0,1L,2L,3L", missing + ",0,0,1L,2L,3L,[]",
                                  small + ",0,0,1L,3L"};
    for (int i = 0; i < 3; ++i) {
        Fill(kept[i], lineByLine, specs[i]);
        straight[i].m_bKeepLines = 0;
        Fill(straight[i], table, specs[i]);
        ExpectSameLine(straight[i], kept[i]);
    }
    ExpectSameTable(table, lineByLine);

    // Emptied for new lines, a table restarts its ranges with its first line, in either half.
    for (CCSVTable* emptied : {&table, &lineByLine}) {
        emptied->DeleteAll();
        emptied->m_XValues.clear();
    }
    CCSVStream keptAgain;
    Fill(keptAgain, lineByLine, lateX + ",0,0,1L,3L,[]");
    CCSVStream straightAgain;
    straightAgain.m_bKeepLines = 0;
    Fill(straightAgain, table, lateX + ",0,0,1L,3L,[]");
    ExpectSameTable(table, lineByLine);

    // A time column over midnight is followed line after line: such a file is read in order.
    std::string times = "T;X\n";
    for (int i = 0; i < 30000; ++i)
        times += FormatString("%02d:%02d:%02d;%d\n", (23 + i / 3600) % 24, i / 60 % 60, i % 60, i);
    ExpectStraightAsLineByLine(dir.Write("times.csv", times) + ",0,1,2L,[]", CSVFormatXY);
}

TEST(CSVTableStream, ChainPassesEveryEventAndStopsWhenTheNextStops)
{
    TempDir dir;
    Counter counter;
    counter.stopAfter = 2;
    CCSVTable table(CSVFormatLineNumber, &counter);
    CCSVStream stream;
    ASSERT_EQ(stream.OpenStream(dir.Write("c.csv", "1\n2\n3\n4\n") + ",0,0,1L", ";", ",", &table),
              1);
    EXPECT_EQ(stream.ProcessStream(), 0);
    EXPECT_EQ(counter.starts, 1);
    EXPECT_EQ(counter.lines, 2);
    EXPECT_EQ(counter.ends, 0);
    EXPECT_EQ(counter.lastLine, "2");
}

TEST(CSVTableStream, StandardInputKeepsItsLastLineAndDropsNul)
{
    TempDir dir;
    StdinFromFile input(dir.Write("in.csv", std::string("A\r\n1\n2\0"
                                                        "5\n7",
                                                        10)));
    ASSERT_TRUE(input.Ok());
    CCSVStream stream;
    CCSVTable table(CSVFormatLineNumber, nullptr);
    ASSERT_EQ(stream.OpenStream(",0,0,1L,[]", ";", ",", &table), 1);
    EXPECT_EQ(stream.IsPipe(), 1);
    stream.ProcessStream();
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(table[0]->m_pFormat->m_strCaption, "A");
    EXPECT_EQ(table[0]->m_Values, (std::vector<double>{1, 25, 7}));
}

TEST(TextStream, KeepNewlineAndProcessorResults)
{
    TempDir dir;
    const std::string file = dir.Write("k.txt", "one\r\ntwo\nthree");
    Counter counter;
    CTextStream stream(1);
    ASSERT_EQ(stream.OpenStream(file, &counter), 1);
    std::string line;
    ASSERT_EQ(stream.ReadNextLine(line), 1);
    EXPECT_EQ(line, "one\n");
    EXPECT_EQ(stream.ProcessStream(), 1);
    EXPECT_EQ(counter.lines, 2);
    EXPECT_EQ(counter.lastLine, "three\n");
    EXPECT_EQ(stream.m_nLine, 3);

    CTextStream plain;
    EXPECT_EQ(plain.OpenStream(file, nullptr), 1);
    EXPECT_EQ(plain.ProcessStream(), 0);
}
