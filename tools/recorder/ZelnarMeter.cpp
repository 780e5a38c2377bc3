#include "ZelnarMeter.h"

#include "DisplayReading.h"
#include "ParameterRecords.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"
#include "ZelnarDisplay.h"
#include "ZelnarParameterCommands.h"

#include <map>

namespace {

// The Log page's entries are only cut here, not kept: the list is emptied now and then.
constexpr std::size_t kLogEntriesKept = 4096;

const std::map<std::string, ZelnarCommand, std::less<>> kCommands = {
    {"DT", ZelnarCommand::DT}, {"DM", ZelnarCommand::DM}, {"DF", ZelnarCommand::DF},
    {"VT", ZelnarCommand::VT}, {"VM", ZelnarCommand::VM}, {"DR", ZelnarCommand::DR},
    {"SO", ZelnarCommand::SO},
};

} // namespace

CParameterCommand CZelnarMeter::Get()
{
    // Bits of a record that a lost link cut short belong to no record after it.
    g_strBinaryPending.clear();
    CParameterCommand command = ZelnarGet(ZelnarParameters);
    if (command.resetAlarms)
        g_DisplayZL.ResetAlarms();
    return command;
}

void CZelnarMeter::GetDone(const std::string& listing)
{
    ZelnarGetDone(listing, ZelnarParameters);
}

std::span<const CWriteStep> CZelnarMeter::CommandSteps(const std::string& command)
{
    const auto found = kCommands.find(command);
    if (found == kCommands.end())
        return {};
    return ZelnarCommandAction(found->second).steps;
}

std::span<const CWriteStep> CZelnarMeter::StopSteps()
{
    return ZelnarCommandAction(ZelnarCommand::Stop).steps;
}

void CZelnarMeter::Dispatch(std::string_view chunk, std::int64_t timeMs, CReplyPage& classic)
{
    m_display.reading.timeMs = timeMs;
    DispatchZelnarReply(chunk, {m_log, classic, m_display});
    if (m_log.Entries().size() > kLogEntriesKept)
        m_log.Clear();
}
