#pragma once

#include "ParameterRecords.h"
#include "TerminalState.h"

#include <memory>

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
