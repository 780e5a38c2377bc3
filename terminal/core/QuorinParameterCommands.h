#pragma once

#include "ParameterCommand.h"
#include "QuorinParameterControls.h"

#include <optional>
#include <string>

// The parameter commands of the Quorin main dialog, returned for the dialog to carry out.

// Get: ESC, 100 ms, the Classic page cleared, PA CR, 1000 ms, then the waiting message;
// afterwards QuorinGetDone.
CParameterCommand QuorinGet();
// The end of Get and Reset: the listing parsed into the record and g_strQuorinFormat, and the
// controls that show it. Nothing, and the record and the format unchanged, when the text holds
// no whole listing.
std::optional<CQuorinParameterControls> QuorinGetDone(const std::string& listing,
                                                      CQuorinParameters& record);

// Set: in simulation mode the record takes the controls and only the check's text is shown;
// otherwise the 15 parameter commands with their 100 ms waits, and the record takes the
// controls once all went out. A combo box without a selection sends nothing for its key.
CParameterCommand QuorinSet(const CQuorinParameterControls& controls, CQuorinParameters& record);

// Reset: PR CR, then Get.
CParameterCommand QuorinReset();

// Show All: PA CR.
CParameterCommand QuorinShowAll();
