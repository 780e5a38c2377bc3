#include "ZelnarParameterControls.h"

#include "DecimalText.h"

namespace {

void TakeSelection(ComboEntries entries, int selection, int& field)
{
    if (ComboSelection(entries, selection) >= 0)
        field = selection;
}

} // namespace

void TakeZelnarEdits(const CZelnarParameterControls& controls, CZelnarParameters& record,
                     bool takeQ1, bool takeQ2)
{
    record.MF = ReadTruncatedInt(controls.MF);
    record.SA = ReadDecimalInt(controls.SA);
    record.TDx = ReadDecimalReal(controls.TDx);
    record.TDy = ReadDecimalInt(controls.TDy);
    record.TDz = ReadDecimalInt(controls.TDz);
    record.SF = ReadDecimalReal(controls.SF);
    record.OF = ReadDecimalReal(controls.OF);
    record.MWx = ReadDecimalReal(controls.MWx);
    record.MWy = ReadDecimalReal(controls.MWy);
    if (takeQ1) {
        record.Q1w = ReadDecimalReal(controls.Q1w);
        record.Q1x = ReadDecimalReal(controls.Q1x);
        record.Q1y = ReadDecimalReal(controls.Q1y);
        record.Q1z = ReadDecimalInt(controls.Q1z);
    }
    if (takeQ2) {
        record.Q2w = ReadDecimalReal(controls.Q2w);
        record.Q2x = ReadDecimalReal(controls.Q2x);
        record.Q2y = ReadDecimalReal(controls.Q2y);
        record.Q2z = ReadDecimalInt(controls.Q2z);
    }
    record.QAx = ReadDecimalReal(controls.QAx);
    record.QAy = ReadDecimalReal(controls.QAy);
}

void TakeZelnarSelections(const CZelnarParameterControls& controls, CZelnarParameters& record)
{
    TakeSelection(ZelnarSEEntries, controls.SE, record.SE);
    TakeSelection(ZelnarSDyEntries, controls.SDy, record.SDy);
    TakeSelection(ZelnarPLEntries, controls.PL, record.PL);
    TakeSelection(ZelnarSCEntries, controls.SC, record.SC);
    if (ComboSelection(ZelnarASEntries, controls.AS) >= 0) {
        record.ASIndex = controls.AS;
        record.AS = ComboEntryText(ZelnarASEntries, controls.AS);
    }
}

CZelnarParameterControls ShowZelnarParameters(const CZelnarParameters& record)
{
    CZelnarParameterControls controls;
    FormatZelnarEdits(record, controls);
    controls.AS = FindComboEntry(ZelnarASEntries, record.AS);
    controls.PL = ComboSelection(ZelnarPLEntries, record.PL);
    controls.SE = ComboSelection(ZelnarSEEntries, record.SE);
    controls.SC = ComboSelection(ZelnarSCEntries, record.SC);
    controls.SDx = ComboSelection(ZelnarSDxEntries, record.SDx);
    controls.SDy = ComboSelection(ZelnarSDyEntries, record.SDy);
    return controls;
}

void LoadZelnarDemonstration(CZelnarParameterControls& controls, CZelnarParameters& record)
{
    controls.AS = 0;
    controls.SDx = 0;
    record.SDx = 0;
    controls.MF = "2000";
    controls.SA = "20";
    controls.SF = "1";
    controls.OF = "0";
    controls.MWx = "-5000";
    controls.MWy = "5000";
    controls.QAx = "0";
    controls.QAy = "20";
    controls.Q1w = "5";
    controls.Q1x = "4";
    controls.Q1y = "0";
    controls.Q1z = "1";
    controls.Q2w = "12";
    controls.Q2x = "6";
    controls.Q2y = "1";
    controls.Q2z = "1";
    // The trigger values are not part of the set: the record keeps its own.
    const double TDx = record.TDx;
    const int TDy = record.TDy;
    const int TDz = record.TDz;
    TakeZelnarEdits(controls, record);
    record.TDx = TDx;
    record.TDy = TDy;
    record.TDz = TDz;
}
