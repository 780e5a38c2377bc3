#include "ZelnarDisplay.h"

#include "AnalogOutput.h"
#include "CountText.h"
#include "FieldText.h"
#include "LeadingNumber.h"
#include "MeasurementUnits.h"
#include "TerminalState.h"

#include <algorithm>
#include <cstddef>
#include <optional>

CZelnarDisplay g_DisplayZL;

namespace {

constexpr int StrengthBarMaximum = 3000;

// The device's binary error records: 0xC2 "E" "R" and 0xC4 "E" "R".
constexpr std::string_view BinaryE02 = "110000100100010101010010";
constexpr std::string_view BinaryE04 = "110001000100010101010010";

// Field widths of the hexadecimal and binary outputs. A record of at least shortBelow[SDy]
// characters starts with a speed; strength follows for SDy 1 and 3, temperature for 2 and 3.
struct CFieldLayout
{
    std::size_t shortBelow[4];
    std::size_t speed;
    std::size_t distance;
    std::size_t strength;
    std::size_t temperature;
    std::size_t separator;
};

constexpr CFieldLayout HexLayout{{12, 15, 15, 19}, 6, 6, 4, 3, 1};
constexpr CFieldLayout BinaryLayout{{30, 40, 50, 60}, 24, 24, 8, 16, 0};

void CutBySelection(std::string_view line, int SDy, const CFieldLayout& layout,
                    CZelnarDisplayResult& result)
{
    if (SDy < 0 || SDy > 3)
        return;
    std::size_t position = 0;
    const auto take = [&](std::string& field, std::size_t width) {
        SetText(field, Mid(line, position, width));
        position += width + layout.separator;
    };
    if (line.size() >= layout.shortBelow[SDy])
        take(result.strSpeed, layout.speed);
    take(result.strDistance, layout.distance);
    if (SDy == 1 || SDy == 3)
        take(result.strStrength, layout.strength);
    if (SDy >= 2)
        take(result.strTemperature, layout.temperature);
}

// Decimal lines tell their layout only by length and by where the points stand.
void CutDecimalFields(std::string_view line, CZelnarDisplayResult& result)
{
    const std::size_t length = line.size();
    std::string_view distance = Left(line, 9);
    std::string_view speed;
    std::string_view strength;
    std::string_view temperature;
    if (length < 16) {
        const std::string_view rest = Mid(line, 10);
        if (IsAt(line, 13, '.'))
            temperature = Right(rest, 5);
        else
            strength = Left(rest, 5);
    } else if (IsAt(line, 15, '.')) {
        // A speed comes first.
        speed = Left(line, 9);
        distance = Mid(line, 10, 9);
        const std::string_view rest = Mid(line, 20);
        if (length == 24 || length == 25) {
            if (IsAt(line, 23, '.'))
                temperature = Left(rest, 5);
            else
                strength = Left(rest, 5);
        } else if (length >= 29) {
            strength = Left(rest, 5);
            temperature = Mid(rest, 6, 5);
        }
    } else if (IsAt(line, 0, 'E') && IsAt(line, 10, 'E')) {
        // Speed and distance both carry an error text.
        if (IsAt(line, 23, '.'))
            temperature = Right(line, 5);
        else if (length >= 28)
            temperature = Mid(line, 26, 5);
    } else {
        strength = Mid(line, 10, 5);
        temperature = Mid(line, 16, 5);
    }
    SetText(result.strDistance, distance);
    SetText(result.strSpeed, speed);
    SetText(result.strStrength, strength);
    SetText(result.strTemperature, temperature);
}

bool IsDecimalMeasurement(std::string_view line)
{
    return IsAt(line, 0, '-') || IsAt(line, 0, '+') || IsAt(line, 0, ' ') || IsAt(line, 0, 'E');
}

bool IsHexMeasurement(std::string_view line)
{
    return !(IsAt(line, 0, 'L') || IsAt(line, 0, 'S') || IsAt(line, 0, 'w') || IsAt(line, 0, '?') ||
             IsAt(line, 1, 'x') || IsAt(line, 1, 'S'));
}

// An alarm whose begin, width and hysteresis are all 0 is switched off for good.
bool IsAlarmEnabled(double w, double x, double y)
{
    return w != 0 || x != 0 || y != 0;
}

std::optional<AlarmMode> ZelnarAlarmMode(int z)
{
    if (z == 1)
        return AlarmMode::OnInside;
    if (z == 0)
        return AlarmMode::OnOutside;
    return std::nullopt;
}

struct CZelnarAlarm
{
    double w, x, y;
    int z;
};

void SwitchAlarm(CAlarmSwitch& alarm, const CZelnarAlarm& a, double value)
{
    const std::optional<AlarmMode> mode = ZelnarAlarmMode(a.z);
    if (IsAlarmEnabled(a.w, a.x, a.y) && mode)
        alarm.Switch(value, ZelnarAlarmWindow(a.w, a.x, a.y), *mode);
}

// On an error reply the output takes the state the error mode SE prescribes, as the device's
// own output does.
void ApplyErrorMode(CAlarmSwitch& alarm, const CZelnarAlarm& a, int SE)
{
    if (!IsAlarmEnabled(a.w, a.x, a.y))
        return;
    if (SE == 0) {
        alarm.RestoreSavedState();
        return;
    }
    if ((SE != 1 && SE != 2) || (a.z != 0 && a.z != 1))
        return;
    const bool onInside = a.z == 1;
    alarm.SetOn(SE == 1 ? !onInside : onInside);
}

} // namespace

