#pragma once

#include "CSVTable.h"
#include "TextStream.h"

#include <future>
#include <string>
#include <string_view>

class CCSVStream;

// The second half of a plain file's lines, read into a table of its own on a second thread
// while the stream reads the first half, then joined to the stream's table: the same values
// and ranges as reading the lines in order, in about half the time on two cores. Only for
// tables whose lines do not depend on the lines before them (X values, no times).
class CSVFileHalf
{
public:
    CSVFileHalf() = default;
    CSVFileHalf(const CSVFileHalf&) = delete;
    CSVFileHalf& operator=(const CSVFileHalf&) = delete;

    // Starts the second half when the rest of the stream's file is long enough to share; the
    // stream then ends its reads where the second half begins. False when the stream reads
    // on alone.
    bool Start(CCSVStream& stream, const CCSVTable& table);
    // Waits for the second half and appends its lines to the table after the stream's; the
    // stream goes on after them. The last line's text when the second half had lines.
    bool Join(CCSVStream& stream, CCSVTable& table, std::string_view& last);

    // Shorter rests of a file are read by the stream alone: a thread would not pay.
    static constexpr std::int64_t MinimumLength = 256 * 1024;

private:
    void Read(const CCSVStream& stream);

    CTextStream m_Reader;
    CCSVTable m_Table{CSVFormatXY};
    std::string m_strLast;
    // Last, so that it is waited for before the reader and the table go.
    std::future<void> m_Done;
};
