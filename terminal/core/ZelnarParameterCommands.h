#pragma once

#include "ParameterCommand.h"
#include "ZelnarParameterControls.h"

#include <optional>
#include <string>

// The parameter commands of the Zelnar main dialog. Each decides at once what the reply assembly
// needs (SDx goes to 0 while text is exchanged) and returns the rest for the dialog to carry
// out.

// Get: ESC CR, the Classic page cleared, PA CR, then the waiting message while the listing
// arrives; afterwards ZelnarGetDone.
CParameterCommand ZelnarGet(CZelnarParameters& record);
// The end of Get and Reset: the listing parsed into the record, and the controls that show it.
// The record then takes the shown (rounded) edit values. Nothing, and the record unchanged,
// when the text holds no whole listing.
std::optional<CZelnarParameterControls> ZelnarGetDone(const std::string& listing,
                                                      CZelnarParameters& record);

// Set: in simulation mode the record takes the controls and only the check's text is shown;
// otherwise ESC CR and the 14 parameter commands with their pauses, and the record takes the
// controls once all went out. A Q1 or Q2 command whose hysteresis exceeds its width is not sent
// (with a warning): the controls of that group come back with the record's values, which the
// device keeps, and the record keeps them. A combo box without a selection sends nothing for its
// key.
CParameterCommand ZelnarSet(CZelnarParameterControls& controls, CZelnarParameters& record);

// Reset Param: PR CR, then Get.
CParameterCommand ZelnarResetParam(CZelnarParameters& record);

// Show All: PA CR; in binary mode the listing is taken as text while "Parameters displayed"
// is open.
CParameterCommand ZelnarShowAll(const CZelnarParameterControls& controls,
                                CZelnarParameters& record);

// The last step of a command: the display format it leaves, whether it went through or not.
void ZelnarCommandDone(const CParameterCommand& command, bool wentThrough,
                       CZelnarParameters& record);