CZelnarDisplayResult& CZelnarDisplay::StartResult(bool simulation)
{
    CZelnarDisplayResult& r = m_Result;
    r.bRedText = simulation;
    r.bShowFields = false;
    r.strDistance.clear();
    r.strSpeed.clear();
    r.strTemperature.clear();
    r.strStrength.clear();
    r.strDistanceUnit = {};
    r.strSpeedUnit = {};
    r.strTemperatureUnit = {};
    r.bSetStrengthBar = false;
    r.nStrengthBar = 0;
    r.bE02Counted = false;
    r.bE04Counted = false;
    r.bAddGraphPoint = false;
    r.dGraphDistance = 0;
    r.dGraphSpeed = 0;
    r.bSetGauge = false;
    r.dCurrent = 0;
    r.bRedrawGaugeAndGraphs = false;
    r.bShowLamps = false;
    r.bQ1On = m_Q1.IsOn();
    r.bQ2On = m_Q2.IsOn();
    r.bRedrawLamps = false;
    r.strBinaryLogLine.clear();
    return r;
}

CZelnarDisplayResult& CZelnarDisplay::StartFields(bool simulation, std::string_view distanceUnit,
                                                  std::string_view speedUnit,
                                                  std::string_view temperatureUnit)
{
    CZelnarDisplayResult& r = StartResult(simulation);
    r.bShowFields = true;
    r.strDistanceUnit = distanceUnit;
    r.strSpeedUnit = speedUnit;
    r.strTemperatureUnit = temperatureUnit;
    return r;
}

void CZelnarDisplay::CountE02()
{
    ++m_nE02Count;
    m_Result.bE02Counted = true;
    SetCountText(m_Result.strE02Count, m_nE02Count);
}

void CZelnarDisplay::CountE04()
{
    ++m_nE04Count;
    m_Result.bE04Counted = true;
    SetCountText(m_Result.strE04Count, m_nE04Count);
}

void CZelnarDisplay::CountErrorText(std::string_view line)
{
    const std::string_view code = Mid(line, 1, 3);
    if (code == "02 ")
        CountE02();
    else if (code == "04 ")
        CountE04();
}

double CZelnarDisplay::DecimalCurrent(bool error, double distance,
                                      const CZelnarParameters& parameters) const
{
    if (error) {
        switch (parameters.SE) {
        case 0:
            return LimitCurrent(m_dOutputCurrent);
        case 1:
            return MinimumCurrent;
        case 2:
            return MaximumCurrent;
        default:
            break;
        }
    }
    return AnalogOutputCurrent(distance, parameters.QAx, parameters.QAy);
}

