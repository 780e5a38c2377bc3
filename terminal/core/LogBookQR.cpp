#include "LogBookQR.h"

#include "LineBatch.h"

#include <utility>

CLogBookQR::CLogBookQR(LogClock clock) : CLogBook(LogFileKind::ExcelQR, std::move(clock)) {}

void CLogBookQR::OnData()
{
    if (ListTypedLine())
        return;
    CutReceived([](std::string_view line) {
        g_strQuorinLine.assign(line);
        g_arrDisplayLines.Add(line);
    });
}
