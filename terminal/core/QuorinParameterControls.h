#pragma once

#include "ComboEntries.h"
#include "ParameterRecords.h"
#include "Strings.h"

#include <array>
#include <string>

inline constexpr std::array<const char*, 9> QuorinASEntries = {"DF", "DM", "DS", "DT", "DW",
                                                               "DX", "ID", "LO", "TP"};
inline constexpr std::array<const char*, 3> QuorinSEEntries = {"0: Latest valid value", "1:", "2:"};
inline constexpr std::array<const char*, 2> QuorinSDEntries = {"0: decimal", "1: Hexadecimal"};

// What the Quorin parameter controls of the main dialog hold: the selection index of each combo
// box (-1 for none) and the text of each edit, as typed.
struct CQuorinParameterControls
{
    int AS = -1, SE = -1, SD = -1;
    std::string RMx, RMy, RMz, ST, SA, TDx, TDy, SF, OF, TMx, TMy, RB, RE, AC, AW, AH;

    bool operator==(const CQuorinParameterControls&) const = default;
};

// The controls into the record: integers as decimal integers, reals as decimal reals, AS with
// its index and text, SE and SD with their indices; SD also sets g_strQuorinFormat ("d" or
// "h"). A combo box without a selection leaves its field alone.
void TakeQuorinControls(const CQuorinParameterControls& controls, CQuorinParameters& record);

// The controls showing the record: edits in their formats, SD selected by g_strQuorinFormat,
// AS by its text, SE by its value.
CQuorinParameterControls ShowQuorinParameters(const CQuorinParameters& record);

// The edit texts of values held like the record's (the record, or a parameter file's values).
template <class Values>
void FormatQuorinEdits(const Values& values, CQuorinParameterControls& controls)
{
    const auto integer = [](int value) { return FormatString("%d", value); };
    const auto real = [](double value) { return FormatString("%.3lf", value); };
    controls.RMx = integer(values.RMx);
    controls.RMy = integer(values.RMy);
    controls.RMz = integer(values.RMz);
    controls.ST = integer(values.ST);
    controls.SA = integer(values.SA);
    controls.TDx = integer(values.TDx);
    controls.TDy = integer(values.TDy);
    controls.SF = FormatString("%.6lf", values.SF);
    controls.OF = real(values.OF);
    controls.TMx = integer(values.TMx);
    controls.TMy = integer(values.TMy);
    controls.RB = real(values.RB);
    controls.RE = real(values.RE);
    controls.AC = real(values.AC);
    controls.AW = real(values.AW);
    controls.AH = real(values.AH);
}

// Simulation mode: every start selects decimal output; the first start also puts the
// demonstration set into the controls and the record.
void SelectQuorinSimulationFormat(CQuorinParameterControls& controls);
void LoadQuorinDemonstration(CQuorinParameterControls& controls, CQuorinParameters& record);
