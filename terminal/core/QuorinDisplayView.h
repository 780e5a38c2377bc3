#pragma once

#include "QuorinDisplay.h"
#include "ShownValue.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// What the Quorin Display page shows, gathered from the lines decoded since the page last put
// it on its controls. Every control shows what the last line that set it wanted, and every
// count box the newest total of its code, so a page that shows once after many lines shows
// what it would have shown after each of them.
//
// It starts as the page's controls start: black texts, empty fields, the gauge at 3.0 mA, the
// Q1 lamp off and "0" in every count box.
class CQuorinDisplayView
{
public:
    CQuorinDisplayView();

    // One decoded line; allocates nothing once the texts have grown.
    void Take(const CQuorinDisplayResult& result);

    // "Clear ERRORS" wrote "0" into every count box.
    void ClearCounts();

    // While simulating, a line asks for the gauge, the lamp and the graph to be redrawn when
    // it is shown; true once per request.
    bool TakeRedraw() { return std::exchange(m_bRedraw, false); }

    CShownValue<bool>& RedText() { return m_RedText; }
    CShownValue<std::string_view>& DistanceUnit() { return m_DistanceUnit; }
    CShownValue<std::string>& Distance() { return m_Distance; }
    CShownValue<std::string>& Temperature() { return m_Temperature; }
    CShownValue<double>& Current() { return m_Current; }
    CShownValue<bool>& Q1On() { return m_Q1On; }
    // The count box of QuorinErrorCodes[index].
    CShownValue<std::string>& Count(std::size_t index) { return m_Counts.at(index); }

private:
    CShownValue<bool> m_RedText;
    CShownValue<std::string_view> m_DistanceUnit;
    CShownValue<std::string> m_Distance;
    CShownValue<std::string> m_Temperature;
    CShownValue<double> m_Current;
    CShownValue<bool> m_Q1On;
    std::array<CShownValue<std::string>, QuorinErrorCodes.size()> m_Counts;
    bool m_bRedraw = false;
};
