#pragma once

#include "QuorinDevice.h"
#include "ZelnarDevice.h"

#include <string>

// The terminal's reading of a parameter listing, step by step as its parse tables give it,
// written apart from the emulator so that the two check each other.
CZelnarParameterSet ParseZelnarListing(const std::string& listing);
CQuorinParameterSet ParseQuorinListing(const std::string& listing);
