#include "AlarmSwitch.h"

#include <cmath>

CAlarmWindow ZelnarAlarmWindow(double w, double x, double y)
{
    return {w - y / 2, w + y / 2, w + x - y / 2, w + x + y / 2};
}

CAlarmWindow QuorinAlarmWindow(double AC, double AW, double AH)
{
    const double h = std::fabs(AH) / 2;
    return {AC - h, AC + h, AC + AW - h, AC + AW + h};
}

void CAlarmSwitch::Switch(double value, const CAlarmWindow& window, AlarmMode mode)
{
    const bool inside = window.lowOn < value && value < window.highOn;
    const bool outside = value < window.lowOff || value > window.highOff;
    const bool switchOn = mode == AlarmMode::OnInside ? inside : outside;
    const bool switchOff = mode == AlarmMode::OnInside ? outside : inside;
    if (!m_bOn && switchOn)
        m_bOn = true;
    if (m_bOn && switchOff)
        m_bOn = false;
}
