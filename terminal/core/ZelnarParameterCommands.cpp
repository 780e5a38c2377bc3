#include "ZelnarParameterCommands.h"

#include "DecimalText.h"
#include "ParameterTexts.h"
#include "TerminalState.h"
#include "ZelnarListingParser.h"

namespace {

constexpr const char* EscCr = "\x1b\r";

// Q1 or Q2: the device is to keep its last correct alarm when the hysteresis exceeds the width.
bool HysteresisFits(const std::string& width, const std::string& hysteresis)
{
    return !(ReadDecimalReal(hysteresis) > ReadDecimalReal(width));
}

void AppendGet(CParameterCommand& command)
{
    command.Write(EscCr);
    command.steps.back().clearTerminalAfter = true;
    command.Write(ParameterLine("PA", {}));
    command.message = ParameterTexts::GetWaiting;
    command.readsListing = true;
}

} // namespace

CParameterCommand ZelnarGet(CZelnarParameters& record)
{
    record.SDx = 0;
    CParameterCommand command;
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    command.resetAlarms = true;
    AppendGet(command);
    return command;
}

CZelnarParameterControls ZelnarGetDone(const std::string& listing, CZelnarParameters& record)
{
    ParseZelnarListing(listing, record);
    const CZelnarParameterControls controls = ShowZelnarParameters(record);
    TakeZelnarEdits(controls, record);
    return controls;
}

CParameterCommand ZelnarSet(const CZelnarParameterControls& controls, CZelnarParameters& record)
{
    CParameterCommand command;
    command.resetAlarms = true;
    if (g_bSimulation) {
        TakeZelnarEdits(controls, record);
        TakeZelnarSelections(controls, record);
        if (ComboSelection(ZelnarSDxEntries, controls.SDx) >= 0)
            record.SDx = controls.SDx;
        command.message = record.MF != 0 && record.SF != 0 && record.SA != 0
                              ? ParameterTexts::SimulatedSet
                              : ParameterTexts::ZelnarSimulatedZero;
        return command;
    }
    if (!g_bConnected) {
        command.refusal = ParameterTexts::NotConnected;
        return command;
    }
    record.SDx = 0;
    command.Write(EscCr);
    command.Write(ParameterLine("MF", {controls.MF}));
    command.Write(ParameterLine("SA", {controls.SA}), 50);
    command.Write(ParameterLine("SF", {controls.SF}));
    command.Write(ParameterLine("OF", {controls.OF}), 50);
    command.Write(ParameterLine("TD", {controls.TDx, controls.TDy, controls.TDz}));
    command.Write(ParameterLine("MW", {controls.MWx, controls.MWy}), 50);
    const bool q1 = HysteresisFits(controls.Q1x, controls.Q1y);
    if (!q1)
        command.warnings.push_back(ParameterTexts::Q1Hysteresis);
    command.WriteIf(q1,
                    ParameterLine("Q1", {controls.Q1w, controls.Q1x, controls.Q1y, controls.Q1z}));
    const bool q2 = HysteresisFits(controls.Q2x, controls.Q2y);
    if (!q2)
        command.warnings.push_back(ParameterTexts::Q2Hysteresis);
    command.WriteIf(
        q2, ParameterLine("Q2", {controls.Q2w, controls.Q2x, controls.Q2y, controls.Q2z}), 50);
    command.Write(ParameterLine("QA", {controls.QAx, controls.QAy}));
    const auto selects = [](ComboEntries entries, int selection) {
        return ComboSelection(entries, selection) >= 0;
    };
    const auto number = [](int selection) { return std::to_string(selection); };
    command.WriteIf(selects(ZelnarPLEntries, controls.PL),
                    ParameterLine("PL", {number(controls.PL)}), 50);
    command.WriteIf(selects(ZelnarSEEntries, controls.SE),
                    ParameterLine("SE", {number(controls.SE)}));
    command.WriteIf(selects(ZelnarSCEntries, controls.SC),
                    ParameterLine("SC", {number(controls.SC)}), 50);
    command.WriteIf(selects(ZelnarSDxEntries, controls.SDx) &&
                        selects(ZelnarSDyEntries, controls.SDy),
                    ParameterLine("SD", {number(controls.SDx), number(controls.SDy)}));
    const std::string AS = ComboEntryText(ZelnarASEntries, controls.AS);
    command.WriteIf(!AS.empty(), ParameterLine("AS", {AS}));

    g_strBinaryPending.clear();
    TakeZelnarEdits(controls, record, q1, q2);
    TakeZelnarSelections(controls, record);
    command.message =
        controls.SDx == 2 ? ParameterTexts::ParametersSetBinary : ParameterTexts::ParametersSet;
    command.displayFormatAfter = ComboSelection(ZelnarSDxEntries, controls.SDx);
    return command;
}

CParameterCommand ZelnarResetParam(CZelnarParameters& record)
{
    CParameterCommand command;
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    record.SDx = 0;
    command.resetAlarms = true;
    command.Write(ParameterLine("PR", {}));
    AppendGet(command);
    return command;
}

CParameterCommand ZelnarShowAll(const CZelnarParameterControls& controls, CZelnarParameters& record)
{
    CParameterCommand command;
    if (!g_bConnected)
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    command.Write(ParameterLine("PA", {}));
    if (record.SDx == 2) {
        record.SDx = 0;
        command.message = ParameterTexts::ParametersDisplayed;
        command.displayFormatAfter = ComboSelection(ZelnarSDxEntries, controls.SDx);
    }
    return command;
}

void ZelnarCommandDone(const CParameterCommand& command, CZelnarParameters& record)
{
    if (command.displayFormatAfter >= 0)
        record.SDx = command.displayFormatAfter;
}
