#include "ZelnarParameterFile.h"

#include "ParameterFile.h"
#include "TerminalState.h"

namespace {

struct CZelnarFileValues
{
    int AS, PL, SE, SC, SDx, SDy, MF, SA, Q1z, Q2z;
    double TDx;
    int TDy, TDz, BR;
    double SF, OF, MWx, MWy, Q1w, Q1x, Q1y, Q2w, Q2x, Q2y, QAx, QAy;
};

using V = CZelnarFileValues;

constexpr std::array<CParameterFileLine<V>, 26> ZelnarFileLines = {{
    {"AS: %d\n", &V::AS},    {"PL: %d\n", &V::PL},    {"SE: %d\n", &V::SE},
    {"SC: %d\n", &V::SC},    {"SDx: %d\n", &V::SDx},  {"SDy: %d\n", &V::SDy},
    {"MF: %d\n", &V::MF},    {"SA: %d\n", &V::SA},    {"Q1z:  %d\n", &V::Q1z},
    {"Q2z:  %d\n", &V::Q2z}, {"TDx: %lf\n", &V::TDx}, {"TDy: %d\n", &V::TDy},
    {"TDz: %d\n", &V::TDz},  {"BR: %d\n", &V::BR},    {"SF: %lf\n", &V::SF},
    {"OF: %lf\n", &V::OF},   {"MWx: %lf\n", &V::MWx}, {"MWy: %lf\n", &V::MWy},
    {"Q1w: %lf\n", &V::Q1w}, {"Q1x: %lf\n", &V::Q1x}, {"Q1y: %lf\n", &V::Q1y},
    {"Q2w: %lf\n", &V::Q2w}, {"Q2x: %lf\n", &V::Q2x}, {"Q2y: %lf\n", &V::Q2y},
    {"QAx: %lf\n", &V::QAx}, {"QAy: %lf\n", &V::QAy},
}};

} // namespace

std::string SaveZelnarParameters(const CZelnarParameterControls& controls,
                                 CZelnarParameters& record)
{
    TakeZelnarEdits(controls, record);
    if (g_bSimulation)
        record.BR = 115200;
    const V values{controls.AS, controls.PL, controls.SE, controls.SC, controls.SDx, controls.SDy,
                   record.MF,   record.SA,   record.Q1z,  record.Q2z,  record.TDx,   record.TDy,
                   record.TDz,  record.BR,   record.SF,   record.OF,   record.MWx,   record.MWy,
                   record.Q1w,  record.Q1x,  record.Q1y,  record.Q2w,  record.Q2x,   record.Q2y,
                   record.QAx,  record.QAy};
    return FormatParameterFile(values, ZelnarFileLines);
}

std::optional<CZelnarParameterControls> LoadZelnarParameters(const std::string& text,
                                                             CZelnarParameters& record)
{
    const std::optional<V> file = ScanParameterFile(text, ZelnarFileLines);
    if (!file || !IsComboSelection(ZelnarASEntries, file->AS) ||
        !IsComboSelection(ZelnarPLEntries, file->PL) ||
        !IsComboSelection(ZelnarSEEntries, file->SE) ||
        !IsComboSelection(ZelnarSCEntries, file->SC) ||
        !IsComboSelection(ZelnarSDxEntries, file->SDx) ||
        !IsComboSelection(ZelnarSDyEntries, file->SDy))
        return std::nullopt;
    CZelnarParameterControls controls;
    controls.AS = file->AS;
    controls.PL = file->PL;
    controls.SE = file->SE;
    controls.SC = file->SC;
    controls.SDx = file->SDx;
    controls.SDy = file->SDy;
    FormatZelnarEdits(*file, controls);
    record.BR = file->BR;
    return controls;
}

std::optional<CZelnarParameterControls> LoadZelnarParameterFile(const std::string& path,
                                                                CZelnarParameters& record)
{
    const std::optional<std::string> text = ReadParameterFile(path);
    return text ? LoadZelnarParameters(*text, record) : std::nullopt;
}

void KeepSimulationLocks(CZelnarParameterControls& loaded, const CZelnarParameterControls& shown)
{
    if (g_bSimulation)
        loaded.SDx = shown.SDx;
}
