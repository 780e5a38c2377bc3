#include "CSVFormatFile.h"

#include "Strings.h"

#include <cstdarg>

bool CCSVFormatFile::WriteValue(const char* format, ...)
{
    if (!format)
        return false;
    va_list args;
    va_start(args, format);
    std::string text = FormatStringV(format, args);
    va_end(args);
    ReplaceAll(text, ",", ";");
    ReplaceAll(text, ".", ",");
    return WriteString(text.c_str());
}
