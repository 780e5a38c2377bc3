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
    if (result.bShowFields) {
        m_Distance.Set(result.strDistance);
        m_Speed.Set(result.strSpeed);
        m_Temperature.Set(result.strTemperature);
        m_Strength.Set(result.strStrength);
        m_DistanceUnit.Set(result.strDistanceUnit);
        m_SpeedUnit.Set(result.strSpeedUnit);
        m_TemperatureUnit.Set(result.strTemperatureUnit);
    }
    m_StrengthBar.SetIf(result.bSetStrengthBar, result.nStrengthBar);
    m_E02Count.SetIf(result.bE02Counted, result.strE02Count);
    m_E04Count.SetIf(result.bE04Counted, result.strE04Count);
    m_Current.SetIf(result.bSetGauge, result.dCurrent);
    m_Q1On.SetIf(result.bShowLamps, result.bQ1On);
    m_Q2On.SetIf(result.bShowLamps, result.bQ2On);
    // A simulated line: red texts, and the graphs redrawn with it.
    m_RedText.Set(result.bRedText);
    m_bRedraw = m_bRedraw || result.bRedrawGaugeAndGraphs;
}

void CZelnarDisplayView::ClearCounts()
{
    m_E02Count.SetShown(ZeroCount);
    m_E04Count.SetShown(ZeroCount);
}
