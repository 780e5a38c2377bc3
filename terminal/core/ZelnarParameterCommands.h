#pragma once

#include "ParameterCommand.h"
#include "ZelnarParameterControls.h"

#include <string>

// The parameter commands of the Zelnar main dialog. Each decides at once what the record and
// the reply assembly need (SDx goes to 0 while text is exchanged) and returns the rest for the
// dialog to carry out.

// Get: ESC CR, the Classic page cleared, PA CR, then the waiting message while the listing
// arrives; afterwards ZelnarGetDone.
CParameterCommand ZelnarGet(CZelnarParameters& record);
// The end of Get and Reset: the listing parsed into the record, and the controls that show it.
// The record then takes the shown (rounded) edit values.
CZelnarParameterControls ZelnarGetDone(const std::string& listing, CZelnarParameters& record);

// Set: in simulation mode the record takes the controls and only the check's text is shown;
// otherwise ESC CR and the 14 parameter commands with their pauses. A Q1 or Q2 command whose
// hysteresis exceeds its width is not sent (with a warning) and the record keeps that group.
// A combo box without a selection sends nothing for its key.
CParameterCommand ZelnarSet(const CZelnarParameterControls& controls, CZelnarParameters& record);

// Reset Param: PR CR, then Get.
CParameterCommand ZelnarResetParam(CZelnarParameters& record);

// Show All: PA CR; in binary mode the listing is taken as text while "Parameters displayed"
// is open.
CParameterCommand ZelnarShowAll(const CZelnarParameterControls& controls,
                                CZelnarParameters& record);

// The last step of a command: the display format it leaves.
void ZelnarCommandDone(const CParameterCommand& command, CZelnarParameters& record);
