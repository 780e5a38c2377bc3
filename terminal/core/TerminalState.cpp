#include "TerminalState.h"

#include "ParameterRecords.h"
#include "PortSettings.h"

std::string g_strReceived;
int g_nLineCount = 0;
std::string g_strBinaryPending;
std::string g_strBinaryRecord;
bool g_bEchoTypedLine = false;
int g_nLogLines = 0;
std::string g_strMeasLine;
std::string g_strBinaryLogLine;
std::string g_strQuorinLine;
std::string g_strQuorinFormat;
bool g_bTempRequest = false;

std::atomic<bool> g_bConnected{false};

bool g_bSimulation = false;
bool g_bSimRunning = false;
int g_nSimPosition = 0;
bool g_bSimPause = false;
bool g_bSimStop = false;
double g_dSimMin = 0.0;
double g_dSimMax = 20.0;
bool g_bSimErrors = true;

CPortSettings PortSettings;
CSharedParameters SharedParameters;
CZelnarParameters ZelnarParameters;
CQuorinParameters QuorinParameters;

void ResetSimulationState()
{
    g_nSimPosition = 0;
    g_bSimPause = false;
    g_bSimStop = false;
    g_dSimMin = 0.0;
    g_dSimMax = 20.0;
    g_bSimErrors = true;
    g_bSimulation = false;
}
