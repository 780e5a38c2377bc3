#include "QuorinDisplayView.h"

#include "AnalogOutput.h"

namespace {

constexpr const char* ZeroCount = "0";

} // namespace

CQuorinDisplayView::CQuorinDisplayView() : m_Current(MinimumCurrent)
{
    for (CShownValue<std::string>& count : m_Counts)
        count.SetShown(ZeroCount);
}

void CQuorinDisplayView::Take(const CQuorinDisplayResult& result)
{
    m_RedText.Set(result.bRedText);
    if (result.bSetDistanceUnit)
        m_DistanceUnit.Set(result.strDistanceUnit);
    if (result.bSetDistance)
        m_Distance.Set(result.strDistance);
    if (result.bSetTemperature)
        m_Temperature.Set(result.strTemperature);
    if (result.bSetGauge)
        m_Current.Set(result.dCurrent);
    if (result.bShowLamps)
        m_Q1On.Set(result.bQ1On);
    if (result.nCountedCode >= 0)
        Count(static_cast<std::size_t>(result.nCountedCode)).Set(result.strCount);
    m_bRedraw = m_bRedraw || result.bRedraw;
}

void CQuorinDisplayView::ClearCounts()
{
    for (CShownValue<std::string>& count : m_Counts)
        count.SetShown(ZeroCount);
}

bool CQuorinDisplayView::TakeRedraw()
{
    const bool redraw = m_bRedraw;
    m_bRedraw = false;
    return redraw;
}
