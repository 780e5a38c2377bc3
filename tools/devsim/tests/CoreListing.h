#pragma once

#include "QuorinDevice.h"
#include "ZelnarDevice.h"

#include <string>

// The emulator's listing as the terminal reads it, through the core's listing parsers, so
// that the emulator and the terminal check each other.
CZelnarParameterSet ReadZelnarListing(const std::string& listing);
CQuorinParameterSet ReadQuorinListing(const std::string& listing);
