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
    int CSVReadNextLine(CCSVLine** line);
    int ReadNextLine(std::string& line) override;
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

protected:
    void RemoveColumns();
    void RemoveFunctions();
    void RemoveLines();
};
