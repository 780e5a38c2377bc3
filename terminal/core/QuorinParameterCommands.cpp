#include "QuorinParameterCommands.h"

#include "DeviceCommands.h"
#include "ParameterTexts.h"
#include "QuorinListingParser.h"
#include "TerminalState.h"

namespace {

constexpr int Wait = 100;

void AppendGet(CParameterCommand& command)
{
    command.Write(std::string(kEsc), Wait);
    command.steps.back().clearTerminalAfter = true;
    command.Write(ParameterLine("PA", {}), 1000);
    command.message = ParameterTexts::GetWaiting;
    command.readsListing = true;
    command.notDone = ParameterTexts::NotRead;
}

} // namespace

CParameterCommand QuorinGet()
{
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    CParameterCommand command;
    command.resetAlarms = true;
    AppendGet(command);
    return command;
}

std::optional<CQuorinParameterControls> QuorinGetDone(const std::string& listing,
                                                      CQuorinParameters& record)
{
    if (!ParseQuorinListing(listing, record))
        return std::nullopt;
    return ShowQuorinParameters(record);
}

CParameterCommand QuorinSet(const CQuorinParameterControls& controls, CQuorinParameters& record)
{
    CParameterCommand command;
    if (g_bSimulation) {
        TakeQuorinControls(controls, record);
        command.message = record.SA == 0 || record.SF == 0 ? ParameterTexts::QuorinSimulatedZero
                                                           : ParameterTexts::SimulatedSet;
        return command;
    }
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    command.resetAlarms = true;
    command.notDone = ParameterTexts::NotSet;
    command.Write(ParameterLine("RM", {controls.RMx, controls.RMy, controls.RMz}));
    command.Write(ParameterLine("ST", {controls.ST}), Wait);
    command.Write(ParameterLine("SA", {controls.SA}));
    command.Write(ParameterLine("TD", {controls.TDx, controls.TDy}), Wait);
    command.Write(ParameterLine("SF", {controls.SF}));
    command.Write(ParameterLine("OF", {controls.OF}), Wait);
    command.Write(ParameterLine("TM", {controls.TMx, controls.TMy}), Wait);
    const int sd = ComboSelection(QuorinSDEntries, controls.SD);
    command.WriteIf(sd >= 0, ParameterLine("SD", {sd == 1 ? "h" : "d"}), Wait);
    const int se = ComboSelection(QuorinSEEntries, controls.SE);
    command.WriteIf(se >= 0, ParameterLine("SE", {std::to_string(se)}));
    command.Write(ParameterLine("RB", {controls.RB}), Wait);
    command.Write(ParameterLine("RE", {controls.RE}));
    command.Write(ParameterLine("AC", {controls.AC}), Wait);
    command.Write(ParameterLine("AW", {controls.AW}));
    command.Write(ParameterLine("AH", {controls.AH}), Wait);
    const std::string AS = ComboEntryText(QuorinASEntries, controls.AS);
    command.WriteIf(!AS.empty(), ParameterLine("AS", {AS}));
    command.takeControls = [controls, &record] { TakeQuorinControls(controls, record); };
    command.message = ParameterTexts::ParametersSet;
    return command;
}

CParameterCommand QuorinReset()
{
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    CParameterCommand command;
    command.resetAlarms = true;
    command.Write(ParameterLine("PR", {}));
    AppendGet(command);
    return command;
}

CParameterCommand QuorinShowAll()
{
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    CParameterCommand command;
    command.Write(ParameterLine("PA", {}));
    command.notDone = ParameterTexts::NotDisplayed;
    return command;
}
