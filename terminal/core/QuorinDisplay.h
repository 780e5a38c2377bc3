#pragma once

#include "AlarmSwitch.h"
#include "ParameterRecords.h"
#include "QuorinErrorCodes.h"

#include <string>
#include <string_view>

// What the Quorin Display page shows for one line. Texts are the device's bytes as sent; the
// unit label is UTF-8. Flags say which controls change: what a flag leaves false keeps what
// it showed.
struct CQuorinDisplayResult
{
    bool bRedText = false; // 1137 red while simulating, black otherwise

    bool bSetDistanceUnit = false; // 1143
    std::string_view strDistanceUnit;
    bool bSetDistance = false; // 1137: the reading or the error text
    std::string strDistance;
    bool bSetTemperature = false; // 1138
    std::string strTemperature;

    bool bSetGauge = false; // 1136, mA
    double dCurrent = 0;

    bool bAddGraphPoint = false; // AddGraphPointQR(dGraphDistance)
    double dGraphDistance = 0;

    bool bShowLamps = false; // Q1: 1134 on / 1135 off
    bool bQ1On = false;

    int nCountedCode = -1; // index in QuorinErrorCodes of the code counted, or -1
    std::string strCount;  // the new text of that code's count box

    bool bRedraw = false; // while simulating: redraw the gauge, the graph and the lamps
};

// The decoding of the Quorin Display page with the state it keeps between lines: the Q1
// alarm output and the error-code counts, both living as long as the program
// (g_DisplayQR).
//
// Each call returns a result that stays valid until the next call; the result's buffers are
// reused, so decoding allocates nothing once they have grown.
class CQuorinDisplay
{
public:
    // What DisplayQR does on UM_DATA: decodes g_strQuorinLine in the g_strQuorinFormat, with
    // g_bTempRequest, then empties the line and clears the request.
    const CQuorinDisplayResult& OnData();

    // One line in the output format ("d" decimal, "h" hexadecimal); temperatureRequest says
    // it answers the temperature request.
    const CQuorinDisplayResult& Decode(std::string_view line, std::string_view format,
                                       bool temperatureRequest, const CQuorinParameters& parameters,
                                       bool simulation);

    // Get, Set and Reset of the parameters switch the alarm output off.
    void ResetAlarm() { m_Q1.SetOn(false); }
    bool IsQ1On() const { return m_Q1.IsOn(); }

    CQuorinErrorCounts& ErrorCounts() { return m_ErrorCounts; }
    const CQuorinErrorCounts& ErrorCounts() const { return m_ErrorCounts; }

private:
    CQuorinDisplayResult& StartResult(bool simulation);
    void DecodeDecimal(std::string_view line, bool temperatureRequest,
                       const CQuorinParameters& parameters, bool simulation);
    void DecodeHexadecimal(std::string_view line, bool temperatureRequest,
                           const CQuorinParameters& parameters);
    void CountError(std::string_view line);

    CAlarmSwitch m_Q1;
    CQuorinErrorCounts m_ErrorCounts;
    CQuorinDisplayResult m_Result;
};

extern CQuorinDisplay g_DisplayQR;
