#pragma once

#include "DeviceCommands.h"

inline constexpr std::string_view kPortUnconnected = "Port COM unconnected";

// The commands of the Quorin main dialog, named after their buttons.
enum class QuorinCommand
{
    DT,
    DM,
    DF,
    DS,
    DW,
    DX,
    ID,
    SetOffset,
    LaserOn,
    LaserOff,
    ShowAll,
    Temperature,
    Reset, // after its write the caller resets the Q1 alarm state and runs Get
    Get,   // the Classic page is cleared after the first step and parsed after the last
    Stop,  // the caller hides the changed-indicator first
};

// Decides a Quorin command from g_bConnected and g_bSimulation. Temperature marks the next reply
// as its answer (g_bTempRequest) whether or not the command can be sent.
CCommandAction QuorinCommandAction(QuorinCommand command);
