#include "QuorinDisplayView.h"

#include "AnalogOutput.h"

namespace {

constexpr const char* ZeroCount = "0";

} // namespace

CQuorinDisplayView::CQuorinDisplayView() : m_Current(MinimumCurrent)
{
    ClearCounts();
}

void CQuorinDisplayView::Take(const CQuorinDisplayResult& result)
{
    m_DistanceUnit.SetIf(result.bSetDistanceUnit, result.strDistanceUnit);
    m_Distance.SetIf(result.bSetDistance, result.strDistance);
    m_Temperature.SetIf(result.bSetTemperature, result.strTemperature);
    m_Current.SetIf(result.bSetGauge, result.dCurrent);
    m_Q1On.SetIf(result.bShowLamps, result.bQ1On);
    if (result.nCountedCode >= 0)
        Count(static_cast<std::size_t>(result.nCountedCode)).Set(result.strCount);
    // A simulated line: red text, and the graph redrawn with it.
    m_RedText.Set(result.bRedText);
    m_bRedraw = m_bRedraw || result.bRedraw;
}

void CQuorinDisplayView::ClearCounts()
{
    for (CShownValue<std::string>& count : m_Counts)
        count.SetShown(ZeroCount);
}
