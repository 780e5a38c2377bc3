#include "QuorinCommands.h"

#include "TerminalState.h"

#include <array>

namespace {

// Indexed by QuorinCommand up to Reset.
constexpr std::array<CWriteStep, 13> kQuorinBytes = {{
    {"DT\r"},
    {"DM\r"},
    {"DF\r"},
    {"DS\r"},
    {"DW\r"},
    {"DX\r"},
    {"ID\r"},
    {"SO\r"},
    {"LO\r"},
    {"LF\r"},
    {"PA\r"},
    {"TP\r"},
    {"PR\r"},
}};
static_assert(kQuorinBytes.size() == static_cast<std::size_t>(QuorinCommand::Reset) + 1);

// The device needs a moment after ESC before it takes a command, and a second to list PA.
constexpr std::array<CWriteStep, 2> kGetSteps = {{{kEsc, 100}, {"PA\r", 1000}}};
constexpr std::array<CWriteStep, 1> kStopSteps = {{{kEsc}}};

} // namespace

CCommandAction QuorinCommandAction(QuorinCommand command)
{
    if (command == QuorinCommand::Temperature)
        g_bTempRequest = true;
    if (g_bSimulation && command == QuorinCommand::DT)
        return {CommandKind::SimulatedRun, {}, {}};
    if (g_bSimulation && command == QuorinCommand::Stop)
        return {CommandKind::SimulatedStop, {}, {}};
    if (!g_bConnected) {
        const bool acquisition = command == QuorinCommand::DT || command == QuorinCommand::DM;
        return {CommandKind::ShowMessage, {}, acquisition ? kPortUnconnected : kNotConnected};
    }
    if (command == QuorinCommand::Get)
        return {CommandKind::Write, kGetSteps, {}};
    if (command == QuorinCommand::Stop)
        return {CommandKind::Write, kStopSteps, {}};
    const auto index = static_cast<std::size_t>(command);
    return {CommandKind::Write, std::span(kQuorinBytes).subspan(index, 1), {}};
}