void CZelnarDisplay::SwitchAlarms(bool error, double value, double distance,
                                  const CZelnarParameters& parameters)
{
    const CZelnarAlarm q1{parameters.Q1w, parameters.Q1x, parameters.Q1y, parameters.Q1z};
    const CZelnarAlarm q2{parameters.Q2w, parameters.Q2x, parameters.Q2y, parameters.Q2z};
    if (error) {
        ApplyErrorMode(m_Q1, q1, parameters.SE);
        ApplyErrorMode(m_Q2, q2, parameters.SE);
        return;
    }
    SwitchAlarm(m_Q1, q1, value);
    SwitchAlarm(m_Q2, q2, distance);
    m_Q1.SaveState();
    m_Q2.SaveState();
}

const CZelnarDisplayResult& CZelnarDisplay::DecodeDecimal(std::string_view line,
                                                          const CZelnarParameters& parameters,
                                                          bool simulation)
{
    CZelnarDisplayResult& r = StartFields(simulation, DistanceUnit(parameters.SF),
                                          SpeedUnit(parameters.SF), TemperatureUnit);
    if (IsDecimalMeasurement(line)) {
        CutDecimalFields(line, r);
        CountErrorText(line);
    }
    // Only a measurement has a distance text; any other reply leaves current, graph and
    // alarms alone.
    if (!r.strDistance.empty()) {
        const bool error = IsAt(line, 0, 'E');
        const double distance = LeadingNumber(r.strDistance);
        const double speed = LeadingNumber(r.strSpeed);
        m_dOutputCurrent = DecimalCurrent(error, distance, parameters);
        r.bAddGraphPoint = true;
        r.dGraphDistance = distance;
        r.dGraphSpeed = speed;
        r.bSetGauge = true;
        r.dCurrent = m_dOutputCurrent;
        r.bRedrawGaugeAndGraphs = simulation;
        // Q1 follows the speed when there is one, Q2 always the distance.
        SwitchAlarms(error, r.strSpeed.empty() ? distance : speed, distance, parameters);
    }
    r.bSetStrengthBar = true;
    r.nStrengthBar = std::clamp(LeadingInteger(r.strStrength), 0, StrengthBarMaximum);
    r.bShowLamps = true;
    r.bQ1On = m_Q1.IsOn();
    r.bQ2On = m_Q2.IsOn();
    r.bRedrawLamps = simulation;
    return r;
}

const CZelnarDisplayResult& CZelnarDisplay::DecodeHexadecimal(std::string_view line,
                                                              const CZelnarParameters& parameters,
                                                              bool simulation)
{
    CZelnarDisplayResult& r = StartFields(simulation, HexDistanceUnit(parameters.SF),
                                          HexSpeedUnit(parameters.SF), HexTemperatureUnit);
    if (IsHexMeasurement(line)) {
        CountErrorText(line);
        CutBySelection(line, parameters.SDy, HexLayout, r);
    }
    return r;
}

const CZelnarDisplayResult& CZelnarDisplay::DecodeBinary(std::string_view record, int SDy,
                                                         bool simulation)
{
    CZelnarDisplayResult& r = StartFields(simulation, {}, {}, {});
    CutBySelection(record, SDy, BinaryLayout, r);
    r.strBinaryLogLine.append(1, 'B')
        .append(r.strSpeed)
        .append(r.strDistance)
        .append(r.strStrength)
        .append(r.strTemperature);
    if (r.strDistance == BinaryE02 || r.strSpeed == BinaryE02)
        CountE02();
    if (r.strDistance == BinaryE04 || r.strSpeed == BinaryE04)
        CountE04();
    return r;
}

const CZelnarDisplayResult& CZelnarDisplay::OnData()
{
    const CZelnarParameters& parameters = ZelnarParameters;
    switch (parameters.SDx) {
    case 0:
        DecodeDecimal(g_strMeasLine, parameters, g_bSimulation);
        break;
    case 1:
        DecodeHexadecimal(g_strMeasLine, parameters, g_bSimulation);
        break;
    case 2:
        DecodeBinary(g_strBinaryRecord, parameters.SDy, g_bSimulation);
        SetText(g_strBinaryLogLine, m_Result.strBinaryLogLine);
        break;
    default:
        StartResult(g_bSimulation);
        break;
    }
    g_strMeasLine.clear();
    return m_Result;
}

void CZelnarDisplay::OnClear()
{
    m_nE02Count = 0;
    m_nE04Count = 0;
}

void CZelnarDisplay::ResetAlarms()
{
    m_Q1.SetOn(false);
    m_Q2.SetOn(false);
}
