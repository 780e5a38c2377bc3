#pragma once

#include "CSV_API.h"
#include "ProgressWindow.h"
#include "StdioFileEx.h"

#include <string>

// A line filter from one file into a new one: each line may be changed by ProcessLine.
class CSV_API CStdioStream
{
public:
    virtual ~CStdioStream() = default;

    // 0 when a file cannot be opened or written, or the processing or the user stopped it.
    int ProcessLines(const char* inputFile, const char* outputFile, int parameter,
                     CProgressWindowBase* progress);

    virtual int OnOpenFile(int, CStdioFileEx&) { return 1; }
    // Changes the line as needed; 0 stops the filter.
    virtual int ProcessLine(int parameter, std::string& line) = 0;
    virtual int OnCloseFile(int, CStdioFileEx&) { return 1; }
};
