#pragma once

#include "ParameterRecords.h"

#include <string>

// Fills the record from the text of the Classic page after PA: the device's parameter listing,
// read by its anchors (MF, TD, SA, SF, MW, OF, SE, Q1, Q2, QA, BR, SD, SC, PL, AS in this
// order). A text that lacks an anchor, or a value at its end, is no listing (nothing arrived,
// or the listing was cut off): false, and the record stays as it was.
bool ParseZelnarListing(const std::string& text, CZelnarParameters& record);
