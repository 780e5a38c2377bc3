#pragma once

#include "ParameterRecords.h"
#include "TerminalState.h"
#include "ZelnarDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

// Process-wide state shared by the tests: each fixture starts from the program's start values.
inline void ResetParameterRecords()
{
    SharedParameters = CSharedParameters{};
    std::destroy_at(&ZelnarParameters);
    std::construct_at(&ZelnarParameters);
    std::destroy_at(&QuorinParameters);
    std::construct_at(&QuorinParameters);
}

inline void ResetReplyState()
{
    g_strMeasLine.clear();
    g_strBinaryRecord.clear();
    g_strBinaryLogLine.clear();
    g_strQuorinLine.clear();
    g_strQuorinFormat.clear();
    g_bTempRequest = false;
    g_bSimulation = false;
}

inline void ExpectFields(const CZelnarDisplayResult& r, std::string_view distance,
                         std::string_view speed, std::string_view strength,
                         std::string_view temperature)
{
    EXPECT_EQ(r.strDistance, distance);
    EXPECT_EQ(r.strSpeed, speed);
    EXPECT_EQ(r.strStrength, strength);
    EXPECT_EQ(r.strTemperature, temperature);
}
