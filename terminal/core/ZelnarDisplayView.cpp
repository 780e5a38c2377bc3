#include "ZelnarDisplayView.h"

void CZelnarDisplayView::Take(const CZelnarDisplayResult& result)
{
    m_pending.bRedText = result.bRedText;
    if (result.bShowFields) {
        m_pending.bShowFields = true;
        // Assigned, not copied: the buffers keep their capacity from line to line.
        m_pending.strDistance.assign(result.strDistance);
        m_pending.strSpeed.assign(result.strSpeed);
        m_pending.strTemperature.assign(result.strTemperature);
        m_pending.strStrength.assign(result.strStrength);
        m_pending.strDistanceUnit = result.strDistanceUnit;
        m_pending.strSpeedUnit = result.strSpeedUnit;
        m_pending.strTemperatureUnit = result.strTemperatureUnit;
    }
    if (result.bSetStrengthBar) {
        m_pending.bSetStrengthBar = true;
        m_pending.nStrengthBar = result.nStrengthBar;
    }
    if (result.bE02Counted) {
        m_pending.bE02Counted = true;
        m_pending.strE02Count.assign(result.strE02Count);
    }
    if (result.bE04Counted) {
        m_pending.bE04Counted = true;
        m_pending.strE04Count.assign(result.strE04Count);
    }
    if (result.bSetGauge) {
        m_pending.bSetGauge = true;
        m_pending.dCurrent = result.dCurrent;
    }
    if (result.bShowLamps) {
        m_pending.bShowLamps = true;
        m_pending.bQ1On = result.bQ1On;
        m_pending.bQ2On = result.bQ2On;
    }
}

void CZelnarDisplayView::Shown()
{
    m_pending.bShowFields = false;
    m_pending.bSetStrengthBar = false;
    m_pending.bE02Counted = false;
    m_pending.bE04Counted = false;
    m_pending.bSetGauge = false;
    m_pending.bShowLamps = false;
}
