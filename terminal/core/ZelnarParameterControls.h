#pragma once

#include "ComboEntries.h"
#include "ParameterRecords.h"
#include "Strings.h"

#include <array>
#include <string>

inline constexpr std::array<const char*, 6> ZelnarASEntries = {"ID", "DM", "DT", "DF", "VM", "VT"};
inline constexpr std::array<const char*, 4> ZelnarPLEntries = {
    "0: Off", "1: On", "2: Blinking(2Hz)", "3: Blinking(5Hz)"};
inline constexpr std::array<const char*, 3> ZelnarSEEntries = {"0", "1", "2"};
inline constexpr std::array<const char*, 2> ZelnarSCEntries = {"0", "1"};
inline constexpr std::array<const char*, 3> ZelnarSDxEntries = {"0: decimal", "1: hexadecimal",
                                                                "2: binary"};
inline constexpr std::array<const char*, 4> ZelnarSDyEntries = {"0: dist/speed", "1: dist+stren",
                                                                "2: dist+temp", "3: 0+1+2"};

// What the Zelnar parameter controls of the main dialog hold: the selection index of each combo
// box (-1 for none) and the text of each edit, as typed.
struct CZelnarParameterControls
{
    int AS = -1, PL = -1, SE = -1, SC = -1, SDx = -1, SDy = -1;
    std::string MF, SA, TDx, TDy, TDz, SF, OF, MWx, MWy;
    std::string Q1w, Q1x, Q1y, Q1z, Q2w, Q2x, Q2y, Q2z, QAx, QAy;

    bool operator==(const CZelnarParameterControls&) const = default;
};

// The edits into the record: MF as a real truncated toward zero, the other integers as
// decimal integers, the reals as decimal reals. An alarm group not taken keeps its values.
void TakeZelnarEdits(const CZelnarParameterControls& controls, CZelnarParameters& record,
                     bool takeQ1 = true, bool takeQ2 = true);
// The selections of SE, SDy, AS (index and text), PL and SC into the record. A combo box
// without a selection leaves its field alone.
void TakeZelnarSelections(const CZelnarParameterControls& controls, CZelnarParameters& record);

// The controls showing the record: edits in their formats, PL, SE, SC, SDx and SDy selected by
// their values, AS by its text.
CZelnarParameterControls ShowZelnarParameters(const CZelnarParameters& record);

// The edit texts of values held like the record's (the record, or a parameter file's values).
template <class Values>
void FormatZelnarEdits(const Values& values, CZelnarParameterControls& controls)
{
    const auto real = [](double value) { return FormatString("%.3lf", value); };
    controls.MF = FormatString("%d", values.MF);
    controls.SA = FormatString("%d", values.SA);
    controls.TDx = FormatString("%.2f", values.TDx);
    controls.TDy = FormatString("%d", values.TDy);
    controls.TDz = FormatString("%d", values.TDz);
    controls.SF = FormatString("%.6lf", values.SF);
    controls.OF = real(values.OF);
    controls.MWx = real(values.MWx);
    controls.MWy = real(values.MWy);
    controls.Q1w = real(values.Q1w);
    controls.Q1x = real(values.Q1x);
    controls.Q1y = real(values.Q1y);
    controls.Q1z = FormatString("%d", values.Q1z);
    controls.Q2w = real(values.Q2w);
    controls.Q2x = real(values.Q2x);
    controls.Q2y = real(values.Q2y);
    controls.Q2z = FormatString("%d", values.Q2z);
    controls.QAx = real(values.QAx);
    controls.QAy = real(values.QAy);
}

// The demonstration set that the first start of simulation mode puts into the controls and the
// record: AS "ID", decimal output, and the timing, measuring, alarm and analog values.
void LoadZelnarDemonstration(CZelnarParameterControls& controls, CZelnarParameters& record);
