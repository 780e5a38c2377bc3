#include "LogBookZL.h"

#include "LineBatch.h"
#include "ParameterRecords.h"
#include "ReplyAssembly.h"

#include <utility>

namespace {

constexpr std::size_t kShortestBinaryEntry = 13; // shorter texts hold no record

bool IsMeasurementLine(std::string_view line)
{
    return !line.empty() && (line.front() == 'D' || line.front() == 'H');
}

} // namespace

CLogBookZL::CLogBookZL(LogClock clock) : CLogBook(LogFileKind::ExcelZL, std::move(clock)) {}

void CLogBookZL::OnData()
{
    // A typed line is listed in every output format: it was counted when it was sent.
    if (ListTypedLine())
        return;
    if (ZelnarParameters.SDx == kBinaryOutput) {
        if (g_strBinaryLogLine.size() >= kShortestBinaryEntry) {
            AddEntry(g_strBinaryLogLine);
            g_strBinaryLogLine.clear();
        }
        return;
    }
    CutReceived([](std::string_view line) {
        if (!IsMeasurementLine(line))
            return;
        line.remove_prefix(1);
        g_strMeasLine.assign(line);
        g_arrDisplayLines.Add(line);
    });
}
