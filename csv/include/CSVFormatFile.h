#pragma once

#include "CSV_API.h"
#include "StdioFileEx.h"

// A text file for spreadsheets: fields separated by ";", decimal comma.
class CSV_API CCSVFormatFile : public CStdioFileEx
{
public:
    using CStdioFileEx::CStdioFileEx;

    // Formats the arguments ("." decimal point, "," between fields), then writes every ","
    // as ";" and every "." as ","; no line end is added. False when it was not written.
    bool WriteValue(const char* format, ...) __attribute__((format(printf, 2, 3)));
};
