#pragma once

#include "ParameterRecords.h"

#include <string>

// Fills the record and g_strQuorinFormat from the text of the Quorin Classic page after PA:
// the device's parameter listing, read by its anchors (SA, SD, ST, SF, SE, AC, AH, AW, RB, RE,
// RM, TD, TM, BR, AS, OF in this order). A listing of another shape gives wrong or zero
// values, never a failure.
void ParseQuorinListing(const std::string& text, CQuorinParameters& record);
