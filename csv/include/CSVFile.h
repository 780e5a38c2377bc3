#pragma once

#include "CSVRange.h"
#include "CSVStream.h"
#include "CSV_API.h"
#include "PointerArray.h"
#include "ProgressWindow.h"

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

// A CSV file read range by range, with the summary functions over each range.
class CSV_API CCSVFile : public CCSVStream
{
public:
    CCSVFile();
    ~CCSVFile() override;

    // Back to the first line; 0 when that is not possible (standard input read past it).
    int CSVRewind();
    // Drops the buffered lines before the range and reads until a line lies after it;
    // the number of buffered lines, 0 when nothing is left.
    int CSVReadNextLines(CCSVRange* range);
    // Reads one line into the buffer; its time stamp, 0 at the end.
    int CSVGetNextTime(std::int64_t& time);
    // The result of selected function over the buffered lines in the range (-1: the text
    // of the last of them); 0 when the function does not exist or no line is in the range.
    int CSVGetField(int function, CCSVRange* range, std::string& value, int linesReady);
    // One record of all functions per range of length lines (byLines) or milliseconds, read
    // in one pass that keeps no line but the current one. A record is dated by its range's
    // first line with a time (time ranges: its earliest) and Last is its last line's text (time
    // ranges: its latest's). Where the times step back, the line starts the range that holds
    // it. Fields without a number are missing: Count counts the numbers.
    int CSVSummarize(int byLines, std::int64_t length, std::ostream& out = std::cout,
                     std::ostream& err = std::cerr);

    // Positions the stream before its first data line with an empty buffer; false when
    // that is not possible.
    bool StartData();
    int ReadNextLine(std::string& line) override;

    CCSVRange m_Range;

private:
    // The numbers of one column over the buffered lines of a range, kept for the next
    // function over the same column.
    struct ColumnValues;
    const ColumnValues& ValuesInRange(int index, const CCSVRange& range);
    // Moves the current range on to the one that holds the line.
    void MoveRangeTo(const CCSVLine& line);

    std::unique_ptr<ColumnValues> m_pColumnValues;
    // Counts the changes of the line buffer, so that kept values can tell they are stale.
    std::uint64_t m_nBufferGeneration = 1;
};

// Several CSV files merged along the lines of a master file; owns the files.
class CSV_API CCSVFilesEx : public CPointerArray<CCSVFile>
{
public:
    // One record per master line (master counted from 0) with every file's values over
    // the time since the previous master line. Progress goes to progress, or to standard
    // error when that is a terminal.
    int CSVCompile(int master, int withFunctionNames, std::ostream& out = std::cout,
                   std::ostream& err = std::cerr, CProgressWindowBase* progress = nullptr);
};
