#pragma once

#include <atomic>
#include <string>

// Process-wide reply values. The reply assembly writes them on the user-interface thread
// right before it notifies the pages, and the pages read them while they handle it.
extern std::string g_strReceived;      // text of the last chunk, or a typed line just sent
extern int g_nLineCount;               // carriage returns received; the Classic page resets it
extern std::string g_strBinaryPending; // binary-mode bits ("0"/"1") not yet delivered
extern std::string g_strBinaryRecord;  // the binary record being delivered
extern bool g_bEchoTypedLine;          // g_strReceived holds a typed line that was just sent
extern int g_nLogLines;                // entries of the Log page
extern std::string g_strMeasLine;      // a measurement line for the Display page
extern std::string g_strBinaryLogLine; // the Log entry of the last binary record
extern std::string g_strQuorinLine;    // Quorin: the last complete line for the Display page
extern std::string g_strQuorinFormat;  // Quorin: "d" decimal or "h" hexadecimal output
extern bool g_bTempRequest;            // Quorin: the next reply answers the temperature request

// Set while the serial link is open; read from the reader thread too.
extern std::atomic<bool> g_bConnected;

// Simulation mode, shared by both families' main dialogs.
extern bool g_bSimulation; // simulation mode is on
extern bool g_bSimRunning; // a run is being computed or played
extern int g_nSimPosition; // playback position kept while a run is paused
extern bool g_bSimPause;   // pause requested
extern bool g_bSimStop;    // stop requested
extern double g_dSimMin;   // distance at the start and end of a run
extern double g_dSimMax;   // distance at the turning point of a run
extern bool g_bSimErrors;  // a run holds a stretch of error replies

// What a main dialog's start leaves of the simulation: no run, the run from 0 to 20 with
// errors, simulation mode off.
void ResetSimulationState();
