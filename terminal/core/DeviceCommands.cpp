#include "DeviceCommands.h"

#include "ParameterRecords.h"
#include "ReplyAssembly.h"
#include "ReplyPage.h"
#include "TerminalState.h"

#include <array>
#include <string>

namespace {

// Indexed by ZelnarCommand.
constexpr std::array<CWriteStep, 11> kZelnarBytes = {{
    {"DT\r"},
    {"DM\r"},
    {"DF\r"},
    {"VT\r"},
    {"VM\r"},
    {"DR\r"},
    {"SO\r"},
    {"TP\r"},
    {"ID\r"},
    {"HW\r"},
    {kEsc},
}};
static_assert(kZelnarBytes.size() == static_cast<std::size_t>(ZelnarCommand::Stop) + 1);

} // namespace

CCommandAction ZelnarCommandAction(ZelnarCommand command)
{
    if (g_bSimulation && command == ZelnarCommand::DT)
        return {CommandKind::SimulatedRun, {}, {}};
    if (g_bSimulation && command == ZelnarCommand::Stop)
        return {CommandKind::SimulatedStop, {}, {}};
    if (!g_bConnected)
        return {CommandKind::ShowMessage, {}, kNotConnected};
    // In binary output the text replies of ID and HW would be framed as records.
    if ((command == ZelnarCommand::ID || command == ZelnarCommand::HW) &&
        ZelnarParameters.SDx == kBinaryOutput)
        return {};
    const auto index = static_cast<std::size_t>(command);
    BeginBinaryStream(kZelnarBytes[index].bytes);
    return {CommandKind::Write, std::span(kZelnarBytes).subspan(index, 1), {}};
}

void SendTypedLine(const std::function<void(std::string_view)>& write, CReplyPage& logPage)
{
    if (g_strReceived.empty())
        return;
    g_strReceived.back() = '\r';
    BeginBinaryStream(g_strReceived);
    write(g_strReceived);
    g_strReceived.pop_back();
    g_bEchoTypedLine = true;
    ++g_nLogLines;
    logPage.OnData();
}
