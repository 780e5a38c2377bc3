#pragma once

#include "CSVLine.h"
#include "CSVTable.h"
#include "CSV_API.h"
#include "PointerArray.h"
#include "TextStream.h"

#include <string>

// Summary functions of a column, selected by the last letter of a selection item.
enum CSVFunctionType
{
    CSVFunctionLast = 0,
    CSVFunctionAverage = 1,
    CSVFunctionMinimum = 2,
    CSVFunctionMaximum = 3,
    CSVFunctionSum = 4,
    CSVFunctionStddev = 5,
    CSVFunctionCount = 6,
};

CSV_API extern const char* const CSVFunctionNames[7];
CSV_API extern const char CSVFunctionLetters[8];

struct CSVFunction
{
    CSVColumn* m_pColumn = nullptr; // one of the stream's format columns
    int m_nType = CSVFunctionLast;
};

// A CSV text: the first line gives the columns, the text after the first comma of the
// file specification selects the date and time columns and the summary functions.
class CSV_API CCSVStream : public CTextStream
{
public:
    CCSVStream() : CTextStream(0) {}
    ~CCSVStream() override;

    // Opens the file of "name[,selection]" and reads its first line; 0 when the file cannot
    // be opened.
    int OpenStream(const std::string& fileSpec, const std::string& separator,
                   const std::string& decimalPoint, CTextStreamProcessor* processor);
    // The next line, made the current one; 0 at the end.
    int CSVReadNextLine(CCSVLine** line);
    // The next line's text; its CCSVLine becomes the current line (m_pLine) and, while
    // m_bKeepLines is set, stays in m_LineBuffer. In a file with a time column and no date
    // column, a time more than twelve hours before the previous line's belongs to the next day.
    int ReadNextLine(std::string& line) override;
    // Hands every remaining line to the processor, then the end; 0 when it stopped. A table that
    // passes nothing on takes the lines of a stream that keeps none straight from their text,
    // without a line object for each.
    int ProcessStream();
    int CSVReadFormat(CCSVLine* line);
    void CSVGetFunctions(const std::string& fileSpec, CCSVLine* line);

    CCSVLine* GetLine() const { return m_pLine; }
    CPointerArray<CSVColumn>& CSVGetFormat() { return m_Format; }
    CPointerArray<CSVFunction>& CSVGetFunction() { return m_Functions; }

    // The file specification that selects what this stream selects.
    std::string GetParams() const;
    // ";"-led header fields of the selected columns, to follow "Date;Time".
    std::string GetHeader(int withFilePrefix, int withFunctionName) const;

    CPointerArray<CSVColumn> m_Format;
    CPointerArray<CSVFunction> m_Functions;
    CCSVLines m_LineBuffer;
    std::string m_strSeparator;
    std::string m_strDecimal;
    int m_bAllColumns = 0;
    int m_bHeader = 0;
    CCSVLine* m_pLine = nullptr;
    std::string m_strText;
    int m_nDateColumn = -1;
    int m_nTimeColumn = -1;
    // Every line read is kept in m_LineBuffer (the range reading of CCSVFile needs them). With
    // 0, only the current line is kept, and its object serves the next line too: a program
    // that streams a file into a table holds one line, whatever the file's length.
    int m_bKeepLines = 1;

protected:
    void RemoveColumns();
    void RemoveFunctions();
    void RemoveLines();

private:
    // The time of a line, a time without a date put on the day that keeps the lines in order.
    std::int64_t FollowDays(int timeMode, std::int64_t time);

    int m_nDayOffset = 0;
    std::int64_t m_PreviousTime = 0;
    // The next line as it is read, before it becomes the current one.
    std::string m_strRead;
};
