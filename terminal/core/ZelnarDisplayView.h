#pragma once

#include "ShownValue.h"
#include "ZelnarDisplay.h"

#include <string>
#include <string_view>
#include <utility>

// What the Zelnar Display page shows, gathered from the lines decoded since the page last put
// it on its controls. Every control shows what the last line that set it wanted, so a page that
// shows once after many lines shows what it would have shown after each of them.
//
// It starts as the page's controls start: black texts, empty fields and units, the strength
// bar at 0, "0" in both count boxes, both lamps off and the gauge at the current given.
class CZelnarDisplayView
{
public:
    explicit CZelnarDisplayView(double current);

    // One decoded line; allocates nothing once the texts have grown.
    void Take(const CZelnarDisplayResult& result);

    // "Clear" wrote "0" into both count boxes.
    void ClearCounts();

    // While simulating, a line asks for the graphs to be redrawn when it is shown; true once
    // per request.
    bool TakeRedraw() { return std::exchange(m_bRedraw, false); }

    CShownValue<bool>& RedText() { return m_RedText; }
    CShownValue<std::string>& Distance() { return m_Distance; }
    CShownValue<std::string>& Speed() { return m_Speed; }
    CShownValue<std::string>& Temperature() { return m_Temperature; }
    CShownValue<std::string>& Strength() { return m_Strength; }
    CShownValue<std::string_view>& DistanceUnit() { return m_DistanceUnit; }
    CShownValue<std::string_view>& SpeedUnit() { return m_SpeedUnit; }
    CShownValue<std::string_view>& TemperatureUnit() { return m_TemperatureUnit; }
    CShownValue<int>& StrengthBar() { return m_StrengthBar; }
    CShownValue<std::string>& E02Count() { return m_E02Count; }
    CShownValue<std::string>& E04Count() { return m_E04Count; }
    CShownValue<double>& Current() { return m_Current; }
    CShownValue<bool>& Q1On() { return m_Q1On; }
    CShownValue<bool>& Q2On() { return m_Q2On; }

private:
    CShownValue<bool> m_RedText;
    CShownValue<std::string> m_Distance;
    CShownValue<std::string> m_Speed;
    CShownValue<std::string> m_Temperature;
    CShownValue<std::string> m_Strength;
    CShownValue<std::string_view> m_DistanceUnit;
    CShownValue<std::string_view> m_SpeedUnit;
    CShownValue<std::string_view> m_TemperatureUnit;
    CShownValue<int> m_StrengthBar;
    CShownValue<std::string> m_E02Count;
    CShownValue<std::string> m_E04Count;
    CShownValue<double> m_Current;
    CShownValue<bool> m_Q1On;
    CShownValue<bool> m_Q2On;
    bool m_bRedraw = false;
};
