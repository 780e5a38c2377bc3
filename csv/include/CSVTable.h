#pragma once

#include "CSVAxis.h"
#include "CSV_API.h"
#include "PointerArray.h"
#include "TextStreamProcessor.h"

#include <cstdint>
#include <string>
#include <vector>

class CCSVStream;

// Where the X coordinate of a table's lines comes from.
enum CSVFormatType
{
    CSVFormatTime = 0,         // the line's time stamp
    CSVFormatRelativeTime = 1, // the time stamp minus the stream's earliest one
    CSVFormatXY = 2,           // the first column's value
    CSVFormatLineNumber = 3,   // the line's number in the stream
};

// What a stream knows of one column.
struct CSVColumn
{
    std::string m_strHeader;
    std::string m_strCaption;
    int m_bHasCaption = 0;
    int m_nIndex = 0;
};

// The values of one column, one per line, with their range.
class CSV_API CCSVColumn : public CCSVAxis
{
public:
    CCSVColumn() = default;
    virtual ~CCSVColumn() = default;

    CSVColumn* m_pFormat = nullptr; // not owned
    std::vector<double> m_Values;
};

// Columns of values with one X value or time stamp per line. Owns its columns; fills itself
// from a CSV stream or is filled directly by its user. A field without a number is a missing
// value (NaN). A table filled by several streams one after another keeps element i of every
// array for line i: columns of a later stream are missing on the earlier lines, and the ranges
// cover every stream. Columns point at their stream's descriptors: streams outlive the table.
class CSV_API CCSVTable : public CPointerArray<CCSVColumn>, public CTextStreamProcessor
{
public:
    explicit CCSVTable(CSVFormatType formatType = CSVFormatXY,
                       CTextStreamProcessor* nextProcessor = nullptr);
    ~CCSVTable() override;

    // Destroys the columns; X values, ranges and title stay.
    void DeleteAll();
    // The lines taken so far: the length of the X array of the format type, without one the
    // longest column.
    std::size_t GetLineCount() const;

    int ProcessStreamStart(CTextStream* stream) override;
    int ProcessStreamLine(CTextStream* stream, std::string& text) override;
    int ProcessStreamEnd(CTextStream* stream, std::string& text) override;

    CCSVAxis m_ValueAxis;
    std::string m_strTitle;
    CSVFormatType m_FormatType;
    std::vector<double> m_XValues;
    CCSVAxis m_XAxis;
    std::vector<std::int64_t> m_TimeStamps;
    CCSVTimeScale m_TimeScale;
    CTextStreamProcessor* m_pNextProcessor; // not owned

private:
    // A CSV stream hands its lines over straight from their text when it keeps none.
    friend class CCSVStream;
    friend class CSVFileHalf;

    // The CSV stream behind a stream event, with its current line; null for other streams.
    const CCSVStream* CurrentCSVStream(CTextStream* stream);
    // Takes a line (one with GetTimeStamp and GetNumber) of the stream; false when the line
    // has no X coordinate and is skipped.
    template <class Line> bool TakeLine(const CCSVStream& csv, const Line& line);

    // Where the current stream's time stamps begin.
    std::size_t m_nStreamBegin = 0;
    const CTextStream* m_pStream = nullptr;
    const CCSVStream* m_pCSVStream = nullptr;
};
