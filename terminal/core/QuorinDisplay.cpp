#include "QuorinDisplay.h"

#include "AnalogOutput.h"
#include "CountText.h"
#include "FieldText.h"
#include "LeadingNumber.h"
#include "MeasurementUnits.h"
#include "TerminalState.h"

CQuorinDisplay g_DisplayQR;

namespace {

// A decimal distance has its point at position 3 ("012.345"); other replies, such as the
// temperature, have it elsewhere or start with "A".
bool IsDistanceReading(std::string_view line)
{
    return IsAt(line, 3, '.') && !IsAt(line, 2, '.') && !IsAt(line, 4, '.') && !IsAt(line, 0, 'A');
}

} // namespace

CQuorinDisplayResult& CQuorinDisplay::StartResult(bool simulation)
{
    CQuorinDisplayResult& r = m_Result;
    r.bRedText = simulation;
    r.bSetDistanceUnit = false;
    r.strDistanceUnit = {};
    r.bSetDistance = false;
    r.strDistance.clear();
    r.bSetTemperature = false;
    r.strTemperature.clear();
    r.bSetGauge = false;
    r.dCurrent = 0;
    r.bAddGraphPoint = false;
    r.dGraphDistance = 0;
    r.bShowLamps = false;
    r.bQ1On = m_Q1.IsOn();
    r.nCountedCode = -1;
    r.strCount.clear();
    r.bRedraw = false;
    return r;
}

void CQuorinDisplay::DecodeDecimal(std::string_view line, bool temperatureRequest,
                                   const CQuorinParameters& parameters, bool simulation)
{
    CQuorinDisplayResult& r = m_Result;
    r.bSetDistanceUnit = true;
    r.strDistanceUnit = DistanceUnit(parameters.SF);
    if (IsDistanceReading(line)) {
        const double distance = LeadingNumber(line);
        r.bSetDistance = true;
        SetText(r.strDistance, line);
        r.bSetTemperature = true;
        r.bAddGraphPoint = true;
        r.dGraphDistance = distance;
        r.bSetGauge = true;
        r.dCurrent = AnalogOutputCurrent(distance, parameters.RB, parameters.RE);
        const AlarmMode mode = parameters.AH >= 0 ? AlarmMode::OnInside : AlarmMode::OnOutside;
        m_Q1.Switch(distance, QuorinAlarmWindow(parameters.AC, parameters.AW, parameters.AH), mode);
        r.bShowLamps = true;
    }
    if (temperatureRequest) {
        r.bSetTemperature = true;
        SetText(r.strTemperature, line);
    }
    // With SE 1 and 2 an error reply puts the output and the current at the fixed states the
    // device itself takes; the current end depends on which way the range runs.
    if (IsAt(line, 0, 'E') && (parameters.SE == 1 || parameters.SE == 2)) {
        const bool onOutside = parameters.AH < 0;
        const bool rising = parameters.RE > parameters.RB;
        const bool high = parameters.SE == 2;
        m_Q1.SetOn(high ? !onOutside : onOutside);
        r.bShowLamps = true;
        r.bSetGauge = true;
        r.dCurrent = rising == high ? MaximumCurrent : MinimumCurrent;
    }
    r.bRedraw = simulation;
}

void CQuorinDisplay::DecodeHexadecimal(std::string_view line, bool temperatureRequest,
                                       const CQuorinParameters& parameters)
{
    CQuorinDisplayResult& r = m_Result;
    r.bSetDistanceUnit = true;
    r.strDistanceUnit = HexDistanceUnit(parameters.SF);
    r.bSetGauge = true;
    r.dCurrent = MinimumCurrent;
    std::string_view shown = line;
    if ((line.size() == 7 || IsAt(line, 1, 'F')) && !IsAt(line, 2, '[')) {
        if (IsAt(line, 1, 'F'))
            shown = line.substr(1);
        r.bSetDistance = true;
        SetText(r.strDistance, shown);
        r.bSetTemperature = true;
        r.strTemperature.clear();
    }
    if (temperatureRequest) {
        r.bSetTemperature = true;
        SetText(r.strTemperature, shown);
    }
}

void CQuorinDisplay::CountError(std::string_view line)
{
    CQuorinDisplayResult& r = m_Result;
    r.nCountedCode = m_ErrorCounts.Count(line);
    if (r.nCountedCode >= 0)
        SetCountText(r.strCount, m_ErrorCounts.GetCount(r.nCountedCode));
}

const CQuorinDisplayResult& CQuorinDisplay::Decode(std::string_view line, std::string_view format,
                                                   bool temperatureRequest,
                                                   const CQuorinParameters& parameters,
                                                   bool simulation)
{
    CQuorinDisplayResult& r = StartResult(simulation);
    const bool decimal = format == "d";
    if (decimal && !line.empty())
        DecodeDecimal(line, temperatureRequest, parameters, simulation);
    if (IsAt(line, 0, 'E')) {
        // One graph point per line: an error text that also reads as a distance has added
        // its point (at 0) already.
        if (decimal && !r.bAddGraphPoint) {
            r.bAddGraphPoint = true;
            r.dGraphDistance = 0.0;
        }
        r.bSetDistance = true;
        SetText(r.strDistance, line);
        CountError(line);
    }
    r.bQ1On = m_Q1.IsOn();
    if (!r.bQ1On)
        r.bShowLamps = true;
    if (format == "h")
        DecodeHexadecimal(line, temperatureRequest, parameters);
    return r;
}

const CQuorinDisplayResult& CQuorinDisplay::OnData()
{
    Decode(g_strQuorinLine, g_strQuorinFormat, g_bTempRequest, QuorinParameters, g_bSimulation);
    g_strQuorinLine.clear();
    g_bTempRequest = false;
    return m_Result;
}
