#pragma once

#include "ParameterRecords.h"
#include "TerminalState.h"
#include "ZelnarParameterControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Puts the parameter records and the process-wide values the parameter commands and the
// simulation use back to their start values.
inline void ResetParameterState()
{
    SharedParameters = CSharedParameters{};
    auto& z = ZelnarParameters;
    z.AS.clear();
    z.ASIndex = z.PL = z.SC = z.SDx = z.SDy = z.MF = z.TDz = z.Q1z = z.Q2z = 0;
    z.TDx = z.MWx = z.MWy = z.Q1w = z.Q1x = z.Q1y = z.Q2w = z.Q2x = z.Q2y = z.QAx = z.QAy = 0;
    auto& q = QuorinParameters;
    q.AS.clear();
    q.ASIndex = q.SD = q.RMx = q.RMy = q.RMz = q.ST = q.TDx = q.TMx = q.TMy = 0;
    q.RB = q.RE = q.AC = q.AW = q.AH = 0;
    g_strMeasLine.clear();
    g_strQuorinLine.clear();
    g_strQuorinFormat.clear();
    g_strBinaryPending.clear();
    g_bConnected = false;
    ResetSimulationState();
    g_bSimRunning = false;
}

// A test that starts and ends with the parameter state at its start values.
class ParameterStateTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetParameterState(); }
    void TearDown() override { ResetParameterState(); }
};

// A device's listing as the Classic page holds it.
inline std::string JoinListing(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Zelnar controls as an operator fills them in.
inline CZelnarParameterControls TypedZelnarControls()
{
    CZelnarParameterControls c;
    c.AS = 2; // "DT"
    c.PL = 1;
    c.SE = 2;
    c.SC = 0;
    c.SDx = 0;
    c.SDy = 1;
    c.MF = "2000";
    c.SA = "20";
    c.TDx = "1.5";
    c.TDy = "1";
    c.TDz = "0";
    c.SF = "1";
    c.OF = "0";
    c.MWx = "-5000";
    c.MWy = "5000";
    c.Q1w = "5";
    c.Q1x = "4";
    c.Q1y = "0";
    c.Q1z = "1";
    c.Q2w = "12";
    c.Q2x = "6";
    c.Q2y = "1";
    c.Q2z = "0";
    c.QAx = "0";
    c.QAy = "20";
    return c;
}
