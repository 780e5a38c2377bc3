#pragma once

#include "ParameterRecords.h"

#include <string>

// Fills the record and g_strQuorinFormat from the text of the Quorin Classic page after PA:
// the device's parameter listing, read by its anchors (SA, SD, ST, SF, SE, AC, AH, AW, RB, RE,
// RM, TD, TM, BR, AS, OF in this order). A text that lacks an anchor, or a value at its end, is
// no listing (nothing arrived, or the listing was cut off): false, and the record and the format
// stay as they were.
bool ParseQuorinListing(const std::string& text, CQuorinParameters& record);
