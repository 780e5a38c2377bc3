#include "ZelnarParameterCommands.h"

#include "DecimalText.h"
#include "ParameterTexts.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"
#include "ZelnarListingParser.h"

#include <tuple>

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
    command.notDone = ParameterTexts::NotRead;
}

// Text is exchanged while the command runs; a command that does not go through leaves the
// format it found.
void ExchangeText(CParameterCommand& command, CZelnarParameters& record)
{
    command.displayFormatBefore = record.SDx;
    record.SDx = 0;
}

} // namespace

CParameterCommand ZelnarGet(CZelnarParameters& record)
{
    if (!g_bConnected) {
        record.SDx = 0;
        return CParameterCommand::Refused(ParameterTexts::NotConnected);
    }
    CParameterCommand command;
    ExchangeText(command, record);
    command.resetAlarms = true;
    AppendGet(command);
    return command;
}

std::optional<CZelnarParameterControls> ZelnarGetDone(const std::string& listing,
                                                      CZelnarParameters& record)
{
    if (!ParseZelnarListing(listing, record))
        return std::nullopt;
    const CZelnarParameterControls controls = ShowZelnarParameters(record);
    TakeZelnarEdits(controls, record);
    return controls;
}

CParameterCommand ZelnarSet(CZelnarParameterControls& controls, CZelnarParameters& record)
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
    ExchangeText(command, record);
    command.notDone = ParameterTexts::NotSet;
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

    // An alarm group not sent shows the record's values, which the device keeps.
    CZelnarParameterControls kept;
    FormatZelnarEdits(record, kept);
    if (!q1)
        std::tie(controls.Q1w, controls.Q1x, controls.Q1y, controls.Q1z) =
            std::tie(kept.Q1w, kept.Q1x, kept.Q1y, kept.Q1z);
    if (!q2)
        std::tie(controls.Q2w, controls.Q2x, controls.Q2y, controls.Q2z) =
            std::tie(kept.Q2w, kept.Q2x, kept.Q2y, kept.Q2z);
    command.takeControls = [controls, &record, q1, q2] {
        // Records framed in the old output selection are of no use in the new one.
        g_strBinaryPending.clear();
        BeginBinaryStream({});
        TakeZelnarEdits(controls, record, q1, q2);
        TakeZelnarSelections(controls, record);
    };
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
    ExchangeText(command, record);
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
    command.notDone = ParameterTexts::NotDisplayed;
    if (record.SDx == kBinaryOutput) {
        ExchangeText(command, record);
        command.message = ParameterTexts::ParametersDisplayed;
        command.displayFormatAfter = ComboSelection(ZelnarSDxEntries, controls.SDx);
    }
    return command;
}

void ZelnarCommandDone(const CParameterCommand& command, bool wentThrough,
                       CZelnarParameters& record)
{
    const int format = wentThrough ? command.displayFormatAfter : command.displayFormatBefore;
    if (format >= 0)
        record.SDx = format;
}
