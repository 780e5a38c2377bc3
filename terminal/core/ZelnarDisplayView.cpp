#include "ZelnarDisplayView.h"

namespace {

constexpr const char* ZeroCount = "0";

} // namespace

CZelnarDisplayView::CZelnarDisplayView(double current)
    : m_E02Count(ZeroCount), m_E04Count(ZeroCount), m_Current(current)
{
}

void CZelnarDisplayView::Take(const CZelnarDisplayResult& result)
{
    m_RedText.Set(result.bRedText);
    if (result.bShowFields) {
        m_Distance.Set(result.strDistance);
        m_Speed.Set(result.strSpeed);
        m_Temperature.Set(result.strTemperature);
        m_Strength.Set(result.strStrength);
        m_DistanceUnit.Set(result.strDistanceUnit);
        m_SpeedUnit.Set(result.strSpeedUnit);
        m_TemperatureUnit.Set(result.strTemperatureUnit);
    }
    if (result.bSetStrengthBar)
        m_StrengthBar.Set(result.nStrengthBar);
    if (result.bE02Counted)
        m_E02Count.Set(result.strE02Count);
    if (result.bE04Counted)
        m_E04Count.Set(result.strE04Count);
    if (result.bSetGauge)
        m_Current.Set(result.dCurrent);
    if (result.bShowLamps) {
        m_Q1On.Set(result.bQ1On);
        m_Q2On.Set(result.bQ2On);
    }
    m_bRedraw = m_bRedraw || result.bRedrawGaugeAndGraphs;
}

void CZelnarDisplayView::ClearCounts()
{
    m_E02Count.SetShown(ZeroCount);
    m_E04Count.SetShown(ZeroCount);
}

bool CZelnarDisplayView::TakeRedraw()
{
    const bool redraw = m_bRedraw;
    m_bRedraw = false;
    return redraw;
}
