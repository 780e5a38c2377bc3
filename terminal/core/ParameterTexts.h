#pragma once

#include "DeviceCommands.h"

// The operator's texts of the parameter commands, files and simulation runs.
namespace ParameterTexts {

inline constexpr const char* NotConnected = kNotConnected.data();
inline constexpr const char* GetWaiting = "Get parameter settings from Telvan\n\tPush OK Button";
inline constexpr const char* ParametersSet = "Parameters have been set";
inline constexpr const char* ParametersSetBinary =
    "\tParameters have been set\nWARNING: Version Telvan 1.3.9 required for Binary Mode";
inline constexpr const char* SimulatedSet = "parameters have been set";
inline constexpr const char* ZelnarSimulatedZero =
    "Paremeters SF,MF and SA can not be equal to 0\nPlease Modify these parameters";
inline constexpr const char* QuorinSimulatedZero =
    "SF and SA must not be equal to 0\nPlease, modify these parameters";
inline constexpr const char* Q1Hysteresis =
    "WARNING: Q1y must not be higher than Q1x\n       keeping latest correct value";
inline constexpr const char* Q2Hysteresis =
    "WARNING: Q2y must not be higher than Q2x\n       keeping latest correct value";
inline constexpr const char* ParametersDisplayed = "Parameters displayed";
// A parameter command that stopped on the way: its head, ": ", and the reason.
inline constexpr const char* NotSet = "Parameters have not been set";
inline constexpr const char* NotRead = "Parameters have not been read";
inline constexpr const char* NotDisplayed = "Parameters have not been displayed";
inline constexpr const char* LinkClosed = "the COM Port connection was closed.";
inline constexpr const char* WriteFailed = "writing to the COM Port failed.";
inline constexpr const char* NoListing =
    "No parameter listing was received!\nThe parameters have not been changed.";
inline constexpr const char* CanNotSave = "Can not save file!";
inline constexpr const char* CanNotRead = "Can not read file!";

// The file dialogs of Save and Load.
inline constexpr const char* ZelnarFileName = "ParametersZL";
inline constexpr const char* QuorinFileName = "ParametersQR";
inline constexpr const char* FileExtension = "txt";
inline constexpr const char* SaveFileType = "Text Files (*.txt)";
inline constexpr const char* LoadFileType = "Text File (*.txt)";

} // namespace ParameterTexts
