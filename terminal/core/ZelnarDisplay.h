#pragma once

#include "AlarmSwitch.h"
#include "ParameterRecords.h"

#include <cstdint>
#include <string>
#include <string_view>

// What the Zelnar Display page shows for one line or binary record. Field texts are the
// device's bytes as sent; unit labels are UTF-8. Flags say which controls change: what a
// flag leaves false keeps what it showed.
struct CZelnarDisplayResult
{
    bool bRedText = false; // 1070, 1072, 1073 red while simulating, black otherwise

    bool bShowFields = false;            // the four field texts and three units below
    std::string strDistance;             // 1070
    std::string strSpeed;                // 1071
    std::string strTemperature;          // 1072
    std::string strStrength;             // 1073
    std::string_view strDistanceUnit;    // 1099
    std::string_view strSpeedUnit;       // 1100
    std::string_view strTemperatureUnit; // 1103

    bool bSetStrengthBar = false; // 1074, range 0 to 3000
    int nStrengthBar = 0;

    bool bE02Counted = false;
    std::string strE02Count; // 1091
    bool bE04Counted = false;
    std::string strE04Count; // 1093

    bool bAddGraphPoint = false; // AddGraphPoint(dGraphDistance, dGraphSpeed)
    double dGraphDistance = 0;
    double dGraphSpeed = 0;

    bool bSetGauge = false; // 1088, mA
    double dCurrent = 0;
    bool bRedrawGaugeAndGraphs = false; // while simulating: redraw 1088, then RedrawGraphs

    bool bShowLamps = false; // Q1: 1083 on / 1082 off; Q2: 1084 on / 1085 off
    bool bQ1On = false;
    bool bQ2On = false;
    bool bRedrawLamps = false; // while simulating

    std::string strBinaryLogLine; // binary records: the Log page's entry
};

// The decoding of the Zelnar Display page with the state it keeps between lines: error
// counts, output current and the two alarm outputs. The page's window comes and goes with
// its main dialog; this state lives as long as the program (g_DisplayZL).
//
// Each call returns a result that stays valid until the next call; the result's buffers are
// reused, so decoding allocates nothing once they have grown.
class CZelnarDisplay
{
public:
    // What DisplayZL does on UM_DATA: decodes g_strMeasLine (decimal and hexadecimal output)
    // or g_strBinaryRecord (binary output, which also fills g_strBinaryLogLine) by the SDx of
    // ZelnarParameters, then empties g_strMeasLine.
    const CZelnarDisplayResult& OnData();

    // A decimal line without its leading "D".
    const CZelnarDisplayResult& DecodeDecimal(std::string_view line,
                                              const CZelnarParameters& parameters, bool simulation);
    // A hexadecimal line without its leading "H".
    const CZelnarDisplayResult&
    DecodeHexadecimal(std::string_view line, const CZelnarParameters& parameters, bool simulation);
    // A binary record as "0" and "1" characters, eight per byte.
    const CZelnarDisplayResult& DecodeBinary(std::string_view record, int SDy, bool simulation);

    // The Clear button: both counts start again at 0.
    void OnClear();
    // Get, Set and Reset of the parameters switch both alarm outputs off.
    void ResetAlarms();

    std::int64_t GetE02Count() const { return m_nE02Count; }
    std::int64_t GetE04Count() const { return m_nE04Count; }
    // The current of the last measurement, for the gauge of a newly created page.
    double GetOutputCurrent() const { return m_dOutputCurrent; }
    bool IsQ1On() const { return m_Q1.IsOn(); }
    bool IsQ2On() const { return m_Q2.IsOn(); }

private:
    CZelnarDisplayResult& StartResult(bool simulation);
    // Every format shows its four fields and three units.
    CZelnarDisplayResult& StartFields(bool simulation, std::string_view distanceUnit,
                                      std::string_view speedUnit, std::string_view temperatureUnit);
    void CountE02();
    void CountE04();
    void CountErrorText(std::string_view line);
    double DecimalCurrent(bool error, double distance, const CZelnarParameters& parameters) const;
    void SwitchAlarms(bool error, double value, double distance,
                      const CZelnarParameters& parameters);

    std::int64_t m_nE02Count = 0;
    std::int64_t m_nE04Count = 0;
    double m_dOutputCurrent = 0.0;
    CAlarmSwitch m_Q1;
    CAlarmSwitch m_Q2;
    CZelnarDisplayResult m_Result;
};

extern CZelnarDisplay g_DisplayZL;
