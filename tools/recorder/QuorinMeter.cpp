#include "QuorinMeter.h"

#include "DisplayReading.h"
#include "ParameterRecords.h"
#include "QuorinCommands.h"
#include "QuorinDisplay.h"
#include "QuorinParameterCommands.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"

#include <map>

namespace {

// The Log page's entries are only cut here, not kept: the list is emptied now and then.
constexpr std::size_t kLogEntriesKept = 4096;

const std::map<std::string, QuorinCommand, std::less<>> kCommands = {
    {"DT", QuorinCommand::DT}, {"DM", QuorinCommand::DM}, {"DF", QuorinCommand::DF},
    {"DS", QuorinCommand::DS}, {"DW", QuorinCommand::DW}, {"DX", QuorinCommand::DX},
    {"SO", QuorinCommand::SetOffset},
};

} // namespace

CParameterCommand CQuorinMeter::Get()
{
    CParameterCommand command = QuorinGet();
    if (command.resetAlarms)
        g_DisplayQR.ResetAlarm();
    return command;
}

void CQuorinMeter::GetDone(const std::string& listing)
{
    QuorinGetDone(listing, QuorinParameters);
}

std::span<const CWriteStep> CQuorinMeter::CommandSteps(const std::string& command)
{
    const auto found = kCommands.find(command);
    if (found == kCommands.end())
        return {};
    return QuorinCommandAction(found->second).steps;
}

std::span<const CWriteStep> CQuorinMeter::StopSteps()
{
    return QuorinCommandAction(QuorinCommand::Stop).steps;
}

void CQuorinMeter::Dispatch(std::string_view chunk, std::int64_t timeMs, CReplyPage& classic)
{
    m_display.reading.timeMs = timeMs;
    DispatchQuorinReply(chunk, {m_log, classic, m_display});
    if (m_log.Entries().size() > kLogEntriesKept)
        m_log.Clear();
}
