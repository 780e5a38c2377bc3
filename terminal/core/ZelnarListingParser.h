#pragma once

#include "ParameterRecords.h"

#include <string>

// Fills the record from the text of the Classic page after PA: the device's parameter listing,
// read by its anchors (MF, TD, SA, SF, MW, OF, SE, Q1, Q2, QA, BR, SD, SC, PL, AS in this
// order). A listing of another shape gives wrong or zero values, never a failure.
void ParseZelnarListing(const std::string& text, CZelnarParameters& record);
