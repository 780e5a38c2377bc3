#pragma once

#include "QuorinParameterControls.h"

#include <optional>
#include <string>

// Save: the record takes the controls (and BR 9600 in simulation mode); returns the text of
// the 20-line parameter file with the combo boxes' selections and the record's values.
std::string SaveQuorinParameters(const CQuorinParameterControls& controls,
                                 CQuorinParameters& record);

// Load: the controls that a parameter file's text holds (its BR line is read, not used).
// Nothing when any of the 20 lines is missing or malformed or a selection lies outside its
// combo box.
std::optional<CQuorinParameterControls> LoadQuorinParameters(const std::string& text);
// The same for the file at path; nothing also when it cannot be read.
std::optional<CQuorinParameterControls> LoadQuorinParameterFile(const std::string& path);

// Load in simulation mode keeps the output format that the simulation locks (SD) as the
// controls show it; the simulated lines are decimal.
void KeepSimulationLocks(CQuorinParameterControls& loaded, const CQuorinParameterControls& shown);
