#include "QuorinParameterControls.h"

#include "DecimalText.h"
#include "TerminalState.h"

void TakeQuorinControls(const CQuorinParameterControls& controls, CQuorinParameters& record)
{
    record.RMx = ReadDecimalInt(controls.RMx);
    record.RMy = ReadDecimalInt(controls.RMy);
    record.RMz = ReadDecimalInt(controls.RMz);
    record.ST = ReadDecimalInt(controls.ST);
    record.SA = ReadDecimalInt(controls.SA);
    record.TDx = ReadDecimalInt(controls.TDx);
    record.TDy = ReadDecimalInt(controls.TDy);
    record.SF = ReadDecimalReal(controls.SF);
    record.OF = ReadDecimalReal(controls.OF);
    record.TMx = ReadDecimalInt(controls.TMx);
    record.TMy = ReadDecimalInt(controls.TMy);
    record.RB = ReadDecimalReal(controls.RB);
    record.RE = ReadDecimalReal(controls.RE);
    record.AC = ReadDecimalReal(controls.AC);
    record.AW = ReadDecimalReal(controls.AW);
    record.AH = ReadDecimalReal(controls.AH);
    if (ComboSelection(QuorinSDEntries, controls.SD) >= 0) {
        record.SD = controls.SD;
        g_strQuorinFormat.assign(1, controls.SD == 1 ? 'h' : 'd');
    }
    if (ComboSelection(QuorinASEntries, controls.AS) >= 0) {
        record.ASIndex = controls.AS;
        record.AS = ComboEntryText(QuorinASEntries, controls.AS);
    }
    if (ComboSelection(QuorinSEEntries, controls.SE) >= 0)
        record.SE = controls.SE;
}

CQuorinParameterControls ShowQuorinParameters(const CQuorinParameters& record)
{
    CQuorinParameterControls controls;
    FormatQuorinEdits(record, controls);
    controls.SD = g_strQuorinFormat == "d" ? 0 : g_strQuorinFormat == "h" ? 1 : -1;
    controls.AS = FindComboEntry(QuorinASEntries, record.AS);
    controls.SE = ComboSelection(QuorinSEEntries, record.SE);
    return controls;
}

void SelectQuorinSimulationFormat(CQuorinParameterControls& controls)
{
    g_strQuorinFormat = "d";
    controls.SD = 0;
}

void LoadQuorinDemonstration(CQuorinParameterControls& controls, CQuorinParameters& record)
{
    controls.SA = "1";
    controls.ST = "1";
    controls.SF = "1";
    controls.OF = "0";
    controls.RB = "0";
    controls.RE = "20";
    controls.AC = "5";
    controls.AW = "4";
    controls.AH = "0";
    controls.AS = 0;
    record.SA = 1;
    record.ST = 1;
    record.SF = 1;
    record.OF = 0;
    record.RB = 0;
    record.RE = 20;
    record.AC = 5;
    record.AW = 4;
    record.AH = 0;
    record.ASIndex = 0;
    record.AS = QuorinASEntries[0];
}
