#include "QuorinParameterFile.h"

#include "ParameterFile.h"
#include "TerminalState.h"

namespace {

struct CQuorinFileValues
{
    int AS, SE, SD, RMx, RMy, RMz, ST, SA, TDx, TDy;
    double SF, OF;
    int TMx, TMy;
    double RB, RE, AC, AW, AH;
    int BR;
};

using V = CQuorinFileValues;

constexpr std::array<CParameterFileLine<V>, 20> QuorinFileLines = {{
    {"AS: %d\n", &V::AS},     {"SE: %d\n", &V::SE},   {"SD: %d\n", &V::SD},  {"RMx: %d\n", &V::RMx},
    {"RMy: %d\n", &V::RMy},   {"RMz: %d\n", &V::RMz}, {"ST: %d\n", &V::ST},  {"SA: %d\n", &V::SA},
    {"TDxQR: %d\n", &V::TDx}, {"TDy: %d\n", &V::TDy}, {"SF: %lf\n", &V::SF}, {"OF: %lf\n", &V::OF},
    {"TMx: %d\n", &V::TMx},   {"TMy: %d\n", &V::TMy}, {"RB: %lf\n", &V::RB}, {"RE: %lf\n", &V::RE},
    {"AC: %lf\n", &V::AC},    {"AW: %lf\n", &V::AW},  {"AH: %lf\n", &V::AH}, {"BR: %d\n", &V::BR},
}};

} // namespace

std::string SaveQuorinParameters(const CQuorinParameterControls& controls,
                                 CQuorinParameters& record)
{
    TakeQuorinControls(controls, record);
    if (g_bSimulation)
        record.BR = 9600;
    const V values{controls.AS, controls.SE, controls.SD, record.RMx, record.RMy,
                   record.RMz,  record.ST,   record.SA,   record.TDx, record.TDy,
                   record.SF,   record.OF,   record.TMx,  record.TMy, record.RB,
                   record.RE,   record.AC,   record.AW,   record.AH,  record.BR};
    return FormatParameterFile(values, QuorinFileLines);
}

std::optional<CQuorinParameterControls> LoadQuorinParameters(const std::string& text)
{
    const std::optional<V> file = ScanParameterFile(text, QuorinFileLines);
    if (!file || !IsComboSelection(QuorinASEntries, file->AS) ||
        !IsComboSelection(QuorinSEEntries, file->SE) ||
        !IsComboSelection(QuorinSDEntries, file->SD))
        return std::nullopt;
    CQuorinParameterControls controls;
    controls.AS = file->AS;
    controls.SE = file->SE;
    controls.SD = file->SD;
    FormatQuorinEdits(*file, controls);
    return controls;
}

std::optional<CQuorinParameterControls> LoadQuorinParameterFile(const std::string& path)
{
    const std::optional<std::string> text = ReadParameterFile(path);
    return text ? LoadQuorinParameters(*text) : std::nullopt;
}

void KeepSimulationLocks(CQuorinParameterControls& loaded, const CQuorinParameterControls& shown)
{
    if (g_bSimulation)
        loaded.SD = shown.SD;
}
